#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/LineFile.h"
#include "acquisition/LoggerLines.h"
#include "acquisition/LoggerState.h"
#include "link/JBusRequest.h"
#include "params/InstrumentDate.h"

namespace flowcfg {

// What the logger page shows while the chain runs.
class LoggerDownloadView {
public:
    virtual ~LoggerDownloadView() = default;
    // Block 0x0200 arrived: the state fields and the "Logger range" text.
    virtual void showState(const LoggerState& state, const std::string& rangeText) = 0;
    // A download starts reading: "Nb. of record to load" and the progress bar's range.
    virtual void showRecordsToLoad(long records) = 0;
    // Records were written: the progress bar, "Nb. record loaded" and the date " - " time of the
    // last record written.
    virtual void showRecordsLoaded(long loaded, const std::string& lastRecord) = 0;
    // The progress text under the bar (a mark more for every read).
    virtual void showProgressText(const std::string& text) = 0;
};

// The logger download chain, without a window: the logger page hands it every completion of
// its polling link and carries out the step it returns.
//
//   0x0200 (state) --download requested--> [write 0xE048 search date -> read 0xE04C, again
//   while -1; -2 ends the download] -> write 0xE040 window base -> function-4 reads of the
//   logger memory, relative to the window base -> after 50 000 registers the window base moves
//   on by 50 000 and reading goes on at the remainder.
//
// A read takes as many whole records as fit in 250 bytes (125 registers), and never more than
// are still to load; a record larger than that (N >= 31) is read in parts of at most 125
// registers and decoded once it is whole. Every read's lines reach the ".log" file together,
// so a download stopped at any point leaves a file of complete lines.
class LoggerDownload {
public:
    static constexpr int kMaxReadBytes = 250;
    static constexpr int kMaxReadRegisters = kMaxReadBytes / 2;
    static constexpr int kWindowSpan = 50000;
    static constexpr int kMaxFailures = 20;
    static constexpr int kWindowAddress = 0xE040;
    static constexpr int kWindowRegisters = 2;
    static constexpr int kSearchDateAddress = 0xE048;
    static constexpr int kSearchDateRegisters = 3;
    static constexpr int kSearchResultAddress = 0xE04C;
    static constexpr int kSearchResultRegisters = 2;
    static constexpr std::int32_t kSearching = -1;
    static constexpr std::int32_t kNotFound = -2;
    static constexpr int kProgressTextLength = 75;

    enum class Action {
        Wait,                  // no download: leave the link waiting (do not acknowledge)
        Request,               // set `request` as the link's next request and acknowledge
        Repeat,                // acknowledge: the link repeats the same request
        Finished,              // every record is in the file (closed): stop polling, close the page
        NoRecordAfterDate,     // "No record after the date !": back to idle, the file (header only)
                               // closed; set `request` (0x0200) but do not acknowledge
        NoLogger,              // "No logger into flowmeter": stop polling, close the page
        CommunicationFailure,  // more than 20 empty completions: stop polling, close the page
        WriteFailed,           // the ".log" file refused a write: stop polling, close the page
    };
    struct Step {
        Action action = Action::Wait;
        JBusRequest request;
    };

    LoggerDownload(int language, char decimalSeparator, LoggerDownloadView& view);

    // The request the page starts polling with: block 0x0200, function 3.
    static JBusRequest stateRequest(int slave);

    // The download command: writes into `path` (created anew; false with the system's error in
    // fileError() when it cannot be), all records or those from `from` on. The page then
    // acknowledges the pending 0x0200 read.
    bool start(const std::string& path, std::optional<InstrumentDate> from = std::nullopt);
    // The stop command: closes the file (its lines complete); the chain is idle again.
    void stop();

    // One completion of the link (GetLastResult).
    Step handle(const JBusRequest& completed);

    bool downloading() const { return downloading_; }
    const LoggerState& state() const { return state_; }
    long recordsToLoad() const { return toLoad_; }
    long recordsLoaded() const { return loaded_; }
    std::uint32_t windowBase() const { return windowBase_; }
    int fileError() const { return fileError_; }
    const std::string& path() const { return file_.path(); }
    const LoggerLines& lines() const { return lines_; }

    // Registers of the next read of the logger memory, given the record size, the records still
    // to load (at least 1) and the bytes of a part-read record already in hand.
    static int readCount(int recordBytes, long recordsLeft, std::size_t bytesInHand);

private:
    Step onState(const JBusRequest& completed);
    Step onSearchResult(const JBusRequest& completed);
    Step onRecords(const JBusRequest& completed);
    Step finish();
    Step request(int slave, int function, int start, int count, Bytes data = {});
    Step windowRequest(int slave);
    Step readRequest(int slave);
    void progressMark();

    LoggerLines lines_;
    LoggerDownloadView& view_;
    LineFile file_;
    int fileError_ = 0;
    bool downloading_ = false;
    std::optional<InstrumentDate> from_;
    LoggerState state_;
    int recordBytes_ = 0;
    long toLoad_ = 0;
    long loaded_ = 0;
    long lastShown_ = 0;
    std::uint32_t windowBase_ = 0;
    int offset_ = 0;
    int failures_ = 0;
    std::vector<std::uint8_t> partial_;  // the bytes of a record read in parts
    std::string progressText_;
    int progressMarks_ = 0;
};

}  // namespace flowcfg
