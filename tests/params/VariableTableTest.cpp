#include "params/VariableTable.h"

#include <gtest/gtest.h>

#include "params/FakeControls.h"

namespace flowcfg {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::FakeFactory;

constexpr int kEdit = VariableDescriptor::kEdit;
constexpr int kList = VariableDescriptor::kList;
constexpr int kDisplay = VariableDescriptor::kDisplay;
constexpr int kNoWindow = VariableDescriptor::kWindowless;

Bytes encoded(VariableTable& table, int address) {
    Bytes buffer;
    table.Encode(address, buffer, std::size_t(table.RegisterCount(address)) * 2);
    return buffer;
}

// The value rules of the edge cases every page relies on, windowless and behind an edit box.
TEST(VariableTableTest, ScaledFieldsWriteTheirShownDigits) {
    for (bool windowed : {false, true}) {
        FakeFactory factory;
        VariableTable table;
        table.Register(100, 0, 0, kEdit, 0, "0", 0, 0, 0, 600, "%0.2f", 0x3000, 0, 0x1200);
        ASSERT_EQ(table.Build(windowed ? &factory : nullptr), 0);
        BoundField* field = table.FindField(100);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->hasWindow(), windowed);
        field->setValue(12.34);
        EXPECT_EQ(field->text(), "12.34");
        EXPECT_EQ(encoded(table, 0x1200), (Bytes{0x04, 0xD2}));
        field->setText("0");
        table.Decode(0x1200, Bytes{0x04, 0xD2});
        EXPECT_EQ(field->text(), "12.34");
        EXPECT_DOUBLE_EQ(field->value(), 12.34);
        // What the user typed with fewer decimals than the format shows still scales by 10^2.
        if (windowed)
            factory.at(100).shown = "12.3";
        else
            field->setText("12.3");
        EXPECT_EQ(encoded(table, 0x1200), (Bytes{0x04, 0xCE}));
        // Limits clamp what is shown, and so what is written.
        field->setValue(700);
        EXPECT_EQ(field->text(), "600.00");
    }
}

TEST(VariableTableTest, SignednessComesFromTheEncoding) {
    VariableTable table;
    table.Register(1, kNoWindow, 0, kEdit, 0, "0", 0, 0, 0, 0, "%0.f", 0x3000, 0, 0x10);
    table.Register(2, kNoWindow, 0, kEdit, 0, "0", 0, 0, 0, 0, "%0.f", 0x200, 0, 0x20);
    table.Register(3, kNoWindow, 0, kEdit, 0, "0.0", 0, 0, -99999.9, 99999.9, "%0.1f", 0x8000, 0,
                   0x30);
    ASSERT_EQ(table.Build(nullptr), 0);
    table.FindField(1)->setText("65535");
    EXPECT_EQ(encoded(table, 0x10), (Bytes{0xFF, 0xFF}));
    table.Decode(0x10, Bytes{0xFF, 0xFF});
    table.Decode(0x20, Bytes{0xFF, 0xFF});
    EXPECT_EQ(table.FindField(1)->text(), "65535");
    EXPECT_EQ(table.FindField(2)->text(), "-1");
    table.FindField(3)->setValue(-99999.9);
    EXPECT_EQ(encoded(table, 0x30), (Bytes{0xFF, 0xF0, 0xBD, 0xC1}));
    table.Decode(0x30, Bytes{0x00, 0x00, 0x00, 0x64});
    EXPECT_EQ(table.FindField(3)->text(), "10.0");
}

// A set read and written back without edits must come back as it was read.
TEST(VariableTableTest, ReadValuesWriteBackUnchanged) {
    VariableTable table;
    table.Register(1, kNoWindow, 0, kEdit, 0, "0", 0, 0, 0, 0, "%0.2f", 0x2000, 0, 0x10);
    table.Register(2, kNoWindow, 0, kEdit, 0, "0", 0, 0, 0, 0, "%0.f", 0x1000, 2, 0x10);
    table.Register(3, kNoWindow, 0, kEdit, 0, "0", 0, 0, 0, 0, "%0.3f", 0x400, 5, 0x10);
    ASSERT_EQ(table.Build(nullptr), 0);
    // 65342 / 26 = 2513.1538... shown as 2513.15; 2513.15 * 26 = 65341.9 must give 65342.
    Bytes block = {0xFF, 0x3E, 0x00, 0x34, 0x15, 0x3F, 0xC0, 0x00, 0x00, 0x00};
    table.Decode(0x10, block);
    EXPECT_EQ(table.FindField(1)->text(), "2513.15");
    EXPECT_EQ(table.FindField(2)->text(), "1000");
    EXPECT_EQ(table.FindField(3)->text(), "1.500");
    EXPECT_EQ(encoded(table, 0x10), block);
}

TEST(VariableTableTest, BitsShareAByteAndHexTextsInEitherCase) {
    VariableTable table;
    table.Register(1, kNoWindow, 0, kList, 0, 0, 0, 0, 0, 0, "%c", 0x9001, 0, 0x40);
    table.Register(2, kNoWindow, 0, kList, 0, 0, 0, 0, 0, 0, "%c", 0x9002, 0, 0x40);
    table.Register(3, kNoWindow, 0, kDisplay, 0, "0x5A5A", 0, 0, 0, 0, "%4h", 0x3000, 0, 0x50);
    ASSERT_EQ(table.Build(nullptr), 0);
    table.FindField(1)->setInteger(1);
    table.FindField(2)->setInteger(1);
    EXPECT_EQ(encoded(table, 0x40), (Bytes{0x03, 0x00}));
    table.Decode(0x40, Bytes{0x02});
    EXPECT_EQ(table.FindField(1)->integer(), 0);
    EXPECT_EQ(table.FindField(2)->integer(), 1);

    EXPECT_EQ(encoded(table, 0x50), (Bytes{0x5A, 0x5A}));
    table.FindField(3)->setText("0x5a5a");
    EXPECT_EQ(encoded(table, 0x50), (Bytes{0x5A, 0x5A}));
    table.Decode(0x50, Bytes{0x12, 0xAB});
    EXPECT_EQ(table.FindField(3)->text(), "0x12AB");
    EXPECT_EQ(table.FindField(3)->integer(), 0x12AB);
}

TEST(VariableTableTest, TextsArePaddedAndEndAtZero) {
    VariableTable table;
    table.Register(1, kNoWindow, 0, kEdit, 0, "AB", 0, 0, 0, 8, "%s", 0x500, 2, 0x60);
    ASSERT_EQ(table.Build(nullptr), 0);
    EXPECT_EQ(table.BlockBytes(0x60), 10);
    EXPECT_EQ(encoded(table, 0x60), (Bytes{0, 0, 'A', 'B', ' ', ' ', ' ', ' ', ' ', ' '}));
    table.Decode(0x60, Bytes{0, 0, 'C', 'D', ' ', ' ', 0, 'X', 'Y', 'Z'});
    EXPECT_EQ(table.FindField(1)->text(), "CD");
}

TEST(VariableTableTest, DatesShowTheRulesAndWriteTheirBytesBack) {
    VariableTable table;
    table.Register(1, kNoWindow, 0, kDisplay, 0, "", 0, 0, 0, 0, "%s", 0xD000, 0, 0x70);
    table.Register(2, kNoWindow, 0, kDisplay, 0, "", 0, 0, 0, 0, "%s", 0x6000, 0, 0x80);
    ASSERT_EQ(table.Build(nullptr), 0);
    EXPECT_EQ(table.BlockBytes(0x70), 13);
    EXPECT_EQ(table.RegisterCount(0x70), 7);

    Bytes valid = {0, 24, 0, 3, 0, 7, 0, 14, 0, 5, 0, 9, 0, 0};
    table.Decode(0x70, valid);
    EXPECT_EQ(table.FindField(1)->text(), "07/03/2024 - 14:05:09");
    EXPECT_EQ(table.FindField(1)->value(),
              double(InstrumentDate{2024, 3, 7, 14, 5, 9}.secondsSince1980()));
    EXPECT_EQ(encoded(table, 0x70), valid);

    Bytes invalid = {0x93, 0x99, 0x32, 0x25, 0x61, 0x61};  // month 3, year 153, day 50 ...
    table.Decode(0x80, invalid);
    EXPECT_EQ(table.FindField(2)->text(), "01/01/1980 - 00:00:00");
    EXPECT_EQ(encoded(table, 0x80), (Bytes{0x03, 0x99, 0x32, 0x25, 0x61, 0x61}));

    // A date set by the program (the clock synchronisation) is written in the encoding's form.
    table.FindField(2)->setText("29/02/2024 - 23:59:58");
    EXPECT_EQ(encoded(table, 0x80), (Bytes{2, 24, 29, 23, 59, 58}));
    table.FindField(2)->setText("not a date");
    EXPECT_EQ(table.FindField(2)->text(), "29/02/2024 - 23:59:58");
}

TEST(VariableTableTest, ChordBlocksMapOntoThePipesChords) {
    VariableTable table;
    for (int h = 0; h < 8; ++h)  // gives each chord block its 13 registers
        table.Register(0, kNoWindow, 0, 0, 0, "", 0, 0, 0, 26, "%s", 0x500, 0, 0x1100 + 16 * h);
    for (int k = 0; k < 2; ++k) {
        table.Register(10 + k, kNoWindow, 0, kEdit, 0, "0", 0, 0, 0, 0, "%0.f", 0x3000, 2,
                       VariableTable::kPipeAChord + 16 * k);
        table.Register(20 + k, kNoWindow, 0, kEdit, 0, "0", 0, 0, 0, 0, "%0.f", 0x3000, 2,
                       VariableTable::kPipeBChord + 16 * k);
    }
    ASSERT_EQ(table.Build(nullptr), 0);
    EXPECT_EQ(table.RegisterCount(0x1170), 13);

    auto chordBlock = [](int value) {
        Bytes bytes(26, 0);
        bytes[3] = std::uint8_t(value);
        return bytes;
    };
    table.SetChordLayout(2, 2, 2);
    for (int h = 0; h < 5; ++h)
        table.Decode(0x1100 + 16 * h, chordBlock(h + 1));
    EXPECT_EQ(table.FindField(10)->integer(), 1);
    EXPECT_EQ(table.FindField(11)->integer(), 2);
    EXPECT_EQ(table.FindField(20)->integer(), 3);
    EXPECT_EQ(table.FindField(21)->integer(), 4);  // h = 4 maps to no chord
    EXPECT_EQ(encoded(table, 0x1130), chordBlock(4));
    EXPECT_EQ(encoded(table, 0x1140), Bytes(26, 0));
    EXPECT_EQ(table.FindBlock(0x1140)->data, Bytes(26, 0));

    // One pipe: chord block h = nA is dropped.
    table.SetChordLayout(1, 2, 2);
    table.Decode(0x1120, chordBlock(9));
    EXPECT_EQ(table.FindField(20)->integer(), 3);
    EXPECT_EQ(table.ChordView(0x1120), -1);
    EXPECT_EQ(table.ChordView(0x1110), VariableTable::kPipeAChord + 16);
    EXPECT_EQ(table.ChordView(0x1200), 0x1200);
}

TEST(VariableTableTest, BlocksFollowRegistrationAndTheSizeRule) {
    VariableTable table;
    table.Register(1, kNoWindow, 0, kEdit, 0, 0, 0, 0, 0, 0, "%0.f", 0x3000, 4, 0x1000);
    table.Register(2, 0, 0, 0, 0, "", 0, 0, 0, 10, "%s", 0x500, 0, 0xF300);  // no controls
    table.Register(3, kNoWindow, 0, kEdit, 0, 0, 0, 0, 0, 0, "%0.f", 0x100, 7, 0x1000);
    table.Register(4, kNoWindow, 0, kEdit, 0, 0, 0, 0, 0, 0, "%0.f", 0x3000, -1, 0x1000);
    table.Register(5, kNoWindow, 0, kEdit, 0, 0, 0, 0, 0, 0, "%0.f", 0x3000, 0, -1);
    table.DeclareRawBlock(0xE050, 24);
    ASSERT_EQ(table.Build(nullptr), 0);

    ASSERT_EQ(table.blocks().size(), 3u);
    EXPECT_EQ(table.blocks()[0].address, 0x1000);
    EXPECT_EQ(table.blocks()[0].registerCount, 4);  // bytes 0 ... 7
    EXPECT_EQ(table.blocks()[0].data, Bytes(8, 0));
    EXPECT_EQ(table.blocks()[1].address, 0xF300);
    EXPECT_EQ(table.blocks()[1].registerCount, 5);
    EXPECT_FALSE(table.blocks()[1].isRaw());
    EXPECT_EQ(table.blocks()[2].address, 0xE050);
    EXPECT_TRUE(table.blocks()[2].isRaw());
    EXPECT_EQ(table.BlockBytes(0xE050), 48);
    EXPECT_EQ(table.BlockBytes(0x1234), 0);
    EXPECT_EQ(table.FindBlock(0x1234), nullptr);

    // Raw blocks keep their bytes; Decode of an unknown block stores nothing.
    Bytes modules(48, 0x11);
    table.Decode(0xE050, modules);
    EXPECT_EQ(encoded(table, 0xE050), modules);
    table.Decode(0x1234, modules);
    EXPECT_EQ(table.FindBlock(0x1234), nullptr);

    // Bytes shorter than the block leave the variables beyond them alone.
    table.FindField(3)->setValue(5);
    table.Decode(0x1000, Bytes{0, 0, 0, 0, 0, 9});
    EXPECT_EQ(table.FindField(1)->integer(), 9);
    EXPECT_EQ(table.FindField(3)->integer(), 5);
    EXPECT_EQ(table.FindBlock(0x1000)->data.size(), 6u);
    // A buffer smaller than the block only gets the variables that fit.
    Bytes small;
    table.Encode(0x1000, small, 6);
    EXPECT_EQ(small, (Bytes{0, 0, 0, 0, 0, 9}));
}

TEST(VariableTableTest, GroupsKeepTheirOwnOrder) {
    VariableTable table;
    for (int address : {0x1000, 0xF300, 0x1200, 0xEFFF})
        table.Register(address, kNoWindow, 0, kEdit, 0, 0, 0, 0, 0, 0, "%0.f", 0x3000, 0, address);
    ASSERT_EQ(table.Build(nullptr), 0);
    EXPECT_EQ(table.SetGroupIndex(0x1200, kWriteGroup), 0);
    EXPECT_EQ(table.SetGroupIndex(0x1000, kWriteGroup), 1);
    EXPECT_EQ(table.SetGroupIndex(0xEFFF, kWriteGroup), 2);
    EXPECT_EQ(table.SetGroupIndex(0x1000, kWriteGroup), 1);  // already there
    EXPECT_EQ(table.SetGroupIndex(0x1000, kReadGroup), 0);
    EXPECT_EQ(table.SetGroupIndex(0x4444, kReadGroup), -1);
    EXPECT_EQ(table.SetGroupIndex(0x1000, kBlockGroupCount), -1);
    EXPECT_EQ(table.CountGroup(kWriteGroup), 3);
    EXPECT_EQ(table.BlockAt(kWriteGroup, 0)->address, 0x1200);
    EXPECT_EQ(table.BlockAt(kWriteGroup, 2)->address, 0xEFFF);
    EXPECT_EQ(table.BlockAt(kWriteGroup, 3), nullptr);
    table.ClearGroup(kWriteGroup);
    EXPECT_EQ(table.CountGroup(kWriteGroup), 0);
    EXPECT_EQ(table.CountGroup(kReadGroup), 1);
    EXPECT_EQ(table.SetGroupIndex(0xEFFF, kWriteGroup), 0);

    ASSERT_EQ(table.StoreFloats(0xF300, {1.5f, -2.0f}), 0);
    EXPECT_EQ(table.FindBlock(0xF300)->data, (Bytes{0x3F, 0xC0, 0, 0, 0xC0, 0, 0, 0}));
    EXPECT_EQ(table.StoreFloats(0x4444, {1.0f}), -1);
}

}  // namespace
}  // namespace flowcfg
