#pragma once

#include <string>

namespace flowcfg {

// The running operating system, named for the About box and the settings listing.
//
// The naming table of the desktop platform the tool comes from is kept (`classify`) so that
// version numbers reported in the same form are named the same way. On Linux the query reports
// the kernel, which matches no row of that table; the name is then the system's own
// ("Linux 6.1.0") and the code stays 0.
class OsVersionInfo {
public:
    static constexpr const char* kUnknownName = "unknown Windows version";

    struct Naming {
        std::string name;
        int code = 0;
    };

    OsVersionInfo();  // queries the running system

    // The row of the naming table for these numbers, or the unknown name with code 0.
    static Naming classify(int platformId, int major, int minor, int build);

    std::string name = kUnknownName;
    int code = 0;
    int platformId = 0;
    int minorVersion = 0;
    int majorVersion = 0;
    int buildNumber = 0;  // low 16 bits
    std::string servicePack;
};

}  // namespace flowcfg
