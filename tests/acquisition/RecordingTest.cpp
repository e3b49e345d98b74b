// Recording and viewing recorded files on the polling pages' base, driven cycle by cycle.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "AcquisitionTestSupport.h"
#include "acquisition/RecordFile.h"
#include "acquisition/RecordFileName.h"
#include "acquisition/RecordingClock.h"
#include "common/ScriptedPrompts.h"
#include "common/TestApplication.h"

namespace flowcfg {
namespace {

using namespace flowcfg::testing;

TEST(RecordingClockTest, SamplesFollowTheInstrumentClock) {
    struct Case {
        const char* what;
        int period;
        std::vector<std::int64_t> clock;
        std::vector<bool> written;
    };
    const Case cases[] = {
        {"1 s, clock +3 s a cycle", 1, {0, 3, 6, 9}, {true, true, true, true}},
        {"10 s: at once, then after 10 s", 10, {0, 3, 6, 9, 12, 15, 21}, {1, 0, 0, 0, 1, 0, 1}},
        {"a step back restarts the period", 5, {100, 103, 50, 52, 55}, {1, 0, 0, 0, 1}},
        {"a jump ahead writes one sample", 5, {0, 1000000, 1000001, 1000005}, {1, 1, 0, 1}},
        {"a period of 0 counts as 1 s", 0, {0, 1, 2}, {1, 1, 1}},
    };
    for (const Case& c : cases) {
        RecordingClock clock;
        clock.configure(c.period, 0);
        clock.restart();
        for (std::size_t i = 0; i < c.clock.size(); ++i) {
            EXPECT_EQ(clock.takeSample(c.clock[i]), c.written[i]) << c.what << ", cycle " << i;
            EXPECT_GE(clock.carried(), 0) << c.what;
        }
    }
}

TEST(RecordingClockTest, DurationCountsFromTheFirstSampleAndFollowsAStepBack) {
    RecordingClock clock;
    clock.configure(1, 0.1);  // 6 s
    clock.restart();
    clock.takeSample(1000);
    EXPECT_EQ(clock.secondsLeft(1002), 4);
    EXPECT_FALSE(clock.durationElapsed(1005));
    clock.takeSample(1001);
    clock.takeSample(900);  // set back by 101 s: 1 s of the duration has gone
    EXPECT_EQ(clock.secondsLeft(900), 5);
    EXPECT_TRUE(clock.durationElapsed(905));
}

TEST(RecordFileNameTest, SplitKeepsDirectoryExtensionAndNameBeforeTheLastUnderscore) {
    std::tm now{};
    now.tm_year = 124, now.tm_mon = 2, now.tm_mday = 1, now.tm_hour = 9, now.tm_min = 12,
    now.tm_sec = 45;
    const std::pair<const char*, const char*> cases[] = {
        {"/data/pump.mes", "/data/pump_ 2024-03-01 09-12-45.mes"},
        {"/data/pump_ 2024-03-01 08-00-00.mes", "/data/pump_ 2024-03-01 09-12-45.mes"},
        {"/data/site_2/pump_a_b.mes", "/data/site_2/pump_a_ 2024-03-01 09-12-45.mes"},
        {"/data.d/pump", "/data.d/pump_ 2024-03-01 09-12-45"},
    };
    for (auto [path, expected] : cases)
        EXPECT_EQ(RecordFileName::splitPath(path, now), expected) << path;

    TempDir dir;
    writeFile(dir.file("pump.mes"), "");
    writeFile(dir.file("pump (2).mes"), "");
    EXPECT_EQ(RecordFileName::unusedPath(dir.file("pump.mes")), dir.file("pump (3).mes"));
    EXPECT_EQ(RecordFileName::unusedPath(dir.file("new.mes")), dir.file("new.mes"));
}

class RecordingTest : public ::testing::Test {
protected:
    TestApplication t;
    ScriptedPrompts prompts;
    InstrumentLink link;

    struct Observer : AcquisitionObserver {
        int closes = 0;
        void closeRequested() override { ++closes; }
    } observer;

    std::unique_ptr<CyclePage> page(bool withParameters = true) {
        auto p = std::make_unique<CyclePage>(t.app, prompts, link, withParameters);
        p->setObserver(&observer);
        p->setPcClock([] {
            std::tm now{};
            now.tm_year = 124, now.tm_mon = 2, now.tm_mday = 1, now.tm_hour = 9, now.tm_min = 12;
            return mktime(&now);
        });
        return p;
    }

    // The counters of the samples of a recording.
    static std::vector<int> samplesOf(const std::string& path, int parameters = 1) {
        RecordFile file;
        EXPECT_EQ(file.open(path), RecordStatus::Ok) << path;
        EXPECT_EQ(file.indexAll(), RecordStatus::Ok);
        std::vector<int> counters;
        std::vector<std::uint8_t> payload;
        for (int k = parameters; k < file.count(); ++k) {
            EXPECT_EQ(file.read(k, payload), RecordStatus::Ok);
            EXPECT_EQ(payload.size(), 8u);
            counters.push_back(payload.size() >= 8 ? payload[6] * 256 + payload[7] : -1);
        }
        return counters;
    }
};

TEST_F(RecordingTest, OneBlockCreatesTheFileThroughTheSaveDialogThenAppends) {
    auto p = page();
    // Cancelled: nothing written, the path stays empty.
    const std::uint8_t block[] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(p->WriteOneBlock(block, AcquisitionPage::kCreate), -1);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(prompts.fileRequests[0].filter, "Fichier Mesure (*.mes)|*.mes||");
    EXPECT_EQ(prompts.fileRequests[0].defaultExtension, "mes");
    EXPECT_EQ(prompts.fileRequests[0].initialPath, t.app.settings().saveDirectory);
    EXPECT_EQ(p->WriteOneBlock(block, AcquisitionPage::kAppend), -1);  // no path to append to

    const std::string path = t.dir.file("sub/one.mes");
    std::filesystem::create_directories(t.dir.file("sub"));
    prompts.files.push_back(path);
    ASSERT_EQ(p->WriteOneBlock({}, AcquisitionPage::kCreate), 0);
    RecordFile file;
    ASSERT_EQ(file.open(path), RecordStatus::Ok);
    const std::int64_t h = file.header().length;
    file.close();
    // A new file: the header and a count of 0.
    EXPECT_EQ(readFile(path).substr(std::size_t(h)), std::string(4, '\0'));
    ASSERT_EQ(p->WriteOneBlock(block, AcquisitionPage::kAppend), 0);
    EXPECT_EQ(std::int64_t(std::filesystem::file_size(path)), h + 4 + 4 + 6 + 4 + 4);
    // The next dialog of the run starts where this one ended.
    EXPECT_EQ(AcquisitionPage::LastSaveDirectory(), t.dir.file("sub/"));

    ASSERT_EQ(file.open(path), RecordStatus::Ok);
    const std::string description = file.header().description;
    EXPECT_EQ(description.substr(0, description.find('\n')), "Mesure");
    EXPECT_NE(description.find("Zq4xxKRw 03\n1\n"), std::string::npos) << description;
    EXPECT_EQ(description.substr(description.rfind('\n') + 1), "Fichier Mesure");
    AcquisitionPage::LastSaveDirectory().clear();
}

TEST_F(RecordingTest, RecordButtonWritesParametersThenOneSamplePerPeriod) {
    auto p = page();
    const std::string path = t.dir.file("run.mes");
    prompts.files.push_back(path);
    p->cycle(0);  // idle: nothing
    p->ToggleRecording();
    EXPECT_EQ(p->recordingState(), AcquisitionPage::kStartRequested);
    for (std::int64_t s : {100, 103, 106})
        p->cycle(s);
    EXPECT_EQ(p->recordingState(), AcquisitionPage::kRecording);
    EXPECT_EQ(p->statusText(), "Enregistrement 3");
    p->ToggleRecording();
    EXPECT_EQ(p->recordingState(), AcquisitionPage::kIdle);
    EXPECT_TRUE(p->recordPath().empty());
    EXPECT_TRUE(p->statusText().empty());
    EXPECT_EQ(samplesOf(path), (std::vector<int>{2, 3, 4}));
    RecordFile file;
    ASSERT_EQ(file.open(path), RecordStatus::Ok);
    std::vector<std::uint8_t> parameters;
    ASSERT_EQ(file.read(0, parameters), RecordStatus::Ok);
    EXPECT_EQ(parameters, (std::vector<std::uint8_t>{0, 42}));
    EXPECT_EQ(observer.closes, 0);
}

TEST_F(RecordingTest, AutomaticRecordingCountsDownAndClosesThePage) {
    auto p = page();
    const std::string path = t.dir.file("auto.mes");
    p->StartAutomaticRecording(10, 0.5, path);
    p->cycle(1000);
    EXPECT_EQ(p->statusText(), "Enregistrement 1 (Temps restant 0 mn 30 s)");
    for (std::int64_t s = 1005; s < 1030; s += 5)
        p->cycle(s);
    EXPECT_EQ(p->statusText(), "Enregistrement 3 (Temps restant 0 mn 10 s)");
    EXPECT_FALSE(p->closed());
    EXPECT_FALSE(p->automaticRecordingDone());
    p->cycle(1030);  // the duration has passed: stopped, and the page closes
    EXPECT_EQ(p->recordingState(), AcquisitionPage::kIdle);
    EXPECT_TRUE(p->closed());
    EXPECT_TRUE(p->automaticRecordingDone());
    EXPECT_EQ(observer.closes, 1);
    EXPECT_EQ(samplesOf(path), (std::vector<int>{1, 3, 5, 7}));
    EXPECT_TRUE(prompts.fileRequests.empty());
}

TEST_F(RecordingTest, FileLimitSplitsIntoFilesOfTheirOwn) {
    t.app.settings().maxRecordsPerFile = 100;
    auto p = page();
    const std::string first = t.dir.file("pump_ 2024-02-28 10-00-00.mes");
    p->StartAutomaticRecording(1, 0, first);
    for (int s = 0; s < 130; ++s)
        p->cycle(s);
    const std::string second = t.dir.file("pump_ 2024-03-01 09-12-00.mes");
    EXPECT_EQ(p->recordPath(), second);
    std::vector<int> expected(100);
    for (int i = 0; i < 100; ++i)
        expected[std::size_t(i)] = i + 1;
    EXPECT_EQ(samplesOf(first), expected);
    // The next file starts with its own header and parameter records at the next cycle.
    std::vector<int> rest(30);
    for (int i = 0; i < 30; ++i)
        rest[std::size_t(i)] = 101 + i;
    EXPECT_EQ(samplesOf(second), rest);
    EXPECT_EQ(p->sampleCounter(), 30);
}

// The duration counts from the recording's first sample, not from each file's: a recording
// that fills several files still ends on time.
TEST_F(RecordingTest, ADurationEndsTheRecordingAcrossSplitFiles) {
    t.app.settings().maxRecordsPerFile = 10;
    auto p = page();
    p->StartAutomaticRecording(1, 0.5, t.dir.file("long.mes"));
    int closedAt = -1;
    for (int s = 0; s < 120 && closedAt < 0; ++s) {
        p->cycle(s);
        if (p->closed()) closedAt = s;
    }
    EXPECT_EQ(closedAt, 30);
    EXPECT_EQ(samplesOf(t.dir.file("long.mes")).size(), 10u);
    EXPECT_EQ(p->sampleCounter(), 1);  // the fourth file: the sample of second 30
}

TEST_F(RecordingTest, FullDiskStopsTheRecordingAndKeepsWhatWasWritten) {
    auto p = page();
    const std::string path = t.dir.file("full.mes");
    p->StartAutomaticRecording(1, 0, path);
    p->cycle(0);
    p->cycle(1);
    ASSERT_EQ(samplesOf(path).size(), 2u);
    // A file size limit refuses writes as a full disk does.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = saved;
    limit.rlim_cur = std::filesystem::file_size(path) + 10;
    setrlimit(RLIMIT_FSIZE, &limit);
    p->cycle(2);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(p->recordingState(), AcquisitionPage::kIdle);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0].text.rfind("Impossible d'écrire le fichier !\n" + path, 0), 0u)
        << prompts.errors[0].text;
    EXPECT_EQ(samplesOf(path), (std::vector<int>{1, 2}));
    EXPECT_TRUE(p->closed());  // an automatic recording closes its page when it stops
    EXPECT_FALSE(p->automaticRecordingDone());  // but did not run its whole duration
}

TEST_F(RecordingTest, BrowsingARecordedFile) {
    const std::string path = t.dir.file("three.mes");
    {
        auto p = page();
        p->StartAutomaticRecording(1, 0, path);
        for (int s = 0; s < 3; ++s)
            p->cycle(s);
    }
    auto p = page();
    ASSERT_EQ(p->Open(path), 0);
    EXPECT_TRUE(p->fileMode());
    EXPECT_EQ(p->sampleCount(), 3);
    EXPECT_NE(p->caption().find(" (01/03/2024 - 09:12:00)"), std::string::npos) << p->caption();
    EXPECT_EQ(p->table().FindField(CyclePage::kSetting)->integer(), 42);

    using N = AcquisitionPage::Navigation;
    auto state = [&] {
        const N& n = p->navigation();
        return std::vector<bool>{n.first, n.previous, n.next, n.last, n.focusPrevious};
    };
    EXPECT_EQ(p->statusText(), "Enregistrement 1 / 3");
    EXPECT_EQ(state(), (std::vector<bool>{false, false, true, true, false}));
    p->ShowNext();
    EXPECT_EQ(p->table().FindField(CyclePage::kCounter)->integer(), 2);
    EXPECT_EQ(state(), (std::vector<bool>{true, true, true, true, false}));
    p->ShowLast();
    EXPECT_EQ(p->statusText(), "Enregistrement 3 / 3");
    EXPECT_EQ(state(), (std::vector<bool>{true, true, false, false, true}));
    p->ShowNext();  // past the end: stays
    EXPECT_EQ(p->currentSample(), 2);
    p->ShowFirst();
    EXPECT_EQ(p->table().FindField(CyclePage::kCounter)->integer(), 1);
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(RecordingTest, FilesWithoutSamplesAreIncorrect) {
    // A recording that stopped before its first sample: the header and the parameter record.
    const std::string headerOnly = t.dir.file("empty.mes");
    RecordFile onlyParameters;
    ASSERT_EQ(onlyParameters.create(headerOnly, "x\n"), RecordStatus::Ok);
    const std::uint8_t block[] = {0, 42};
    onlyParameters.append(block);
    onlyParameters.close();
    writeFile(t.dir.file("text.mes"), "not a record file at all, just some text\n");
    for (const std::string& path : {headerOnly, t.dir.file("text.mes")}) {
        prompts.errors.clear();
        observer.closes = 0;
        auto p = page();
        EXPECT_EQ(p->Open(path), -1) << path;
        ASSERT_EQ(prompts.errors.size(), 1u) << path;
        EXPECT_EQ(prompts.errors[0].text, "Fichier incorrect");
        EXPECT_EQ(observer.closes, 1);
    }
}

TEST_F(RecordingTest, AKilledRecordingKeepsEveryCompleteSample) {
    const std::string path = t.dir.file("killed.mes");
    {
        auto p = page();
        p->StartAutomaticRecording(1, 0, path);
        for (int s = 0; s < 5; ++s)
            p->cycle(s);
    }
    // Power went in the middle of the last append: part of its record is on the disk.
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 9);
    auto p = page();
    ASSERT_EQ(p->Open(path), 0);
    EXPECT_EQ(p->sampleCount(), 4);
    p->ShowLast();
    EXPECT_EQ(p->table().FindField(CyclePage::kCounter)->integer(), 4);
}

}  // namespace
}  // namespace flowcfg
