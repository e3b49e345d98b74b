#include "shell/OsVersionInfo.h"

#include <gtest/gtest.h>

namespace flowcfg {
namespace {

struct Row {
    int platform, major, minor, build;
    const char* name;
    int code;
};

TEST(OsVersionInfoTest, NamingTableRowByRow) {
    const Row rows[] = {
        {1, 4, 0, 950, "Windows 95", 1},
        {1, 4, 0, 951, "Windows 95 SP1", 2},
        {1, 4, 0, 1080, "Windows 95 SP1", 2},
        {1, 4, 3, 1081, "Windows 95 OSR2", 3},
        {1, 4, 0, 949, OsVersionInfo::kUnknownName, 0},
        {1, 4, 10, 1998, "Windows 98", 4},
        {1, 4, 10, 1999, "Windows 98 SP1", 5},
        {1, 4, 10, 2182, "Windows 98 SP1", 5},
        {1, 4, 10, 2183, "Windows 98 SE", 6},
        {1, 4, 10, 1997, OsVersionInfo::kUnknownName, 0},
        {1, 4, 90, 3000, "Windows ME", 7},
        {1, 5, 0, 950, OsVersionInfo::kUnknownName, 0},
        {2, 3, 51, 1057, "Windows NT 3.51", 101},
        {2, 4, 0, 1381, "Windows NT 4", 102},
        {2, 5, 0, 2195, "Windows 2000", 103},
        {2, 5, 1, 2600, "Windows XP", 104},
        {2, 6, 1, 7601, OsVersionInfo::kUnknownName, 0},
        {3, 7, 0, 0, "Windows CE", 201},
        {0, 6, 1, 0, OsVersionInfo::kUnknownName, 0},
        // Only the low 16 bits of the build count: 0x10000 + 950 is build 950.
        {1, 4, 0, 0x10000 + 950, "Windows 95", 1},
    };
    for (const Row& r : rows) {
        auto naming = OsVersionInfo::classify(r.platform, r.major, r.minor, r.build);
        EXPECT_EQ(naming.name, r.name)
            << r.platform << " " << r.major << "." << r.minor << "." << r.build;
        EXPECT_EQ(naming.code, r.code) << r.name;
    }
}

TEST(OsVersionInfoTest, RunningSystemIsNamedByItsKernel) {
    OsVersionInfo info;
    EXPECT_EQ(info.code, 0);
    EXPECT_EQ(info.name.rfind("Linux ", 0), 0u) << info.name;
    EXPECT_GT(info.majorVersion, 0);
}

}  // namespace
}  // namespace flowcfg
