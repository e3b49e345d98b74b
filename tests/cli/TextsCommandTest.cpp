#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliTestSupport.h"
#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

using testing::runCliCommand;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(TextsCommandTest, OneLanguageAndOneIdGiveEachListPosition) {
    auto run = runCliCommand({"texts", "--lang", "2", "--id", "84"}, {});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "84\t0\tYes\n84\t1\tNo\n");
    auto french = runCliCommand({"texts", "--lang=1", "--id=0x246"}, {});
    ASSERT_EQ(french.status, 0) << french.err;
    EXPECT_EQ(french.out, "582\t0\tZones\n");
    auto empty = runCliCommand({"texts", "--lang", "2", "--id", "582"}, {});
    EXPECT_EQ(empty.out, "582\t0\t\n");
}

TEST(TextsCommandTest, LineBreaksInsideATextAreEscaped) {
    auto run = runCliCommand({"texts", "--lang", "2", "--id", "575"}, {});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "575\t0\tPlease wait!\\r\\n Connexion to the unit in progress! \n");
    auto modem = runCliCommand({"texts", "--lang", "1", "--id", "215"}, {});
    EXPECT_EQ(modem.out,
              "215\t0\tEchec de la connexion ! \\n\\nvérifier la liaison avec le modem.\\n"
              "vérifier l'état du modem.\\nvérifier la chaîne d'initialisation. \n");
}

TEST(TextsCommandTest, WholeLanguageHasOneLinePerStringOfEveryId) {
    LanguageTable table;
    for (int language = 1; language <= LanguageTable::kLanguages; ++language) {
        std::size_t strings = 0;
        for (int id = LanguageTable::kFirstId; id <= LanguageTable::kLastId; ++id)
            strings += table.lookup(id, language).size();
        auto run = runCliCommand({"texts", "--lang", std::to_string(language)}, {});
        ASSERT_EQ(run.status, 0) << run.err;
        auto lines = linesOf(run.out);
        EXPECT_EQ(lines.size(), strings) << language;
        EXPECT_EQ(lines.front(), "1\t0\t0 Hz");
        EXPECT_EQ(lines.back().rfind("582\t0\t", 0), 0u);
    }
}

TEST(TextsCommandTest, AllLanguagesStartWithTheLanguageCode) {
    auto run = runCliCommand({"texts", "--id", "6"}, {});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "1\t6\t0\t1er écran\n2\t6\t0\t1st screen\n3\t6\t0\t1a tela\n4\t6\t0\t1st Anzeige\n"
              "5\t6\t0\t1era pantalla\n");
}

TEST(TextsCommandTest, BadArgumentsAreRefusedWithAMessage) {
    for (std::vector<std::string> args : {std::vector<std::string>{"texts", "--lang", "6"},
                                          {"texts", "--lang", "0"},
                                          {"texts", "--id", "583"},
                                          {"texts", "--id", "0"},
                                          {"texts", "--id", "abc"},
                                          {"texts", "--lang"},
                                          {"texts", "--language", "1"},
                                          {"texts", "84"}}) {
        auto run = runCliCommand(args, {});
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_TRUE(run.out.empty()) << args.back();
        EXPECT_NE(run.err.find("usage: flowcfg-cli texts"), std::string::npos) << run.err;
    }
    EXPECT_NE(runCliCommand({"texts", "--lang", "9"}, {}).err.find("--lang must be 1 to 5"),
              std::string::npos);
}

}  // namespace
}  // namespace flowcfg
