// "Special Settings" and "Factory Settings" against flowsim over its pseudo-terminal: what the
// pages read, what they write (as flowsim's request log shows it), their files.
#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "params/FactorySettingsPage.h"
#include "params/ParameterControls.h"
#include "params/ParamsSimSupport.h"
#include "params/ParamsTestSupport.h"
#include "params/SpecialSettingsPage.h"
#include "shell/EditValueRules.h"

namespace flowcfg {
namespace {

using testing::RecordingProgress;
using testing::ScriptedPrompts;
using testing::SimInstrument;

template <typename Page>
struct Opened {
    ScriptedPrompts prompts;
    RecordingProgress progress;
    Page page;
    Opened(BlockExchange& line, int mode, const std::string& file = {})
        : page(PageContext{prompts, progress, line, testing::kEnglish}, mode, file) {
        prompts.unscriptedAnswer = true;
        page.exchange().setPause([](int) {});
        page.Start(nullptr);
    }
    BoundField& field(int id) { return *page.table().FindField(id); }
};

using Special = Opened<SpecialSettingsPage>;
using Factory = Opened<FactorySettingsPage>;

std::vector<int> starts(const std::vector<SimInstrument::Request>& requests) {
    std::vector<int> out;
    for (const auto& r : requests)
        out.push_back(r.start);
    return out;
}

TEST(SpecialSettingsTest, ReadsTheIdentityAndWritesItThenTheResetWithAThirtyTwoBitSerialPart) {
    SimInstrument sim({});
    Special special(sim.line(), BlockPage::kModeRead);
    ASSERT_EQ(special.page.result(), BlockPage::kStayOpen);
    EXPECT_EQ(starts(sim.requests()), (std::vector<int>{0xFF00, 0xFD00}));
    EXPECT_EQ(special.field(ctl::kSerialText).text(), "24/07/00042");
    EXPECT_EQ(special.field(ctl::kBoardSerialText).text(), "24/06/00117");

    // The edit field keeps 65600 and refuses what lies above 65635.
    const VariableDescriptor& part3 = special.field(ctl::kSerial3).descriptor();
    EXPECT_EQ(reformattedEditText("65600", part3.format, part3.low, part3.high), "65600");
    EXPECT_EQ(reformattedEditText("65700", part3.format, part3.low, part3.high), "65635");
    special.field(ctl::kSerial3).setText("65600");
    special.page.FieldChanged(ctl::kSerial3);
    EXPECT_EQ(special.field(ctl::kSerialText).text(), "24/07/65600");

    ASSERT_EQ(special.page.TransferToInstrument(), 0);
    EXPECT_EQ(special.page.result(), BlockPage::kOk);
    ASSERT_EQ(special.prompts.questions.size(), 1u);
    EXPECT_EQ(special.prompts.questions[0].text, "Do you want to transfer data to the device ?");
    const auto writes = sim.writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].start, 0xFD00);
    EXPECT_EQ(writes[0].count, 22);
    EXPECT_EQ(writes[0].data.substr(8, 8), "00010040");  // 65600, all 32 bits
    EXPECT_EQ(writes[1].start, 0xEFFE);
    EXPECT_EQ(writes[1].count, 2);
    EXPECT_EQ(writes[1].data, "55AAAA55");

    Special again(sim.line(), BlockPage::kModeRead);
    EXPECT_EQ(again.field(ctl::kSerial3).integer(), 65600);
}

TEST(SpecialSettingsTest, FilesKeepTheSetAndAreSentWithoutAQuestionInModeSixteen) {
    testing::TempDir dir;
    SimInstrument sim({});
    {
        Special read(sim.line(), BlockPage::kModeRead);
        read.field(ctl::kConfigWord + 3).setText("0xBEEF");
        read.field(ctl::kApplication).setInteger(3);
        ASSERT_EQ(read.page.Save(dir.file("set.rsp")), 0);
        // Declined: nothing written, the page stays open.
        read.prompts.answers = {false};
        EXPECT_EQ(read.page.TransferToInstrument(), -1);
        EXPECT_EQ(read.page.result(), BlockPage::kStayOpen);
        EXPECT_TRUE(sim.writes().empty());
    }
    Special loaded(sim.line(), BlockPage::kModeFile, dir.file("set.rsp"));
    ASSERT_EQ(loaded.page.result(), BlockPage::kStayOpen);
    EXPECT_EQ(loaded.field(ctl::kConfigWord + 3).integer(), 0xBEEF);
    EXPECT_EQ(loaded.field(ctl::kApplication).integer(), 3);
    EXPECT_EQ(loaded.field(ctl::kSerialText).text(), "24/07/00042");

    Special sent(sim.line(), BlockPage::kModeWriteOnly, dir.file("set.rsp"));
    EXPECT_EQ(sent.page.result(), BlockPage::kOk);
    EXPECT_TRUE(sent.prompts.questions.empty());
    EXPECT_EQ(starts(sim.writes()), (std::vector<int>{0xFD00, 0xEFFE}));

    // Another page's file is not a special settings file.
    Factory factory(sim.line(), BlockPage::kModeNew);
    ASSERT_EQ(factory.page.Save(dir.file("other.rus")), 0);
    Special wrong(sim.line(), BlockPage::kModeFile, dir.file("other.rus"));
    EXPECT_EQ(wrong.page.result(), BlockPage::kCancel);
    ASSERT_EQ(wrong.prompts.errors.size(), 1u);
    EXPECT_EQ(wrong.prompts.errors[0].text, "Incorrect File");
}

TEST(SpecialSettingsTest, AFailedReadClosesThePage) {
    testing::NoInstrument none;
    Special special(none, BlockPage::kModeRead);
    EXPECT_EQ(special.page.result(), BlockPage::kCancel);
    ASSERT_EQ(special.prompts.errors.size(), 1u);
    EXPECT_EQ(special.prompts.errors[0].text, "Cannot open COM port !");
    Factory factory(none, BlockPage::kModeRead);
    EXPECT_EQ(factory.page.result(), BlockPage::kCancel);
}

TEST(FactorySettingsTest, TheFirstChosenCommandIsSentAndNothingWithoutAChoice) {
    using F = FactorySettingsPage;
    struct Case {
        const char* name;
        bool reboot, reset, upgrade;
        std::string upgradeName;
        int start;  // -1: nothing written
        int count;
        std::string data;
    };
    const Case cases[] = {
        {"reboot and reset", true, true, false, "", 0xEFFF, 1, "5A5A"},
        {"reset and upgrade", false, true, true, "X", 0xEFFE, 2, "55AAAA55"},
        // "FIRMWARE_V2_LONG.BIN" cut to 12, "KV4.BIN" padded with spaces.
        {"long upgrade name", false, false, true, "FIRMWARE_V2_LONG.BIN", 0xEFFD, 6,
         "4649524D574152455F56325F"},
        {"short upgrade name", false, false, true, "KV4.BIN", 0xEFFD, 6,
         "4B56342E42494E2020202020"},
        {"none", false, false, false, "", -1, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimInstrument sim({});
        Factory factory(sim.line(), BlockPage::kModeRead);
        ASSERT_EQ(factory.page.result(), BlockPage::kStayOpen);
        factory.page.setChoice(F::kReboot, c.reboot);
        factory.page.setChoice(F::kReset, c.reset);
        factory.page.setChoice(F::kUpgrade, c.upgrade);
        factory.page.setUpgradeName(c.upgradeName);
        const auto writes = [&] {
            factory.page.TransferToInstrument();
            return sim.writes();
        }();
        if (c.start < 0) {
            EXPECT_TRUE(writes.empty());
            EXPECT_TRUE(factory.prompts.questions.empty());
            EXPECT_EQ(factory.page.result(), BlockPage::kStayOpen);
            continue;
        }
        EXPECT_EQ(factory.prompts.questions.size(), 1u);
        ASSERT_EQ(writes.size(), 1u);
        EXPECT_EQ(writes[0].start, c.start);
        EXPECT_EQ(writes[0].count, c.count);
        EXPECT_EQ(writes[0].data, c.data);
        EXPECT_EQ(factory.page.result(), BlockPage::kOk);
    }
}

TEST(FactorySettingsTest, AFileKeepsTheChoicesAndModeSixteenSendsThemWithoutAQuestion) {
    using F = FactorySettingsPage;
    testing::TempDir dir;
    SimInstrument sim({});
    {
        Factory factory(sim.line(), BlockPage::kModeNew);
        factory.page.setChoice(F::kUpgrade, true);
        factory.page.setUpgradeName("KV4-2027.BIN");
        ASSERT_EQ(factory.page.Save(dir.file("upgrade.rus")), 0);
    }
    Factory loaded(sim.line(), BlockPage::kModeFile, dir.file("upgrade.rus"));
    EXPECT_EQ(loaded.page.ChosenCommand(), F::kUpgradeCommand);
    EXPECT_EQ(loaded.field(F::kUpgradeName).text(), "KV4-2027.BIN");
    EXPECT_TRUE(sim.requests().empty());  // a file opens without the instrument

    Factory sent(sim.line(), BlockPage::kModeWriteOnly, dir.file("upgrade.rus"));
    EXPECT_EQ(sent.page.result(), BlockPage::kOk);
    EXPECT_TRUE(sent.prompts.questions.empty());
    ASSERT_EQ(sim.writes().size(), 1u);
    EXPECT_EQ(sim.writes()[0].start, 0xEFFD);
    EXPECT_NE(sim.log().find("command upgrade KV4-2027.BIN"), std::string::npos);
}

}  // namespace
}  // namespace flowcfg
