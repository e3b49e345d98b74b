#pragma once

#include <array>
#include <deque>
#include <string>

#include "acquisition/AcquisitionPage.h"
#include "acquisition/TestBenchControls.h"
#include "acquisition/TestBenchExportColumns.h"

namespace flowcfg {

// The test bench page without its window: the raw frames of the instrument's timing circuit.
// It reads the timing software's version (0xF300) once, then the frame block (0xF100 or
// 0xF200, chosen by the caller) again and again, 500 ms apart; every frame is a sample, timed by
// the PC clock, so a recording keeps every frame whatever its sample period. A recording starts
// with the identification block (its one parameter record), so that a recorded file names the
// instrument's software. The frame's fields, its flags as ten letters, and the delta-T of the
// six chords over the last frames are what the window shows; through AcquisitionPage,
// recording (".trameSpi"), browsing and the export.
class TestBenchPage : public AcquisitionPage {
public:
    static constexpr int kFileTypeText = 234;  // "SPI File|trameSpi"
    static constexpr int kCaptionText = 532;   // "SPI frames"
    static constexpr int kFirstFrameBlock = 0xF100;
    static constexpr int kSecondFrameBlock = 0xF200;
    static constexpr int kVersionBlock = 0xF300;
    static constexpr int kIntervalMs = 500;
    static constexpr std::size_t kHistoryFrames = 600;

    struct DeltaTPoint {
        long frame = 0;  // frames since the page opened (file mode: the sample's number)
        std::array<double, tbctl::kChords> deltaT{};
    };

    // `frameBlock` is 0xF100 or 0xF200; any other value reads 0xF100.
    TestBenchPage(Application& application, Prompts& prompts, InstrumentLink& link,
                  int frameBlock = kFirstFrameBlock);
    ~TestBenchPage() override;

    // Builds the fields when that has not been done, then polls the instrument or, with a
    // file, shows its frames (the delta-T history then holds every frame of the file). 0, or -1
    // when the page is to close.
    int OpenPage(const std::string& recordedFile = {});

    int frameBlock() const { return frameBlock_; }
    // Frames received since the page opened.
    long frames() const { return frames_; }
    const std::deque<DeltaTPoint>& deltaTHistory() const { return history_; }

    // A field's text as the page shows it ("" when there is none).
    std::string fieldText(int controlId);
    double fieldValue(int controlId);
    // The ten characters of a flag word, bit 0 first: "a" ... "j" for a set bit, "_" for a
    // clear one; higher bits are not shown.
    static std::string FlagText(unsigned word);
    // The column title of a chord value: "1DT", "1AMAV", "1AVAM" ... "6AVAM".
    static std::string ChordTitle(int chord, int part);

    ExportColumns* exportColumns() override { return &columns_; }

protected:
    PollingStart FirstRequest() override;
    int Completion(const JBusRequest& result) override;
    void SampleLoaded() override;

private:
    void RegisterFields();
    void Refresh();
    void AddHistory(long frame);
    void LoadHistory();

    int frameBlock_;
    long frames_ = 0;
    std::deque<DeltaTPoint> history_;
    TestBenchExportColumns columns_{*this};
};

}  // namespace flowcfg
