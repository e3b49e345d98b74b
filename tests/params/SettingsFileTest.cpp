#include "params/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "acquisition/RecordFile.h"
#include "common/TempDir.h"
#include "params/LayoutLine.h"
#include "params/ParameterBlocks.h"
#include "params/ParameterControls.h"
#include "params/ParamsTestSupport.h"

namespace flowcfg {
namespace {

using testing::OfflinePage;
using testing::TempDir;

LayoutOptions layout() {
    LayoutOptions o;
    o.level = 2;
    o.pipes = 2;
    o.chordsA = 3;
    o.chordsB = 2;
    o.maxChords = 5;
    o.modules[4] = 2;
    return o;
}

// A set whose values differ from the initial ones in every kind of field.
void edit(ParameterPage& page) {
    VariableTable& t = page.table();
    t.FindField(ctl::kPipes)->setInteger(2);
    t.FindField(ctl::kUnitName)->setText("SITE 7");
    t.FindField(ctl::kMinimum)->setValue(-1234.5);
    t.FindField(ctl::pipeField(0, ctl::pipe::kChords))->setInteger(3);
    t.FindField(ctl::pipeField(1, ctl::pipe::kChords))->setInteger(2);
    t.FindField(ctl::pipeField(0, ctl::pipe::kDiameter))->setValue(512.3);
    t.FindField(ctl::pipeField(1, ctl::pipe::kSimulationFlow))->setValue(-12.34);
    t.FindField(ctl::pipeField(1, ctl::pipe::kProfileCoefficient + 7))->setValue(0.5);
    t.FindField(ctl::chordField(0, 2, ctl::chord::kDistance))->setValue(4321.5);
    t.FindField(ctl::chordField(1, 1, ctl::chord::kTimeOffset))->setValue(-3.25);
    t.FindField(ctl::loggerSelection(9, ctl::selection::kValue))->setInteger(77);
    t.FindField(ctl::totalizerField(3, ctl::totalizer::kWeight))->setInteger(65535);
    t.FindField(ctl::moduleField(4, ctl::module::kHigh))->setValue(250.5);
    t.FindField(ctl::functionParameter(5, ctl::function::kB))->setValue(-2.125);
    t.FindField(ctl::probeSet(1, ctl::kProbeName))->setText("K9");
    page.FieldChanged(ctl::pipeField(0, ctl::pipe::kChords));
}

// Every field's value: numbers as numbers (an initial "0.9" is the "0.90" read back), the rest
// as text.
std::vector<std::pair<int, std::string>> values(ParameterPage& page) {
    std::vector<std::pair<int, std::string>> out;
    for (BoundField& field : page.table().fields())
        out.emplace_back(field.controlId(), field.descriptor().isNumeric()
                                                ? std::to_string(field.value())
                                                : field.text());
    return out;
}

TEST(SettingsFileTest, ASavedSetLoadsBackWithItsLayoutLineAndEveryValue) {
    TempDir dir;
    OfflinePage original(layout());
    edit(original.page);
    ASSERT_EQ(original.page.SaveParameterSet(dir.file("site.eta")), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("site.eta.part")));

    RecordFile file;
    ASSERT_EQ(file.open(dir.file("site.eta")), RecordStatus::Ok);
    EXPECT_EQ(file.header().description, LayoutLine::Format(layout()));
    EXPECT_EQ(file.count(), 48);  // the 46 blocks, then the two profile curves
    std::vector<std::uint8_t> pipeA, curveB;
    ASSERT_EQ(file.read(2, pipeA), RecordStatus::Ok);
    ASSERT_EQ(pipeA.size(), 124u);
    EXPECT_EQ(pipeA[0] << 8 | pipeA[1], 5123);  // 512.3 mm in tenths
    ASSERT_EQ(file.read(47, curveB), RecordStatus::Ok);
    ASSERT_EQ(curveB.size(), 80u);
    EXPECT_EQ(curveB[54] << 8 | curveB[55], 500);  // coefficient 8 of pipe B: 0.5

    LayoutOptions header;
    ASSERT_EQ(SettingsFile::ReadLayout(dir.file("site.eta"), header), SettingsFile::Status::Ok);
    EXPECT_EQ(header, layout());

    OfflinePage loaded(header, nullptr, ParameterPage::kModeFile, dir.file("site.eta"));
    ASSERT_EQ(loaded.page.Open(), ParameterPage::kStayOpen);
    EXPECT_TRUE(loaded.prompts.errors.empty());
    // Everything read and saved survives; the identification is read from the instrument only.
    auto before = values(original.page);
    auto after = values(loaded.page);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        int id = before[i].first;
        if (id >= ctl::kIdSlave && id <= ctl::kIdFirmware) continue;
        EXPECT_EQ(after[i], before[i]) << id;
    }
    EXPECT_EQ(loaded.page.catalogue().ProbeName(1), "SBK9");
    EXPECT_EQ(loaded.page.captionFile(), dir.file("site.eta"));
}

std::vector<std::vector<std::uint8_t>> recordsOf(const std::string& path) {
    RecordFile file;
    EXPECT_EQ(file.open(path), RecordStatus::Ok);
    std::vector<std::vector<std::uint8_t>> records(std::size_t(file.count()));
    for (int i = 0; i < file.count(); ++i)
        EXPECT_EQ(file.read(i, records[std::size_t(i)]), RecordStatus::Ok);
    return records;
}

void writeRecords(const std::string& path, const std::vector<std::vector<std::uint8_t>>& records) {
    RecordFile out;
    ASSERT_EQ(out.create(path, LayoutLine::Format(layout())), RecordStatus::Ok);
    for (const auto& r : records)
        ASSERT_EQ(out.append(r), RecordStatus::Ok);
}

// Files of 46 records open: with 62-register pipe records they have no profile curves; with
// 102-register pipe records (earlier versions) the curve follows each pipe's registers.
TEST(SettingsFileTest, FilesWithoutCurveRecordsOpenAndOlderPipeRecordsKeepTheirCurve) {
    TempDir dir;
    OfflinePage saved(layout());
    edit(saved.page);
    ASSERT_EQ(saved.page.SaveParameterSet(dir.file("new.eta")), 0);
    auto records = recordsOf(dir.file("new.eta"));
    ASSERT_EQ(records.size(), 48u);
    auto withoutCurves = records;
    withoutCurves.resize(46);
    writeRecords(dir.file("plain.eta"), withoutCurves);
    auto older = withoutCurves;
    for (int p = 0; p < 2; ++p)
        older[2 + p].insert(older[2 + p].end(), records[46 + p].begin(), records[46 + p].end());
    writeRecords(dir.file("older.eta"), older);

    const int diameter = ctl::pipeField(0, ctl::pipe::kDiameter);
    const int point = ctl::pipeField(1, ctl::pipe::kProfileCoefficient + 7);
    {
        OfflinePage plain(layout(), nullptr, ParameterPage::kModeFile, dir.file("plain.eta"));
        ASSERT_EQ(plain.page.Open(), ParameterPage::kStayOpen);
        EXPECT_TRUE(plain.prompts.errors.empty());
        EXPECT_EQ(testing::shown(plain.page, diameter), "512.3");
        EXPECT_EQ(testing::shown(plain.page, point), "0.978");  // its initial value
        EXPECT_FALSE(plain.page.table().FindField(point)->isEnabled());
        // Saved again, it keeps its shape.
        ASSERT_EQ(plain.page.SaveParameterSet(dir.file("again.eta")), 0);
        EXPECT_EQ(recordsOf(dir.file("again.eta")), withoutCurves);
    }
    OfflinePage old(layout(), nullptr, ParameterPage::kModeFile, dir.file("older.eta"));
    ASSERT_EQ(old.page.Open(), ParameterPage::kStayOpen);
    EXPECT_TRUE(old.prompts.errors.empty());
    EXPECT_EQ(testing::shown(old.page, diameter), "512.3");
    EXPECT_EQ(testing::shown(old.page, point), "0.500");
    EXPECT_TRUE(old.page.table().FindField(point)->isEnabled());
    ASSERT_EQ(old.page.SaveParameterSet(dir.file("converted.eta")), 0);
    EXPECT_EQ(recordsOf(dir.file("converted.eta")), records);
}

TEST(SettingsFileTest, BrokenFilesAreRefusedWithNothingHalfLoaded) {
    TempDir dir;
    OfflinePage saved(layout());
    edit(saved.page);
    ASSERT_EQ(saved.page.SaveParameterSet(dir.file("good.eta")), 0);
    const std::string good = testing::readFile(dir.file("good.eta"));

    // A record of pipe B two bytes short: its length fields say so, the walk still works.
    RecordFile file;
    ASSERT_EQ(file.open(dir.file("good.eta")), RecordStatus::Ok);
    std::vector<std::vector<std::uint8_t>> records(46);
    for (int i = 0; i < 46; ++i)
        ASSERT_EQ(file.read(i, records[std::size_t(i)]), RecordStatus::Ok);
    file.close();
    auto rewrite = [&](const std::string& name, int drop, int shorten) {
        RecordFile out;
        ASSERT_EQ(out.create(dir.file(name), LayoutLine::Format(layout())), RecordStatus::Ok);
        for (int i = 0; i < 46; ++i) {
            if (i == drop) continue;
            auto r = records[std::size_t(i)];
            if (i == shorten) r.resize(r.size() - 2);
            ASSERT_EQ(out.append(r), RecordStatus::Ok);
        }
    };
    rewrite("short.eta", -1, 3);
    rewrite("missing.eta", 45, -1);
    testing::writeFile(dir.file("cut.eta"), good.substr(0, good.size() / 2));
    std::string broken = good;
    broken.replace(28, 1, "x");  // the layout line's first value
    testing::writeFile(dir.file("header.eta"), broken);
    testing::writeFile(dir.file("text.eta"), "not a settings file at all");

    for (const char* name : {"short.eta", "missing.eta", "cut.eta", "header.eta", "text.eta"}) {
        OfflinePage page(LayoutOptions{}, nullptr, ParameterPage::kModeFile, dir.file(name));
        auto before = values(page.page);
        EXPECT_EQ(page.page.Open(), ParameterPage::kCancel) << name;
        ASSERT_EQ(page.prompts.errors.size(), 1u) << name;
        EXPECT_EQ(page.prompts.errors[0].text, "Incorrect File") << name;
        EXPECT_EQ(page.prompts.errors[0].title, "Error") << name;
        EXPECT_EQ(values(page.page), before) << name;
    }
    OfflinePage absent(LayoutOptions{}, nullptr, ParameterPage::kModeFile, dir.file("none.eta"));
    EXPECT_EQ(absent.page.Open(), ParameterPage::kCancel);
    ASSERT_EQ(absent.prompts.errors.size(), 1u);
    EXPECT_EQ(absent.prompts.errors[0].text, "Couldn't open source file : " + dir.file("none.eta"));
}

TEST(SettingsFileTest, AFailedSaveLeavesTheFileThatWasThere) {
    TempDir dir;
    OfflinePage page(layout());
    ASSERT_EQ(page.page.SaveParameterSet(dir.file("keep.eta")), 0);
    const std::string kept = testing::readFile(dir.file("keep.eta"));
    // The partial file cannot be made (a directory is in its way): the old file stays.
    std::filesystem::create_directory(dir.file("keep.eta.part"));
    edit(page.page);
    EXPECT_EQ(page.page.SaveParameterSet(dir.file("keep.eta")), -1);
    ASSERT_EQ(page.prompts.errors.size(), 1u);
    EXPECT_EQ(page.prompts.errors[0].text, "Can not open destination file !");
    EXPECT_EQ(testing::readFile(dir.file("keep.eta")), kept);
}

}  // namespace
}  // namespace flowcfg
