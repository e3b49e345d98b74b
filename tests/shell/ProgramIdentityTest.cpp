#include "shell/ProgramIdentity.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "common/TempDir.h"
#include "shell/LogoBitmap.h"
#include "shell/VersionInfo.h"

namespace flowcfg {
namespace {

TEST(ProgramIdentityTest, TitleAndAboutTextComeFromTheVersionBlock) {
    EXPECT_EQ(ProgramIdentity::mainWindowTitle("Zq4xxKRw 03", "03 A"), "Zq4xxKRw 03 A");
    EXPECT_EQ(ProgramIdentity::mainWindowTitle("Zq700W 10", "10  b2 "), "Zq700W 10 B2");
    EXPECT_EQ(ProgramIdentity::mainWindowTitle("X", "03"), "X ");
    EXPECT_EQ(ProgramIdentity::mainWindowTitle(),
              ProgramIdentity::mainWindowTitle(versionString("InternalName"),
                                               versionString("FileVersion")));
    LanguageTable texts;
    EXPECT_EQ(ProgramIdentity::aboutText(texts, 1),
              "Application : " + versionString("InternalName") + "\n\nVersion : " +
                  versionString("FileVersion") + "\n\n" + versionString("LegalCopyright"));
}

// A bitmap file's headers with the given size and depth (pixels left out).
void writeBitmap(const std::string& path, std::int32_t width, std::int32_t height, int bits) {
    std::vector<unsigned char> h(54, 0);
    h[0] = 'B';
    h[1] = 'M';
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            h[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    h[26] = 1;
    h[28] = static_cast<unsigned char>(bits);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(h.data()), static_cast<std::streamsize>(h.size()));
}

TEST(LogoBitmapTest, OnlyPalettePicturesOfTheWindowsSizeAreUsed) {
    testing::TempDir dir;
    const std::string logo = dir.file("logo.bmp");
    writeBitmap(logo, 563, 446, 8);
    EXPECT_TRUE(LogoBitmap::usable(logo));
    writeBitmap(logo, 563, -446, 4);  // stored top-down
    EXPECT_TRUE(LogoBitmap::usable(logo));
    writeBitmap(logo, 563, 446, 24);
    EXPECT_FALSE(LogoBitmap::usable(logo));
    writeBitmap(logo, 564, 446, 8);
    EXPECT_FALSE(LogoBitmap::usable(logo));
    writeBitmap(logo, 563, INT32_MIN, 8);
    EXPECT_FALSE(LogoBitmap::usable(logo));
    testing::writeFile(logo, "GIF89a not a bitmap at all, but long enough");
    EXPECT_FALSE(LogoBitmap::usable(logo));
    testing::writeFile(logo, "BM");
    EXPECT_FALSE(LogoBitmap::usable(logo));
    EXPECT_FALSE(LogoBitmap::usable(dir.file("missing.bmp")));
}

}  // namespace
}  // namespace flowcfg
