#include "acquisition/TestBenchPage.h"

#include <algorithm>
#include <cstdint>

namespace flowcfg {
namespace {

using VD = VariableDescriptor;

constexpr int kByte = 0xA000, kU16 = 0x3000, kS16 = 0x200, kU32 = 0x4000, kText = 0x500,
              kDate = 0x7000;
constexpr int kTimingSoftwareText = 461;  // "Timing software"
constexpr int kFlagsText = 462;           // "Flags"
constexpr int kTimingSoftwareLength = 10;

// Captions of the ten one-byte fields.
constexpr int kByteCaptions[tbctl::kByteFields] = {
    564,  // "Version"
    238,  // "Flag Array"
    155,  // "Cpt. Config"
    435,  // "Phase"
    408,  // "N°"
    151,  // "Cords"
    244,  // "Upstream Gain"
    245,  // "Downstream Gain"
    142,  // "State"
    418,  // "Jitter"
};
// The 32-bit values: average delta-T and average transit time.
constexpr int kLongCaptions[tbctl::kLongValues] = {181, 513};
// The five 16-bit values after the chords': temperature, supply voltage, noise and the two
// echo amplitudes.
constexpr int kOtherWordCaptions[] = {503, 507, 33, 19, 19};

void add(VariableTable& table, int id, int caption, const char* format, int encoding, int offset,
         int block, int flags = 0) {
    VD d;
    d.controlId = id;
    d.flags = flags;
    d.captionText = caption;
    d.kind = VD::kDisplay;
    d.initialValue = encoding == kText ? "" : "0";
    d.format = format;
    d.encoding = encoding;
    d.offset = offset;
    d.block = block;
    if (encoding == kText) d.high = kTimingSoftwareLength;
    table.Register(d);
}

std::int16_t bigEndian16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    if (at + 2 > bytes.size()) return 0;
    return static_cast<std::int16_t>(bytes[at] << 8 | bytes[at + 1]);
}

}  // namespace

TestBenchPage::TestBenchPage(Application& application, Prompts& prompts, InstrumentLink& link,
                             int frameBlock)
    : AcquisitionPage(application, prompts, link, kFileTypeText),
      frameBlock_(frameBlock == kSecondFrameBlock ? kSecondFrameBlock : kFirstFrameBlock) {
    setCaptionId(kCaptionText);
    RegisterFields();
    // The identification read when polling starts goes first into every recording, so that a
    // recorded file names the instrument's software as the live page does.
    declareGroups({kIdentification}, {frameBlock_, frameBlock_ + 1, kVersionBlock});
    setDateTimeField(tbctl::kDateTime);
}

TestBenchPage::~TestBenchPage() {
    StopAcquisition();
}

void TestBenchPage::RegisterFields() {
    using namespace tbctl;
    VariableTable& t = table();
    const int frame = frameBlock_;
    const int data = frameBlock_ + 1;
    for (int i = 0; i < kByteFields; ++i)
        add(t, byteField(i), kByteCaptions[i], "%0.f", kByte, i, frame);
    // The frame's last register, so that the frame block is read whole (never shown).
    VD tail;
    tail.flags = VD::kWindowless | VD::kNeverPrinted;
    tail.format = "%0.f";
    tail.encoding = kU16;
    tail.offset = kFrameBytes - 2;
    tail.block = frame;
    t.Register(tail);

    add(t, kFlagWord, 0, "%0.f", kU16, kFlagOffset - kDataStart, data,
        VD::kWindowless | VD::kNeverPrinted);
    add(t, kFlags, kFlagsText, "%s", 0, -1, -1);
    for (int j = 0; j < kLongValues; ++j)
        add(t, longValue(j), kLongCaptions[j], "%0.2f", kU32, kLongOffset + 4 * j - kDataStart,
            data);
    for (int k = 0; k < kWordValues; ++k) {
        const bool chord = k < kChords * kChordWords;
        // The chords' delta-T are signed; the other values are not.
        const bool deltaT = chord && k % kChordWords == 0;
        add(t, wordValue(k), chord ? 0 : kOtherWordCaptions[k - kChords * kChordWords], "%0.f",
            deltaT ? kS16 : kU16, kWordOffset + 2 * k - kDataStart, data);
    }
    add(t, kDateTime, 162, "%s", kDate, kDateOffset, data);
    add(t, kTimingSoftware, kTimingSoftwareText, "%s", kText, 0, kVersionBlock);
}

AcquisitionPage::PollingStart TestBenchPage::FirstRequest() {
    PollingStart start;
    start.start = kVersionBlock;
    start.intervalMs = kIntervalMs;
    return start;
}

int TestBenchPage::OpenPage(const std::string& recordedFile) {
    if (table().fields().empty() && Build(nullptr) != 0) return -1;
    if (recordedFile.empty()) return Open();
    if (Open(recordedFile) != 0) return -1;
    LoadHistory();
    return 0;
}

int TestBenchPage::Completion(const JBusRequest& result) {
    if (result.data.empty()) return kUnknownCompletion;
    if (result.start == kVersionBlock) {
        table().Decode(kVersionBlock, result.data);
        Refresh();
        RequestBlock(frameBlock_);
        return kChainGoesOn;
    }
    if (result.start != frameBlock_) return kUnknownCompletion;
    table().Decode(frameBlock_, result.data);
    // The frame's data from byte 4 on, then the PC clock: every frame is a sample, whatever
    // the recording's period, and keeps the time it came.
    std::vector<std::uint8_t> data(tbctl::kDataBytes, 0);
    for (std::size_t i = tbctl::kDataStart; i < result.data.size() && i < tbctl::kFrameBytes; ++i)
        data[i - tbctl::kDataStart] = result.data[i];
    const std::tm now = PcTime();
    const InstrumentDate date = InstrumentDate::normalized(
        now.tm_year + 1900, now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec);
    InstrumentDate::writeRaw(kDate, date.toRaw(kDate), data.data(), data.size(),
                             tbctl::kDateOffset);
    table().Decode(frameBlock_ + 1, data);
    clock().forgetPrevious();
    ++frames_;
    Refresh();
    AddHistory(frames_);
    return kCycleComplete;
}

void TestBenchPage::SampleLoaded() {
    Refresh();
}

void TestBenchPage::Refresh() {
    if (BoundField* flags = table().FindField(tbctl::kFlags))
        flags->setText(FlagText(unsigned(fieldValue(tbctl::kFlagWord))));
}

void TestBenchPage::AddHistory(long frame) {
    DeltaTPoint point;
    point.frame = frame;
    for (int c = 0; c < tbctl::kChords; ++c)
        point.deltaT[std::size_t(c)] = fieldValue(tbctl::chordValue(c, 0));
    history_.push_back(point);
    while (history_.size() > kHistoryFrames)
        history_.pop_front();
}

// Every frame of the file, read straight from its frame records (the first block of each
// sample); the shown sample stays as it is.
void TestBenchPage::LoadHistory() {
    history_.clear();
    RecordFile file;
    if (file.open(recordedPath(), RecordFile::Mode::Read) != RecordStatus::Ok) return;
    const int parameters = parameterCount();
    const int blocks = measurementCount();
    std::vector<std::uint8_t> frame;
    const long first = std::max(0L, long(sampleCount()) - long(kHistoryFrames));
    for (long s = first; s < sampleCount(); ++s) {
        if (file.readRepeating(int(parameters + blocks * s), parameters, blocks, frame) !=
            RecordStatus::Ok)
            break;
        DeltaTPoint point;
        point.frame = s + 1;
        for (int c = 0; c < tbctl::kChords; ++c)
            point.deltaT[std::size_t(c)] =
                bigEndian16(frame, std::size_t(tbctl::kWordOffset + 2 * tbctl::kChordWords * c));
        history_.push_back(point);
    }
}

std::string TestBenchPage::fieldText(int controlId) {
    BoundField* field = table().FindField(controlId);
    return field ? field->text() : std::string();
}

double TestBenchPage::fieldValue(int controlId) {
    BoundField* field = table().FindField(controlId);
    return field ? field->value() : 0;
}

std::string TestBenchPage::FlagText(unsigned word) {
    std::string text(10, '_');
    for (int bit = 0; bit < 10; ++bit)
        if (word >> bit & 1u) text[std::size_t(bit)] = char('a' + bit);
    return text;
}

std::string TestBenchPage::ChordTitle(int chord, int part) {
    static constexpr const char* kParts[tbctl::kChordWords] = {"DT", "AMAV", "AVAM"};
    return std::to_string(chord + 1) + kParts[std::clamp(part, 0, tbctl::kChordWords - 1)];
}

}  // namespace flowcfg
