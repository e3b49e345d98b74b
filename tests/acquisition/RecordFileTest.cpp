#include "acquisition/RecordFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "acquisition/RecordFileTestSupport.h"
#include "common/TempDir.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;

const std::string kDescription = "Measurement\nZq4xxKRw 03\n7\n";

TEST(RecordFileTest, NewFileIsTheHeaderAndACountOfZero) {
    TempDir dir;
    std::string path = dir.file("new.mes");
    RecordFile file;
    ASSERT_EQ(file.create(path, kDescription, march7()), RecordStatus::Ok);
    file.close();
    EXPECT_EQ(readFile(path), headerOf(kDescription) + int32le(0));
    EXPECT_EQ(std::filesystem::file_size(path), 29 + kDescription.size() + 4);
}

TEST(RecordFileTest, AppendWritesTheDocumentedLayout) {
    TempDir dir;
    std::string path = dir.file("one.mes");
    RecordFile file;
    ASSERT_EQ(file.create(path, kDescription, march7()), RecordStatus::Ok);
    std::string payload = "\x01\x02\x03\x04\x05\x06\x07";
    ASSERT_EQ(file.append(bytesOf(payload)), RecordStatus::Ok);
    std::int64_t h = 29 + kDescription.size();
    EXPECT_EQ(std::int64_t(std::filesystem::file_size(path)), h + 4 + 4 + 7 + 4 + 4);
    ASSERT_EQ(file.append(bytesOf("AB")), RecordStatus::Ok);
    file.close();
    EXPECT_EQ(readFile(path), recordFileOf(kDescription, {payload, "AB"}));

    // Reopened for appending, the file grows the same way.
    ASSERT_EQ(file.open(path, RecordFile::Mode::Append), RecordStatus::Ok);
    EXPECT_EQ(file.count(), 2);
    ASSERT_EQ(file.append(bytesOf("xyz")), RecordStatus::Ok);
    file.close();
    EXPECT_EQ(readFile(path), recordFileOf(kDescription, {payload, "AB", "xyz"}));
}

TEST(RecordFileTest, ReadsHeaderAndEveryRecordBack) {
    TempDir dir;
    std::string path = dir.file("read.mes");
    std::vector<std::string> payloads;
    for (int k = 0; k < 40; ++k)
        payloads.push_back(std::string(std::size_t(k * 7 + 1), char(k)));
    payloads.push_back(std::string(200000, 'L'));  // larger than the read window
    payloads.push_back("end");
    writeFile(path, recordFileOf(kDescription, payloads));

    for (std::size_t window : {FileReadCache::kDefaultWindow, std::size_t(40)}) {
        RecordFile file(window);  // the small window is crossed by most records
        ASSERT_EQ(file.open(path), RecordStatus::Ok);
        ASSERT_EQ(file.count(), int(payloads.size()));
        EXPECT_EQ(file.header().length, 29 + int(kDescription.size()));
        EXPECT_EQ(file.header().description, "Measurement\nZq4xxKRw 03\n7");
        EXPECT_EQ(file.header().dateText(), "07/03/2024");
        EXPECT_EQ(file.header().timeText(), "14:05:09");
        EXPECT_EQ(file.header().year, 2024);
        EXPECT_EQ(file.header().month, 3);
        EXPECT_EQ(file.header().day, 7);
        EXPECT_EQ(file.header().hour * 10000 + file.header().minute * 100 + file.header().second,
                  140509);
        // In any order: last, first, middle.
        std::vector<std::uint8_t> payload;
        for (int k : {41, 0, 40, 13, 39, 1}) {
            ASSERT_EQ(file.read(k, payload), RecordStatus::Ok) << k;
            EXPECT_EQ(std::string(payload.begin(), payload.end()), payloads[std::size_t(k)]) << k;
            EXPECT_EQ(file.payloadLength(k), std::int64_t(payloads[std::size_t(k)].size()));
        }
        EXPECT_EQ(file.read(42, payload), RecordStatus::NoSuchRecord);
        EXPECT_EQ(file.tail(), RecordFile::Tail::Clean);
        EXPECT_EQ(file.strayBytes(), 0);
        EXPECT_EQ(file.read(-1, payload), RecordStatus::NoSuchRecord);
        EXPECT_EQ(file.payloadLength(42), -1);
        EXPECT_EQ(file.append(bytesOf("x")), RecordStatus::NotOpen);  // opened for reading
    }
}

// One session that reads as it appends, as the recording pages do while they show samples.
TEST(RecordFileTest, RepeatingGroupsAreReadWhereTheFirstGroupPutsThem) {
    TempDir dir;
    // One parameter record, then samples of three records; in the second file one sample
    // has a record of another length, so the records after it are not where the groups say.
    for (bool irregular : {false, true}) {
        std::vector<std::string> payloads{"parameters"};
        for (int s = 0; s < 60; ++s)
            for (int j = 0; j < 3; ++j)
                payloads.push_back(
                    std::string(std::size_t(irregular && s == 20 && j == 1 ? 9 : 5 + j),
                                char('a' + (s * 3 + j) % 26)));
        const std::string path = dir.file(irregular ? "irregular.mes" : "regular.mes");
        writeFile(path, recordFileOf(kDescription, payloads));
        RecordFile file;
        ASSERT_EQ(file.open(path), RecordStatus::Ok);
        std::vector<std::uint8_t> payload;
        for (int k = int(payloads.size()) - 1; k >= 0; --k) {
            ASSERT_EQ(file.readRepeating(k, 1, 3, payload), RecordStatus::Ok) << k;
            EXPECT_EQ(std::string(payload.begin(), payload.end()), payloads[std::size_t(k)]) << k;
        }
        EXPECT_EQ(file.readRepeating(int(payloads.size()), 1, 3, payload),
                  RecordStatus::NoSuchRecord);
    }
}

TEST(RecordFileTest, ReadingAndAppendingInOneSession) {
    TempDir dir;
    std::string path = dir.file("session.mes");
    std::vector<std::string> payloads;
    for (int k = 0; k < 300; ++k)
        payloads.push_back(std::string(std::size_t(k % 50 + 1), char(k)));
    writeFile(path, recordFileOf(kDescription, payloads));

    RecordFile file(48);
    ASSERT_EQ(file.open(path, RecordFile::Mode::Append), RecordStatus::Ok);
    std::vector<std::uint8_t> payload;
    ASSERT_EQ(file.read(150, payload), RecordStatus::Ok);  // indexed about up to here only
    EXPECT_EQ(std::string(payload.begin(), payload.end()), payloads[150]);
    ASSERT_EQ(file.append(bytesOf("added")), RecordStatus::Ok);
    payloads.push_back("added");
    EXPECT_EQ(file.count(), 301);
    for (int k = 300; k >= 0; k -= 7) {
        ASSERT_EQ(file.read(k, payload), RecordStatus::Ok) << k;
        EXPECT_EQ(std::string(payload.begin(), payload.end()), payloads[std::size_t(k)]);
    }
    ASSERT_EQ(file.append(bytesOf("again")), RecordStatus::Ok);  // now with every record indexed
    payloads.push_back("again");
    ASSERT_EQ(file.read(301, payload), RecordStatus::Ok);
    EXPECT_EQ(std::string(payload.begin(), payload.end()), "again");
    EXPECT_EQ(file.read(302, payload), RecordStatus::NoSuchRecord);
    file.close();
    EXPECT_EQ(readFile(path), recordFileOf(kDescription, payloads));
}

TEST(RecordFileTest, TwoDigitYearsAndEmptyDescriptions) {
    TempDir dir;
    std::string path = dir.file("dates.mes");
    RecordFile file;
    writeFile(path, headerOf("", "31/12/1999 - 23:59:58") + int32le(0));
    ASSERT_EQ(file.open(path), RecordStatus::Ok);
    EXPECT_EQ(file.header().year, 1999);
    EXPECT_EQ(file.header().description, "");
    writeFile(path, headerOf("one line", "01/01/2038 - 00:00:00") + int32le(0));
    ASSERT_EQ(file.open(path), RecordStatus::Ok);
    EXPECT_EQ(file.header().year, 2038);
    EXPECT_EQ(file.header().description, "one line");
    EXPECT_EQ(file.count(), 0);
}

TEST(RecordFileTest, HeadersThatDoNotReadBackAreIncorrectFiles) {
    TempDir dir;
    std::string path = dir.file("bad.mes");
    std::string good = headerOf(kDescription) + int32le(0);
    std::string longHeader = headerOf(std::string(1971, 'd'));  // H = 2000 is still accepted
    std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"three bytes", std::string("\x1d\0\0", 3)},
        {"shorter than its header", good.substr(0, 20)},
        {"H beyond the file", int32le(60) + good.substr(4)},
        {"H above 2000", headerOf(std::string(1972, 'd')) + int32le(0)},
        {"H below 29", int32le(28) + good.substr(4)},
        {"negative H", int32le(-5) + good.substr(4)},
        {"date line of 20", headerOf(kDescription, "7/03/2024 - 14:05:09") + int32le(0)},
        {"date line of 22", headerOf("", "07/03/2024 - 14:05:09 ") + int32le(0)},
        {"first line not empty", int32le(29) + "x\n" + good.substr(6)},
    };
    RecordFile file;
    for (const auto& [name, bytes] : cases) {
        writeFile(path, bytes);
        EXPECT_EQ(file.open(path), RecordStatus::IncorrectFile) << name;
        EXPECT_FALSE(file.isOpen()) << name;
        EXPECT_EQ(file.open(path, RecordFile::Mode::Append), RecordStatus::IncorrectFile) << name;
        EXPECT_EQ(readFile(path), bytes) << name << ": a refused file is never changed";
    }
    writeFile(path, longHeader + int32le(0));
    EXPECT_EQ(file.open(path), RecordStatus::Ok);
}

// A recording cut off at every byte of its last append: the complete records stay readable,
// and the next append puts the file back into the documented layout.
TEST(RecordFileTest, TornAppendsRecoverAtEveryCutPosition) {
    TempDir dir;
    std::string path = dir.file("torn.mes");
    std::vector<std::string> payloads = {"first block", "second", std::string(10, '\0')};
    std::string full = recordFileOf(kDescription, payloads);
    std::size_t beforeLast = recordFileOf(kDescription, {payloads[0], payloads[1]}).size();
    for (std::size_t cut = beforeLast - 4; cut < full.size(); ++cut) {
        writeFile(path, full.substr(0, cut));
        // The third record is complete once its trailing length is written.
        int complete = cut >= full.size() - 4 ? 3 : 2;
        RecordFile file(cut % 2 ? 32 : FileReadCache::kDefaultWindow);
        ASSERT_EQ(file.open(path), RecordStatus::Ok) << cut;
        // Cut exactly after the second append's count, the file is a complete two-record file.
        EXPECT_EQ(file.tail(), cut == beforeLast ? RecordFile::Tail::Clean : RecordFile::Tail::Torn)
            << cut;
        ASSERT_EQ(file.count(), complete) << cut;
        std::vector<std::uint8_t> payload;
        for (int k = 0; k < complete; ++k) {
            ASSERT_EQ(file.read(k, payload), RecordStatus::Ok) << cut;
            EXPECT_EQ(std::string(payload.begin(), payload.end()), payloads[std::size_t(k)]);
        }
        EXPECT_EQ(file.read(complete, payload),
                  cut == beforeLast ? RecordStatus::NoSuchRecord : RecordStatus::IncorrectFile)
            << cut;
        file.close();

        ASSERT_EQ(file.open(path, RecordFile::Mode::Append), RecordStatus::Ok) << cut;
        ASSERT_EQ(file.append(bytesOf("next")), RecordStatus::Ok) << cut;
        file.close();
        std::vector<std::string> expected(payloads.begin(), payloads.begin() + complete);
        expected.push_back("next");
        EXPECT_EQ(readFile(path), recordFileOf(kDescription, expected)) << cut;
    }
}

TEST(RecordFileTest, LengthsThatDoNotFitAreNeverFollowed) {
    TempDir dir;
    std::string path = dir.file("lengths.mes");
    std::string header = headerOf(kDescription);
    std::string good = recordOf(0, "abcd");
    struct Case {
        const char* name;
        std::string bytes;
        int readable;
        RecordFile::Tail tail;
    };
    std::vector<Case> cases = {
        {"absurd length", header + int32le(0) + int32le(0x7FFFFFF0) + "abcd", 0,
         RecordFile::Tail::Torn},
        {"negative length", header + int32le(0) + int32le(-8) + "abcdabcdabcd" + int32le(1), 0,
         RecordFile::Tail::Damaged},
        {"length past the end after a good record",
         header + good + int32le(1) + int32le(900) + "xy" + int32le(2), 1, RecordFile::Tail::Torn},
        {"trailing length differs",
         header + int32le(0) + int32le(4) + "abcd" + int32le(5) + int32le(1), 0,
         RecordFile::Tail::Damaged},
        {"index field out of order", header + good + recordOf(7, "efgh") + int32le(2), 1,
         RecordFile::Tail::Damaged},
        {"count disagrees with the records", header + good + int32le(5), 1,
         RecordFile::Tail::Damaged},
        {"count missing", header + good, 1, RecordFile::Tail::Torn},
    };
    for (const auto& c : cases) {
        writeFile(path, c.bytes);
        RecordFile file;
        ASSERT_EQ(file.open(path), RecordStatus::Ok) << c.name;
        EXPECT_EQ(file.tail(), c.tail) << c.name;
        EXPECT_EQ(file.count(), c.readable) << c.name;
        std::vector<std::uint8_t> payload;
        EXPECT_EQ(file.read(c.readable, payload), RecordStatus::IncorrectFile) << c.name;
        EXPECT_TRUE(payload.empty() || c.readable > 0) << c.name;
        if (c.readable > 0) {
            ASSERT_EQ(file.read(0, payload), RecordStatus::Ok) << c.name;
            EXPECT_EQ(std::string(payload.begin(), payload.end()), "abcd");
        }
        if (c.tail == RecordFile::Tail::Damaged) {
            EXPECT_EQ(file.open(path, RecordFile::Mode::Append), RecordStatus::IncorrectFile)
                << c.name;
            EXPECT_EQ(readFile(path), c.bytes) << c.name;
        }
    }
}

// A damaged length in the middle of a file that still ends like a record file is damage, not a
// torn append: appending must not cut the records that follow it.
TEST(RecordFileTest, DamageInTheMiddleIsNeverCutAway) {
    TempDir dir;
    std::string path = dir.file("middle.mes");
    std::string bytes = recordFileOf(kDescription, {"aaaa", "bbbb", "cccc", "dddd"});
    std::size_t secondLength = headerOf(kDescription).size() + recordOf(0, "aaaa").size() + 4;
    bytes.replace(secondLength, 4, int32le(5000));
    writeFile(path, bytes);
    RecordFile file;
    // The documented end makes the file's count believed until the walk reaches the damage.
    ASSERT_EQ(file.open(path), RecordStatus::Ok);
    EXPECT_EQ(file.count(), 4);
    ASSERT_EQ(file.indexAll(), RecordStatus::Ok);
    EXPECT_EQ(file.tail(), RecordFile::Tail::Damaged);
    EXPECT_EQ(file.count(), 1);
    EXPECT_GT(file.strayBytes(), 0);
    // The same in append mode: the walk of the first read finds the damage, and from then on
    // appending is refused.
    ASSERT_EQ(file.open(path, RecordFile::Mode::Append), RecordStatus::Ok);
    EXPECT_EQ(file.count(), 4);
    std::vector<std::uint8_t> payload;
    EXPECT_EQ(file.read(2, payload), RecordStatus::IncorrectFile);
    EXPECT_EQ(file.append(bytesOf("eeee")), RecordStatus::IncorrectFile);
    EXPECT_EQ(readFile(path), bytes);
}

// The count the file ends with bounds the records, even when more of them seem to follow.
TEST(RecordFileTest, TheCountBoundsTheRecords) {
    TempDir dir;
    std::string path = dir.file("count.mes");
    std::string bytes = headerOf(kDescription) + recordOf(0, "a") + recordOf(1, "b") +
                        recordOf(2, "c") + recordOf(3, "d") + "JUNK" + recordOf(1, "x") +
                        recordOf(2, "y") + int32le(3);
    writeFile(path, bytes);
    RecordFile file;
    ASSERT_EQ(file.open(path), RecordStatus::Ok);
    EXPECT_EQ(file.count(), 3);
    ASSERT_EQ(file.indexAll(), RecordStatus::Ok);
    EXPECT_EQ(file.count(), 3);
    EXPECT_EQ(file.tail(), RecordFile::Tail::Damaged);
    std::vector<std::uint8_t> payload;
    ASSERT_EQ(file.read(2, payload), RecordStatus::Ok);
    EXPECT_EQ(std::string(payload.begin(), payload.end()), "c");
    EXPECT_EQ(file.read(3, payload), RecordStatus::IncorrectFile);
}

TEST(RecordFileTest, RefusesWhatTheLayoutCannotHold) {
    TempDir dir;
    RecordFile file;
    EXPECT_EQ(file.create(dir.file("long.mes"), std::string(1972, 'd'), march7()),
              RecordStatus::InvalidArgument);
    EXPECT_FALSE(std::filesystem::exists(dir.file("long.mes")));
    std::tm badTime = march7();
    badTime.tm_year = -2000;
    EXPECT_EQ(file.create(dir.file("time.mes"), "", badTime), RecordStatus::InvalidArgument);
    ASSERT_EQ(file.create(dir.file("ok.mes"), std::string(1971, 'd'), march7()), RecordStatus::Ok);
    EXPECT_EQ(file.append({}), RecordStatus::InvalidArgument);
    file.close();
    EXPECT_EQ(file.append(bytesOf("x")), RecordStatus::NotOpen);
    std::vector<std::uint8_t> payload;
    EXPECT_EQ(file.read(0, payload), RecordStatus::NotOpen);
}

TEST(RecordFileTest, SystemFailuresKeepTheSystemError) {
    TempDir dir;
    RecordFile file;
    EXPECT_EQ(file.open(dir.file("missing.mes")), RecordStatus::CannotOpen);
    EXPECT_EQ(file.systemError(), ENOENT);
    EXPECT_EQ(file.open(dir.path()), RecordStatus::CannotOpen);
    EXPECT_EQ(file.systemError(), EISDIR);
    EXPECT_EQ(file.create(dir.file("no/such/dir.mes"), "", march7()), RecordStatus::CannotOpen);
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(file.create("/dev/full", kDescription, march7()), RecordStatus::WriteFailed);
        EXPECT_EQ(file.systemError(), ENOSPC);
        EXPECT_FALSE(file.isOpen());
    }
}

// A disk that fills up during an append leaves the file as it was before the append.
TEST(RecordFileTest, FailedAppendLeavesTheFileUnchanged) {
    TempDir dir;
    std::string path = dir.file("full.mes");
    std::string before = recordFileOf(kDescription, {"aaaa"});
    writeFile(path, before);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // In a child, so that the file size limit touches nothing else.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{rlim_t(before.size() + 20), rlim_t(before.size() + 20)};
        setrlimit(RLIMIT_FSIZE, &limit);
        RecordFile file;
        if (file.open(path, RecordFile::Mode::Append) != RecordStatus::Ok) _exit(1);
        if (file.append(bytesOf(std::string(100, 'b'))) != RecordStatus::WriteFailed) _exit(2);
        if (file.systemError() != EFBIG) _exit(3);
        if (file.append(bytesOf("c")) != RecordStatus::Ok) _exit(4);  // 17 bytes fit
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readFile(path), recordFileOf(kDescription, {"aaaa", "c"}));
}

}  // namespace
}  // namespace flowcfg
