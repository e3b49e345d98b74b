// The function page and its editors: the definitions' layout in block 0xD200 with every type,
// the type change rule, a block that does not parse, and the transfer against flowsim.
#include "params/FunctionPage.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/TempDir.h"
#include "params/ParamsSimSupport.h"
#include "params/ParamsTestSupport.h"

namespace flowcfg {
namespace {

using D = FunctionDefinitions;
using testing::RecordingProgress;
using testing::ScriptedPrompts;
using testing::SimInstrument;

struct Page {
    ScriptedPrompts prompts;
    RecordingProgress progress;
    FunctionPage page;
    std::vector<int> waits;
    Page(BlockExchange& line, int mode, const std::string& file = {})
        : page(PageContext{prompts, progress, line, testing::kEnglish}, mode, file) {
        prompts.unscriptedAnswer = true;
        page.exchange().setPause([](int) {});
        page.setWait([this](int ms) { waits.push_back(ms); });
        page.Start(nullptr);
    }
    BoundField& field(int id) { return *page.table().FindField(id); }
    // Fills function k's editor with distinct values and applies it; the values set.
    std::vector<double> edit(int k) {
        auto editor = page.EditorFor(k);
        editor->Build();
        std::vector<double> values;
        for (std::size_t i = 0; i < D::ParametersOf(editor->type()).size(); ++i) {
            const D::Kind kind = D::ParametersOf(editor->type())[i].kind;
            const double v = kind == D::Kind::Real      ? -1.25 * double(k + 1) + double(i)
                             : kind == D::Kind::Tenths  ? 2.5 + double(i)
                             : kind == D::Kind::Seconds ? 60.0 + double(k)
                                                        : double(1 + (k + int(i)) % 10);
            editor->field(int(i))->setValue(v);
            values.push_back(editor->field(int(i))->value());
        }
        EXPECT_EQ(page.ApplyEditor(k, *editor), 0);
        return values;
    }
};

// Every type with parameters in one set (types 1 ... 18 on functions 1 ... 18): the editors'
// values go through block 0xD200 and a ".fct" file and come back the same.
TEST(FunctionPageTest, EveryEditorRoundTripsItsParametersThroughTheBlock) {
    testing::TempDir dir;
    OfflineExchange offline;
    Page made(offline, BlockPage::kModeNew);
    std::vector<std::vector<double>> values(20);
    std::vector<std::string> summaries(20);
    for (int k = 0; k < 18; ++k) {
        ASSERT_EQ(made.page.SetType(k, k + 1), 0) << k;
        if (D::ParametersOf(k + 1).empty()) continue;
        values[std::size_t(k)] = made.edit(k);
        summaries[std::size_t(k)] = made.field(FunctionPage::summary(k)).text();
        EXPECT_FALSE(summaries[std::size_t(k)].empty()) << k;
    }
    EXPECT_EQ(made.field(FunctionPage::summary(7)).text(), "y = -9 x Totalizer 1 + -8");
    ASSERT_EQ(made.page.Save(dir.file("all.fct")), 0);

    Page loaded(offline, BlockPage::kModeFile, dir.file("all.fct"));
    ASSERT_EQ(loaded.page.result(), BlockPage::kStayOpen);
    for (int k = 0; k < 20; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(loaded.page.type(k), k < 18 ? k + 1 : 0);
        EXPECT_EQ(loaded.field(FunctionPage::typeList(k)).integer(), loaded.page.type(k));
        EXPECT_EQ(loaded.field(FunctionPage::summary(k)).text(), summaries[std::size_t(k)]);
        auto editor = loaded.page.EditorFor(k);
        if (!editor) continue;
        editor->Build();
        for (std::size_t i = 0; i < values[std::size_t(k)].size(); ++i)
            EXPECT_FLOAT_EQ(float(editor->field(int(i))->value()),
                            float(values[std::size_t(k)][i]));
    }
}

TEST(FunctionPageTest, ATypeThatWouldOverflowTheBlockIsRefusedAndTheListGoesBack) {
    OfflineExchange offline;
    Page page(offline, BlockPage::kModeNew);
    // "ax5+bx4+cx3" takes 15 bytes: 12 of them fit in the 196 bytes, with 8 types "Off".
    int k = 0;
    for (; k < 20 && page.page.SetType(k, 15) == 0; ++k) {
    }
    EXPECT_EQ(k, 12);
    EXPECT_EQ(page.page.type(12), 0);
    EXPECT_EQ(page.field(FunctionPage::typeList(12)).integer(), 0);
    ASSERT_EQ(page.prompts.errors.size(), 1u);
    EXPECT_EQ(page.prompts.errors[0].text,
              "The 20 functions do not fit in the 200 bytes of the device: the previous "
              "parameters are kept.");
    EXPECT_EQ(D::Encode([&] {
                  D::Set set;
                  for (int j = 0; j < 20; ++j)
                      set[std::size_t(j)].type = 15;
                  return set;
              }()),
              std::vector<std::uint8_t>{});
}

TEST(FunctionDefinitionsTest, ParsingStopsAtAnUnknownTypeOrParametersPastTheBlock) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> definitions;  // type word, parameter bytes written
        int parsed;
    };
    // 13 of "ax5+bx4+cx3" take 4 + 195 bytes: a fourteenth runs past the block.
    std::vector<std::pair<int, int>> tooLong(14, {15, 13});
    const Case cases[] = {
        {"all known", {{8, 9}, {0, 0}, {18, 6}}, 20},
        {"unknown type", {{8, 9}, {1, 3}, {77, 0}, {8, 9}}, 2},
        {"past the block", tooLong, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> block(200, 0);
        std::size_t at = 4;
        for (auto [type, bytes] : c.definitions) {
            if (at + 2 > block.size()) break;
            block[at] = std::uint8_t(type >> 8);
            block[at + 1] = std::uint8_t(type);
            at += 2 + std::size_t(bytes);
        }
        const D::Parsed parsed = D::Parse(block);
        EXPECT_EQ(parsed.parsed, c.parsed);
        for (int k = parsed.parsed; k < 20; ++k)
            EXPECT_EQ(parsed.functions[std::size_t(k)].type, 0);
    }
}

struct Sim : SimInstrument {
    Sim() : SimInstrument({}) {}
};

// Function 1 as "y = ax + b" of QT is written, the instrument computes it; a function set back
// to "Off" is written as type 0.
TEST(FunctionPageTest, TheTransferWritesInOrderWaitsAndClosesWhenTheInstrumentAcceptsIt) {
    Sim sim;
    {
        Page first(sim.line(), BlockPage::kModeRead);
        ASSERT_EQ(first.page.result(), BlockPage::kStayOpen);
        std::vector<int> reads;
        for (const auto& r : sim.requests())
            reads.push_back(r.start);
        EXPECT_EQ(reads, (std::vector<int>{0xFF00, 0xD000, 0xD100, 0xD200, 0x03CD}));
        ASSERT_EQ(first.page.SetType(0, 8), 0);
        ASSERT_EQ(first.page.ApplyParameters(0, D::Store(8, {3, 2.0, 1.0})), 0);
        EXPECT_EQ(first.field(FunctionPage::summary(0)).text(), "y = 2 x QT + 1");
        ASSERT_EQ(first.page.SetType(1, 16), 0);
        ASSERT_EQ(first.page.ApplyParameters(1, D::Store(16, {3, 1, 1, 1})), 0);
        ASSERT_EQ(first.page.TransferToInstrument(), 0);
        EXPECT_EQ(first.page.result(), BlockPage::kOk);
        EXPECT_EQ(first.waits, (std::vector<int>{4000}));
        EXPECT_EQ(first.prompts.questions.size(), 1u);
    }
    std::vector<int> writes = sim.writtenStarts();
    EXPECT_EQ(writes, (std::vector<int>{0xD200, 0xD000, 0xD100, 0xEFFF}));
    EXPECT_EQ(sim.requests().back().start, 0x0200);

    Page second(sim.line(), BlockPage::kModeRead);
    EXPECT_EQ(second.page.type(0), 8);
    EXPECT_EQ(second.page.type(1), 16);
    const double value = second.field(FunctionPage::currentValue(0)).value();
    EXPECT_GT(value, 1.0);  // 2 QT + 1 with water flowing
    EXPECT_EQ(second.field(FunctionPage::defaultState(0)).integer(), 0);
    EXPECT_NE(second.field(FunctionPage::defaultState(2)).integer(), 0);  // bit 7: "Off"

    // Back to "Off": parameters and summary emptied, written as type 0.
    ASSERT_EQ(second.page.SetType(1, 0), 0);
    EXPECT_TRUE(second.page.definition(1).parameters.empty());
    EXPECT_EQ(second.field(FunctionPage::summary(1)).text(), "");
    second.page.setNoConfirmation(true);
    ASSERT_EQ(second.page.TransferToInstrument(), 0);
    EXPECT_TRUE(second.prompts.questions.empty());
    const auto last = sim.writes();
    const std::string block = last[last.size() - 4].data;
    EXPECT_EQ(last[last.size() - 4].start, 0xD200);
    // Header, function 1 (type 8 and 9 bytes), then function 2's type word 0.
    EXPECT_EQ(block.substr(0, 8), "00310014");
    EXPECT_EQ(block.substr(8 + 22, 4), "0000");
}

TEST(FunctionPageTest, AStatusWithTheFunctionErrorKeepsThePageOpenWithTheError) {
    Sim sim;
    Page page(sim.line(), BlockPage::kModeRead);
    // Output 1 takes function 5, which is "Off": the instrument reports the error.
    page.field(FunctionPage::outputSource(0)).setInteger(3);
    page.field(FunctionPage::outputFunction(0)).setInteger(4);
    EXPECT_EQ(page.page.TransferToInstrument(), -1);
    EXPECT_EQ(page.page.result(), BlockPage::kStayOpen);
    ASSERT_EQ(page.prompts.errors.size(), 1u);
    EXPECT_EQ(page.prompts.errors[0].text, "Error");
    EXPECT_EQ(page.prompts.errors[0].title, "Error");
}

TEST(FunctionPageTest, AnUnreadableBlockOpensMarkedAndIsWrittenBackOnlyWithConsent) {
    Sim sim;
    // Function 3 of the instrument has a type this program does not know.
    std::vector<std::uint8_t> block(200, 0);
    block[3] = 20;
    block[4 + 1] = 1;          // function 1: "Min" with 3 bytes
    block[4 + 5 + 1] = 8;      // function 2: "y = ax + b" with 9 bytes
    block[4 + 5 + 11] = 0x40;  // function 3: type 0x4000
    ASSERT_EQ(sim.line().open(), 0);
    ASSERT_EQ(sim.line().write(0xD200, block), 0);
    sim.line().close();

    Page page(sim.line(), BlockPage::kModeRead);
    ASSERT_EQ(page.page.result(), BlockPage::kStayOpen);
    EXPECT_TRUE(page.page.readable(1));
    EXPECT_FALSE(page.page.readable(2));
    EXPECT_EQ(page.page.type(1), 8);
    EXPECT_EQ(page.field(FunctionPage::summary(2)).text(), "Not readable");
    EXPECT_EQ(page.field(FunctionPage::summary(19)).text(), "Not readable");

    const std::size_t before = sim.writes().size();
    page.prompts.answers = {false};
    EXPECT_EQ(page.page.TransferToInstrument(), -1);
    EXPECT_EQ(sim.writes().size(), before);
    ASSERT_EQ(page.prompts.questions.size(), 1u);
    EXPECT_EQ(page.prompts.questions[0].text,
              "Some functions of the device could not be read; they will be written as Off. "
              "Transfer anyway ?");

    page.prompts.answers = {true, true};
    ASSERT_EQ(page.page.TransferToInstrument(), 0);
    const D::Parsed written = D::Parse([&] {
        std::string hex = sim.writes()[before].data;
        std::vector<std::uint8_t> bytes;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
            bytes.push_back(std::uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
        return bytes;
    }());
    EXPECT_EQ(written.parsed, 20);
    EXPECT_EQ(written.functions[0].type, 1);
    EXPECT_EQ(written.functions[1].type, 8);
    EXPECT_EQ(written.functions[2].type, 0);
}

}  // namespace
}  // namespace flowcfg
