#include "shell/IniFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "common/FrenchNumbers.h"
#include "common/TempDir.h"

namespace flowcfg {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

class IniFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("settings.cfg");
    IniFile ini{path};
};

TEST_F(IniFileTest, MissingFileOrKeyGivesTheDefaultAndCreatesNothing) {
    EXPECT_EQ(ini.readString("Com", "Bauds", "9600"), "9600");
    EXPECT_EQ(ini.readReal("Com", "Bauds", 5.0), 5.0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(IniFileTest, EmptyPathReadsDefaultsAndRefusesWrites) {
    IniFile none;
    EXPECT_EQ(none.readString("A", "B", "x"), "x");
    EXPECT_EQ(none.readReal("A", "B", 2.5), 2.5);
    EXPECT_EQ(none.writeString("A", "B", "v"), -1);
    EXPECT_EQ(none.writeReal("A", "B", 1.0), -1);
}

TEST_F(IniFileTest, WriteCreatesFileSectionAndKeyThenUpdatesInPlace) {
    ASSERT_EQ(ini.writeString("Com", "Bauds", "5"), 0);
    ASSERT_EQ(ini.writeString("Com", "JBus", "1"), 0);
    ASSERT_EQ(ini.writeString("Language", "Language", "1"), 0);
    ASSERT_EQ(ini.writeString("com", "BAUDS", "6"), 0);
    EXPECT_EQ(readFile(path), "[Com]\nBauds=6\nJBus=1\n[Language]\nLanguage=1\n");  // spelling kept
}

TEST_F(IniFileTest, NamesAreComparedWithoutCaseAndBlanksAreIgnored) {
    writeFile(path, "[ Modem ]\n  Use Modem =  0.000000  \n");
    EXPECT_EQ(ini.readString("modem", "use modem", "x"), "0.000000");
    EXPECT_EQ(ini.readReal("MODEM", "USE MODEM", 1.0), 0.0);
}

TEST_F(IniFileTest, WritesKeepEveryOtherLineIncludingCommentsAndOddLines) {
    writeFile(path,
              "; my notes\n[A]\nkey=1\nthis line has no equals sign\n\n[B]\nx=2\n"
              "[A]\nlate=3\n");
    ASSERT_EQ(ini.writeString("A", "new", "n"), 0);
    ASSERT_EQ(ini.writeString("B", "x", "9"), 0);
    EXPECT_EQ(readFile(path),
              "; my notes\n[A]\nkey=1\nthis line has no equals sign\nnew=n\n\n[B]\nx=9\n"
              "[A]\nlate=3\n");
}

TEST_F(IniFileTest, FirstOfDuplicateKeysWinsForReadAndWrite) {
    writeFile(path, "[S]\nk=first\nk=second\n");
    EXPECT_EQ(ini.readString("S", "k", ""), "first");
    ASSERT_EQ(ini.writeString("S", "k", "new"), 0);
    EXPECT_EQ(readFile(path), "[S]\nk=new\nk=second\n");
}

TEST_F(IniFileTest, ValuesAreCutTo999CharactersOnReading) {
    std::string longValue(1500, 'x');
    ASSERT_EQ(ini.writeString("S", "k", longValue), 0);
    EXPECT_EQ(ini.readString("S", "k", "").size(), 999u);
    EXPECT_EQ(ini.readString("S", "absent", std::string(1200, 'd')).size(), 999u);
}

TEST_F(IniFileTest, QuotedValuesLoseTheirQuotes) {
    writeFile(path, "[S]\nq=\"C:\\\\Program Files\"\nhalf=\"open\n");
    EXPECT_EQ(ini.readString("S", "q", ""), "C:\\\\Program Files");
    EXPECT_EQ(ini.readString("S", "half", ""), "\"open");
}

TEST_F(IniFileTest, RealsAreWrittenWithSixDecimalsAndReadBackLikeIntegers) {
    ASSERT_EQ(ini.writeReal("S", "two", 2), 0);
    ASSERT_EQ(ini.writeReal("S", "neg", -1.5), 0);
    ASSERT_EQ(ini.writeString("S", "plain", "2"), 0);
    EXPECT_EQ(ini.readString("S", "two", ""), "2.000000");
    EXPECT_EQ(ini.readString("S", "neg", ""), "-1.500000");
    EXPECT_EQ(ini.readReal("S", "two", 0), ini.readReal("S", "plain", 0));
    EXPECT_EQ(ini.readReal("S", "two", 0), 2.0);
}

TEST_F(IniFileTest, RealsIgnoreTheProcessLocale) {
    // The desktop tool runs with the user's locale, where the decimal separator may be a comma.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!useFrenchNumbers(dir)) GTEST_SKIP() << "no French locale and no localedef to make one";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ini.writeReal("S", "r", 12.25);
    double back = ini.readReal("S", "r", 0);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_STREQ(probe, "1,5") << "the locale in force writes a decimal comma";
    EXPECT_EQ(readFile(path), "[S]\nr=12.250000\n");
    EXPECT_EQ(back, 12.25);
}

TEST_F(IniFileTest, NonNumbersReadAsZeroLikeStrtod) {
    writeFile(path, "[S]\nword=abc\nlead=12abc\nblank=\n");
    EXPECT_EQ(ini.readReal("S", "word", 7), 0.0);
    EXPECT_EQ(ini.readReal("S", "lead", 7), 12.0);
    EXPECT_EQ(ini.readReal("S", "blank", 7), 0.0);
}

TEST_F(IniFileTest, BinaryGarbageGivesDefaultsWithoutCrashing) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.push_back(static_cast<char>((i * 131 + 7) & 0xFF));
    writeFile(path, garbage);
    EXPECT_EQ(ini.readString("Com", "Bauds", "d"), "d");
    EXPECT_EQ(ini.writeString("Com", "Bauds", "5"), 0);
    EXPECT_EQ(ini.readString("Com", "Bauds", "d"), "5");
}

TEST_F(IniFileTest, WriteIntoMissingDirectoryFails) {
    IniFile nowhere(dir.file("no/such/dir/file.cfg"));
    EXPECT_EQ(nowhere.writeString("S", "k", "v"), -1);
    EXPECT_EQ(nowhere.writeReal("S", "k", 1), -1);
    // A directory standing where the file should be: unreadable and unwritable even for root.
    std::filesystem::create_directory(dir.file("adir"));
    IniFile directory(dir.file("adir"));
    EXPECT_EQ(directory.readString("S", "k", "d"), "d");
    EXPECT_EQ(directory.writeString("S", "k", "v"), -1);
}

TEST_F(IniFileTest, CarriageReturnLineEndsAreRead) {
    writeFile(path, "[S]\r\nk=v\r\n");
    EXPECT_EQ(ini.readString("S", "k", ""), "v");
}

}  // namespace
}  // namespace flowcfg
