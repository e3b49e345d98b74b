#include "shell/OsVersionInfo.h"

#include <sys/utsname.h>

#include <cstdio>
#include <string_view>

namespace flowcfg {

OsVersionInfo::Naming OsVersionInfo::classify(int platformId, int major, int minor, int build) {
    build &= 0xFFFF;
    if (platformId == 1 && major == 4) {
        if (minor < 10) {
            if (build == 950) return {"Windows 95", 1};
            if (build > 950 && build <= 1080) return {"Windows 95 SP1", 2};
            if (build > 1080) return {"Windows 95 OSR2", 3};
        } else if (minor == 10) {
            if (build == 1998) return {"Windows 98", 4};
            if (build > 1998 && build < 2183) return {"Windows 98 SP1", 5};
            if (build > 2182) return {"Windows 98 SE", 6};
        } else if (minor == 90) {
            return {"Windows ME", 7};
        }
    } else if (platformId == 2) {
        if (major == 3 && minor == 51) return {"Windows NT 3.51", 101};
        if (major == 4 && minor == 0) return {"Windows NT 4", 102};
        if (major == 5 && minor == 0) return {"Windows 2000", 103};
        if (major == 5 && minor == 1) return {"Windows XP", 104};
    } else if (platformId == 3) {
        return {"Windows CE", 201};
    }
    return {kUnknownName, 0};
}

OsVersionInfo::OsVersionInfo() {
    struct utsname system {};
    if (::uname(&system) != 0) return;  // a failed query keeps the unknown name
    int major = 0, minor = 0, patch = 0;
    std::sscanf(system.release, "%d.%d.%d", &major, &minor, &patch);
    majorVersion = major;
    minorVersion = minor;
    buildNumber = patch & 0xFFFF;
    // The release without its distribution suffix: "6.1.0-18-amd64" -> "6.1.0".
    std::string_view release(system.release);
    release = release.substr(0, release.find_first_not_of("0123456789."));
    name = std::string(system.sysname) + " " + std::string(release);
    servicePack = system.version;
    code = 0;
}

}  // namespace flowcfg
