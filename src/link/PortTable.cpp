#include "link/PortTable.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>

namespace flowcfg {
namespace {

// The number after `prefix` when `name` is the prefix followed by decimal digits only.
std::optional<long> deviceNumber(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    return std::stol(digits);
}

// sysfs "type" 0 is a UART slot without a UART (PORT_UNKNOWN).
bool placeholderUart(const std::string& sysTtyDirectory, const std::string& name) {
    std::ifstream in(sysTtyDirectory + name + "/type");
    int type = -1;
    return in >> type && type == 0;
}

std::mutex& installedMutex() {
    static std::mutex mutex;
    return mutex;
}

std::optional<PortTable>& installedTable() {
    static std::optional<PortTable> table;
    return table;
}

}  // namespace

PortTable::PortTable() : paths_(kLastPort + 1) {}

std::string PortTable::KeyFor(int number) {
    return "COM" + std::to_string(number);
}

std::vector<std::string> PortTable::FindSerialDevices(const std::string& deviceDirectory,
                                                      const std::string& sysTtyDirectory) {
    std::string directory = deviceDirectory;
    if (!directory.empty() && directory.back() != '/') directory += '/';
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(directory, ec))
        names.push_back(entry.path().filename().string());

    std::vector<std::string> found;
    for (const std::string prefix : {"ttyS", "ttyUSB", "ttyACM", "rfcomm"}) {
        std::vector<std::pair<long, std::string>> kind;
        for (const auto& name : names) {
            auto number = deviceNumber(name, prefix);
            if (!number) continue;
            if (prefix == "ttyS" && placeholderUart(sysTtyDirectory, name)) continue;
            kind.emplace_back(*number, name);
        }
        std::sort(kind.begin(), kind.end());
        for (const auto& [number, name] : kind)
            found.push_back(directory + name);
    }
    return found;
}

PortTable PortTable::Load(const IniFile& config, const std::string& deviceDirectory,
                          const std::string& sysTtyDirectory) {
    PortTable table;
    if (!config.path().empty()) {
        for (int n = kFirstPort; n <= kLastPort; ++n)
            table.Assign(n, config.readString(kSection, KeyFor(n), ""));
    }
    table.Fill(FindSerialDevices(deviceDirectory, sysTtyDirectory));
    return table;
}

int PortTable::Assign(int number, const std::string& path) {
    if (number < kFirstPort || number > kLastPort || path.empty()) return -1;
    paths_[number] = path;
    return 0;
}

void PortTable::Fill(const std::vector<std::string>& devices) {
    int next = kFirstPort;
    for (const auto& device : devices) {
        if (NumberOf(device) != -1) continue;
        while (next <= kLastPort && !paths_[next].empty())
            ++next;
        if (next > kLastPort) return;
        paths_[next] = device;
    }
}

std::string PortTable::Path(int number) const {
    if (number < kFirstPort || number > kLastPort) return {};
    return paths_[number];
}

int PortTable::NumberOf(const std::string& path) const {
    if (path.empty()) return -1;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (paths_[n] == path) return n;
    }
    return -1;
}

int PortTable::FirstFree() const {
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (paths_[n].empty()) return n;
    }
    return -1;
}

std::vector<std::pair<int, std::string>> PortTable::Entries() const {
    std::vector<std::pair<int, std::string>> entries;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (!paths_[n].empty()) entries.emplace_back(n, paths_[n]);
    }
    return entries;
}

void PortTable::Install(PortTable table) {
    std::lock_guard lock(installedMutex());
    installedTable() = std::move(table);
}

PortTable PortTable::Installed() {
    {
        std::lock_guard lock(installedMutex());
        if (installedTable()) return *installedTable();
    }
    return Load(IniFile());
}

std::string PortTable::InstalledPath(int number) {
    {
        std::lock_guard lock(installedMutex());
        if (installedTable()) return installedTable()->Path(number);
    }
    return Load(IniFile()).Path(number);
}

}  // namespace flowcfg
