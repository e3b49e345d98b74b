#include <gtest/gtest.h>

#include "acquisition/RecordFile.h"
#include "acquisition/RecordFileTestSupport.h"
#include "cli/CliTestSupport.h"
#include "common/TempDir.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;

class RecordsCommandTest : public ::testing::Test {
protected:
    CliRun run(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"records"};
        all.insert(all.end(), args.begin(), args.end());
        return runCliCommand(all, StartupEnvironment());
    }
    TempDir dir;
};

TEST_F(RecordsCommandTest, ListsHeaderAndRecordsOfAFileTheToolWrote) {
    std::string path = dir.file("sample.mes");
    RecordFile file;
    ASSERT_EQ(file.create(path, "Measurement\nZq4xxKRw 03\n", march7()), RecordStatus::Ok);
    ASSERT_EQ(file.append(bytesOf(std::string(46, 'a'))), RecordStatus::Ok);
    ASSERT_EQ(file.append(bytesOf("\x01\x02\x03")), RecordStatus::Ok);
    file.close();

    auto listing = run({path});
    ASSERT_EQ(listing.status, 0) << listing.err;
    EXPECT_EQ(listing.out,
              "created: 07/03/2024 14:05:09\n"
              "description: Measurement\n"
              "description: Zq4xxKRw 03\n"
              "records: 2\n"
              "record 0: 46 bytes\n"
              "record 1: 3 bytes\n");

    auto dump = run({path, "--dump", "1"});
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, "0000: 01 02 03\n");
    auto wide = run({path, "--dump", "0"});
    EXPECT_EQ(wide.out.substr(0, 54), "0000: 61 61 61 61 61 61 61 61 61 61 61 61 61 61 61 61\n");
    EXPECT_NE(wide.out.find("\n0020: 61 61 61 61 61 61 61 61 61 61 61 61 61 61\n"),
              std::string::npos);
}

TEST_F(RecordsCommandTest, TornFilesListTheirCompleteRecordsWithANote) {
    std::string path = dir.file("torn.mes");
    std::string full = recordFileOf("x\n", {"abc", "defgh"});
    writeFile(path, full.substr(0, full.size() - 6));
    auto listing = run({path});
    ASSERT_EQ(listing.status, 0) << listing.err;
    EXPECT_NE(listing.out.find("records: 1\nrecord 0: 3 bytes\nnote: 15 bytes at the end"),
              std::string::npos)
        << listing.out;
    auto dump = run({path, "--dump", "1"});
    EXPECT_EQ(dump.status, 1);
    EXPECT_NE(dump.err.find("Incorrect File"), std::string::npos) << dump.err;
}

TEST_F(RecordsCommandTest, ErrorsSayWhatIsWrongAndFail) {
    auto missing = run({dir.file("missing.mes")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("No such file or directory"), std::string::npos) << missing.err;

    std::string bad = dir.file("bad.mes");
    writeFile(bad, "not a record file at all, just text\n");
    auto incorrect = run({bad});
    EXPECT_EQ(incorrect.status, 1);
    EXPECT_NE(incorrect.err.find(bad + ": Incorrect File"), std::string::npos) << incorrect.err;

    std::string good = dir.file("good.mes");
    writeFile(good, recordFileOf("", {"abc"}));
    EXPECT_EQ(run({good, "--dump", "1"}).status, 1);
    EXPECT_EQ(run({good, "--dump", "-1"}).status, 1);
    EXPECT_EQ(run({good, "--dump", "x"}).status, 2);
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({good, good}).status, 2);
    EXPECT_TRUE(run({good}).err.empty());
}

}  // namespace
}  // namespace flowcfg
