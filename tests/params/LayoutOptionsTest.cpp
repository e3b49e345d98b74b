#include "params/LayoutOptions.h"

#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "params/LayoutLine.h"

namespace flowcfg {
namespace {

using testing::TempDir;

LayoutOptions sample() {
    LayoutOptions o;
    o.level = 2;
    o.logger = 1;
    o.totalizers = 0;
    o.inputsOutputs = 1;
    o.sequencer = 0;
    o.pipes = 2;
    o.instrumentType = 1;
    o.functions = 1;
    o.maxChords = 4;
    o.chordsA = 2;
    o.chordsB = 3;
    for (int k = 0; k < 24; ++k)
        o.modules[std::size_t(k)] = k < 4 ? k + 1 : 0;
    o.modules[23] = 65535;
    return o;
}

TEST(LayoutOptionsTest, MissingKeysGiveTheDefaultsAndSavedOptionsReadBack) {
    TempDir dir;
    IniFile config(dir.file("default.cfg"));
    LayoutOptions defaults = LayoutOptions::Load(config);
    EXPECT_EQ(defaults.instrumentType, 1);
    EXPECT_EQ(defaults.level, 0);
    EXPECT_EQ(defaults.logger, 0);
    EXPECT_EQ(defaults.totalizers, 0);
    EXPECT_EQ(defaults.inputsOutputs, 0);
    EXPECT_EQ(defaults.pipes, 1);
    EXPECT_EQ(defaults.functions, 0);
    EXPECT_EQ(defaults.maxChords, 2);
    EXPECT_EQ(defaults.chordsA, 1);
    EXPECT_EQ(defaults.chordsB, 1);

    LayoutOptions o = sample();
    ASSERT_EQ(o.SaveLayoutOptions(config), 0);
    EXPECT_EQ(LayoutOptions::Load(config), o);
    // Stored as the settings store numbers, under the program's own key names.
    EXPECT_EQ(config.readString("Com", "Aff Niveau param", ""), "2.000000");
    EXPECT_EQ(config.readString("Com", "Aff Fonction", ""), "1.000000");
    EXPECT_EQ(config.readString("Com", "Aff Module 23", ""), "65535.000000");
    EXPECT_EQ(config.readString("Com", "Selection Type", ""), "1.000000");
}

TEST(LayoutOptionsTest, TheStartDialogOfANewSetLeavesChordsAndModulesAlone) {
    TempDir dir;
    IniFile config(dir.file("default.cfg"));
    LayoutOptions first = sample();
    ASSERT_EQ(first.SaveLayoutOptions(config), 0);
    LayoutOptions next = sample();
    next.level = 1;
    next.chordsA = 7;
    next.modules[0] = 5;
    ASSERT_EQ(next.SaveLayoutOptions(config, false), 0);
    LayoutOptions read = LayoutOptions::Load(config);
    EXPECT_EQ(read.level, 1);
    EXPECT_EQ(read.chordsA, 2);
    EXPECT_EQ(read.modules[0], 1);
}

TEST(LayoutLineTest, IsWrittenAsElevenValuesAndTwentyFourModuleWords) {
    std::string line = LayoutLine::Format(sample());
    EXPECT_EQ(line,
              "2 1 0 1 0 2 1 1 4 2 3_000001_000002_000003_000004_000000_000000_000000_000000_"
              "000000_000000_000000_000000_000000_000000_000000_000000_000000_000000_000000_"
              "000000_000000_000000_000000_065535_");
    LayoutOptions read;
    ASSERT_TRUE(LayoutLine::Parse(line, read));
    EXPECT_EQ(read, sample());
}

TEST(LayoutLineTest, IsReadTheWayItIsWrittenWhateverTheSpacing) {
    LayoutOptions read;
    std::string words;
    for (int k = 0; k < 24; ++k)
        words += std::to_string(k) + "_";
    ASSERT_TRUE(LayoutLine::Parse("2  0 0 0 0 2 1 0 2 1 1 trailing text_" + words, read));
    EXPECT_EQ(read.level, 2);
    EXPECT_EQ(read.pipes, 2);
    EXPECT_EQ(read.modules[0], 0);
    EXPECT_EQ(read.modules[23], 23);
}

TEST(LayoutLineTest, BrokenLinesAreRefusedAndLeaveTheOptionsAlone) {
    const std::string good = LayoutLine::Format(sample());
    const LayoutOptions before;
    for (const std::string& bad : {
             std::string(""),
             std::string("2 1 0 1 0 2 1 1 4 2"),  // ten values
             good.substr(0, good.size() - 8),     // a module word short
             good.substr(0, good.find('_')),      // no module words at all
             std::string("2 1 0 1 0 2 1 1 4 2 x_") + good.substr(good.find('_') + 1),
             "2 1 0 1 0 7 1 1 4 2 3" + good.substr(good.find('_')),  // seven pipes
             "3 1 0 1 0 2 1 1 4 2 3" + good.substr(good.find('_')),  // no level 3
             "2 1 0 1 0 2 1 1 4 2 3_0000x1" + good.substr(good.find('_') + 7),
             "2 1 0 1 0 2 1 1 4 2 3_099999" + good.substr(good.find('_') + 7),
         }) {
        LayoutOptions read;
        EXPECT_FALSE(LayoutLine::Parse(bad, read)) << bad;
        EXPECT_EQ(read, before) << bad;
    }
}

}  // namespace
}  // namespace flowcfg
