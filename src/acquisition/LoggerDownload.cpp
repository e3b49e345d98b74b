#include "acquisition/LoggerDownload.h"

#include <algorithm>

#include "params/EncodingCode.h"

namespace flowcfg {
namespace {

constexpr int kReadFunction = 3;
constexpr int kMemoryFunction = 4;
constexpr int kWriteFunction = 16;
// Added to the progress text for every read (it starts again when the line is full).
constexpr const char* kProgressMark = "\u25A0";

std::int32_t s32(const Bytes& b) {
    return static_cast<std::int32_t>(std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 |
                                     std::uint32_t(b[2]) << 8 | std::uint32_t(b[3]));
}

}  // namespace

LoggerDownload::LoggerDownload(int language, char decimalSeparator, LoggerDownloadView& view)
    : lines_(language, decimalSeparator), view_(view) {}

JBusRequest LoggerDownload::stateRequest(int slave) {
    JBusRequest r;
    r.slave = slave;
    r.function = kReadFunction;
    r.start = LoggerState::kAddress;
    r.count = LoggerState::kRegisters;
    r.elementSize = 2;
    return r;
}

bool LoggerDownload::start(const std::string& path, std::optional<InstrumentDate> from) {
    if (!file_.create(path)) {
        fileError_ = file_.error();
        return false;
    }
    fileError_ = 0;
    downloading_ = true;
    from_ = from;
    failures_ = 0;
    progressText_.clear();
    progressMarks_ = 0;
    return true;
}

void LoggerDownload::stop() {
    downloading_ = false;
    file_.close();
}

int LoggerDownload::readCount(int recordBytes, long recordsLeft, std::size_t bytesInHand) {
    const int recordRegisters = recordBytes / 2;
    if (recordBytes <= kMaxReadBytes) {
        const long records = std::max(1L, std::min<long>(kMaxReadBytes / recordBytes, recordsLeft));
        return static_cast<int>(records) * recordRegisters;
    }
    const int inHand = static_cast<int>(bytesInHand / 2);
    return std::max(1, std::min(kMaxReadRegisters, recordRegisters - inHand));
}

LoggerDownload::Step LoggerDownload::handle(const JBusRequest& completed) {
    if (completed.result != 0 || completed.data.empty()) {
        if (++failures_ <= kMaxFailures) return {Action::Repeat, {}};
        stop();
        return {Action::CommunicationFailure, {}};
    }
    failures_ = 0;
    const int fn = completed.function;
    if (fn == kReadFunction && completed.start == LoggerState::kAddress) return onState(completed);
    if (!downloading_) return {Action::Wait, {}};
    if (fn == kWriteFunction && completed.start == kSearchDateAddress)
        return request(completed.slave, kReadFunction, kSearchResultAddress,
                       kSearchResultRegisters);
    if (fn == kReadFunction && completed.start == kSearchResultAddress)
        return onSearchResult(completed);
    if (fn == kWriteFunction && completed.start == kWindowAddress)
        return readRequest(completed.slave);
    if (fn == kMemoryFunction) return onRecords(completed);
    return {Action::Repeat, {}};
}

LoggerDownload::Step LoggerDownload::onState(const JBusRequest& completed) {
    if (!LoggerState::decode(completed.data.data(), completed.data.size(), state_))
        return {Action::Repeat, {}};
    view_.showState(state_, state_.rangeText(lines_.language()));
    if (!LoggerRecord::validParameterCount(state_.parameters)) {
        stop();
        return {Action::NoLogger, {}};
    }
    if (!downloading_) return {Action::Wait, {}};
    recordBytes_ = LoggerRecord::bytes(state_.parameters);
    toLoad_ = static_cast<long>(state_.written);
    loaded_ = 0;
    lastShown_ = 0;
    windowBase_ = 0;
    offset_ = 0;
    partial_.clear();
    if (!file_.append(lines_.header(state_.parameters)) || !file_.flush()) {
        fileError_ = file_.error();
        stop();
        return {Action::WriteFailed, {}};
    }
    if (from_) {
        Bytes date(6, 0);
        InstrumentDate::writeRaw(EncodingCode::kDateBytes, from_->toRaw(EncodingCode::kDateBytes),
                                 date.data(), date.size(), 0);
        return request(completed.slave, kWriteFunction, kSearchDateAddress, kSearchDateRegisters,
                       std::move(date));
    }
    view_.showRecordsToLoad(toLoad_);
    if (toLoad_ <= 0) return finish();
    return windowRequest(completed.slave);
}

LoggerDownload::Step LoggerDownload::onSearchResult(const JBusRequest& completed) {
    if (completed.data.size() < 4) return {Action::Repeat, {}};
    const std::int32_t result = s32(completed.data);
    if (result == kSearching)
        return request(completed.slave, kReadFunction, kSearchResultAddress,
                       kSearchResultRegisters);
    if (result < 0) {
        // Not found (-2); any other negative answer names no record either.
        stop();
        return {Action::NoRecordAfterDate, stateRequest(completed.slave)};
    }
    windowBase_ = static_cast<std::uint32_t>(result);
    toLoad_ = static_cast<long>(state_.written) - result / (recordBytes_ / 2);
    view_.showRecordsToLoad(std::max(0L, toLoad_));
    if (toLoad_ <= 0) return finish();
    return windowRequest(completed.slave);
}

LoggerDownload::Step LoggerDownload::onRecords(const JBusRequest& completed) {
    progressMark();
    partial_.insert(partial_.end(), completed.data.begin(), completed.data.end());
    std::string text;
    std::size_t used = 0;
    const auto size = static_cast<std::size_t>(recordBytes_);
    const std::uint8_t* last = nullptr;
    while (partial_.size() - used >= size && loaded_ < toLoad_) {
        last = partial_.data() + used;
        text += lines_.recordLine(last, state_.parameters);
        used += size;
        ++loaded_;
    }
    if (last) {
        const std::string lastRecord = LoggerRecord::date(last).text();
        if (!file_.append(text) || !file_.flush()) {
            fileError_ = file_.error();
            stop();
            return {Action::WriteFailed, {}};
        }
        if (loaded_ - lastShown_ > toLoad_ / 100 || loaded_ >= toLoad_) {
            view_.showRecordsLoaded(loaded_, lastRecord);
            lastShown_ = loaded_;
        }
    }
    partial_.erase(partial_.begin(), partial_.begin() + static_cast<std::ptrdiff_t>(used));
    if (loaded_ >= toLoad_) return finish();

    const int next = completed.start + completed.count;
    if (next > kWindowSpan) {
        windowBase_ += kWindowSpan;
        offset_ = next - kWindowSpan;
        return windowRequest(completed.slave);
    }
    offset_ = next;
    return readRequest(completed.slave);
}

LoggerDownload::Step LoggerDownload::finish() {
    downloading_ = false;
    if (!file_.close()) {
        fileError_ = file_.error();
        return {Action::WriteFailed, {}};
    }
    return {Action::Finished, {}};
}

LoggerDownload::Step LoggerDownload::request(int slave, int function, int start, int count,
                                             Bytes data) {
    Step step{Action::Request, {}};
    step.request.slave = slave;
    step.request.function = function;
    step.request.start = start;
    step.request.count = count;
    step.request.data = std::move(data);
    step.request.elementSize = 2;
    return step;
}

LoggerDownload::Step LoggerDownload::windowRequest(int slave) {
    const std::uint32_t base = windowBase_;
    Bytes data = {static_cast<std::uint8_t>(base >> 24), static_cast<std::uint8_t>(base >> 16),
                  static_cast<std::uint8_t>(base >> 8), static_cast<std::uint8_t>(base)};
    return request(slave, kWriteFunction, kWindowAddress, kWindowRegisters, std::move(data));
}

LoggerDownload::Step LoggerDownload::readRequest(int slave) {
    return request(slave, kMemoryFunction, offset_,
                   readCount(recordBytes_, toLoad_ - loaded_, partial_.size()));
}

void LoggerDownload::progressMark() {
    if (progressMarks_ > kProgressTextLength) {
        progressText_.clear();
        progressMarks_ = 0;
    }
    progressText_ += kProgressMark;
    ++progressMarks_;
    view_.showProgressText(progressText_);
}

}  // namespace flowcfg
