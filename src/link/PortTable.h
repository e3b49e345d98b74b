#pragma once

#include <string>
#include <utility>
#include <vector>

#include "shell/IniFile.h"

namespace flowcfg {

// Maps the COM numbers 1 ... 255 that the user and the configuration file speak of to device
// paths. Numbers assigned in the configuration file (section "Ports", key "COM<n>", a device
// path) come first, so that any device, a pseudo-terminal included, can be given a number; the
// numbers left over go to the serial devices found on the system, in a stable order:
// /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*, /dev/rfcomm*, each by number.
//
// The port library opens COM n through the table installed for the process (Install); until one
// is installed it uses the devices found on the system.
class PortTable {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 255;
    static constexpr const char* kSection = "Ports";

    PortTable();

    // The configuration file's assignments, then the devices found under `deviceDirectory`
    // (their kind read from `sysTtyDirectory`, see FindSerialDevices).
    static PortTable Load(const IniFile& config, const std::string& deviceDirectory = "/dev/",
                          const std::string& sysTtyDirectory = "/sys/class/tty/");
    // The serial devices in `deviceDirectory`, in numbering order. A ttyS device whose kernel
    // driver reports no UART behind it ("type" 0 in sysfs) is left out: most machines have
    // several such placeholders.
    static std::vector<std::string> FindSerialDevices(const std::string& deviceDirectory,
                                                      const std::string& sysTtyDirectory);
    // "COM<n>", the key of number n in section "Ports".
    static std::string KeyFor(int number);

    // Gives `number` to `path`: 0, or -1 when the number is outside 1 ... 255 or the path empty.
    int Assign(int number, const std::string& path);
    // Gives each device not yet in the table the next unassigned number, in order.
    void Fill(const std::vector<std::string>& devices);

    // The device path of COM `number`; empty when unassigned.
    std::string Path(int number) const;
    // The number assigned to `path`, or -1.
    int NumberOf(const std::string& path) const;
    // The lowest unassigned number, or -1 when all are taken.
    int FirstFree() const;
    // Every assigned number with its path, by number.
    std::vector<std::pair<int, std::string>> Entries() const;

    // The table the port library uses from now on (thread-safe).
    static void Install(PortTable table);
    // A copy of the installed table (the system's devices when none was installed).
    static PortTable Installed();
    // The device path of COM `number` in the installed table, without copying it.
    static std::string InstalledPath(int number);

private:
    std::vector<std::string> paths_;  // index = COM number; [0] unused
};

}  // namespace flowcfg
