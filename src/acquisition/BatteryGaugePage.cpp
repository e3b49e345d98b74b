#include "acquisition/BatteryGaugePage.h"

#include <cstdio>

#include "acquisition/NumberText.h"
#include "acquisition/RecordFile.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

using VD = VariableDescriptor;

constexpr int kWindowless = VD::kWindowless | VD::kNeverPrinted;
constexpr int kU16 = 0x3000, kDate = 0x7000, kByte = 0xA000;

std::string bitText(int byte, int bit) {
    return BatteryReading::isSet(byte, bit) ? "1" : "0";
}

}  // namespace

BatteryGaugePage::BatteryGaugePage(Application& application, Prompts& prompts, InstrumentLink& link)
    : AcquisitionPage(application, prompts, link, kFileTypeText),
      separator_(userDecimalSeparator()) {
    setCaptionId(kCaptionText);
    struct Part {
        int id;
        const char* format;
        int encoding, offset;
    };
    // The date, the counter and the last byte give the block its 23 registers; the rest of the
    // reading is decoded from the block's bytes.
    for (Part part : {Part{bctl::kDate, "%s", kDate, 0}, Part{bctl::kCounter, "%0.f", kU16, 12},
                      Part{bctl::kCharger, "%0.f", kByte, 45}}) {
        VD d;
        d.controlId = part.id;
        d.flags = kWindowless;
        d.kind = VD::kDisplay;
        d.initialValue = "0";
        d.format = part.format;
        d.encoding = part.encoding;
        d.offset = part.offset;
        d.block = BatteryReading::kAddress;
        table().Register(d);
    }
    declareGroups({}, {BatteryReading::kAddress});
    setDateTimeField(bctl::kDate);
}

BatteryGaugePage::~BatteryGaugePage() {
    StopAcquisition();
}

int BatteryGaugePage::OpenPage(const std::string& recordedFile) {
    if (table().fields().empty() && Build(nullptr) != 0) return -1;
    if (recordedFile.empty()) return Open();
    chart_.clear();
    if (Open(recordedFile) != 0) return -1;
    LoadChartOfFile(recordedFile);
    return 0;
}

int BatteryGaugePage::Completion(const JBusRequest& result) {
    if (result.data.empty()) return kUnknownCompletion;
    if (result.start != BatteryReading::kAddress) {
        table().Decode(result.start, result.data);
        RequestBlock(BatteryReading::kAddress);
        return kUnknownCompletion;
    }
    table().Decode(BatteryReading::kAddress, result.data);
    hasReading_ = true;
    // The instrument answers with its latest reading however often it is asked: a sample is a
    // reading whose counter differs from the previous one's.
    const BoundField* counter = table().FindField(bctl::kCounter);
    const std::string text = counter ? counter->text() : std::string();
    if (counterSeen_ && text == lastCounter_) return kChainGoesOn;
    counterSeen_ = true;
    lastCounter_ = text;
    ++readings_;
    AddPoint(blockReading());
    return kCycleComplete;
}

void BatteryGaugePage::SampleLoaded() {
    hasReading_ = true;
}

BatteryReading BatteryGaugePage::blockReading() {
    const RegisterBlock* block = table().FindBlock(BatteryReading::kAddress);
    auto reading =
        block ? BatteryReading::decode(block->data.data(), block->data.size()) : std::nullopt;
    return reading.value_or(BatteryReading{});
}

std::optional<BatteryReading> BatteryGaugePage::reading() {
    if (!hasReading_) return std::nullopt;
    return blockReading();
}

void BatteryGaugePage::AddPoint(const BatteryReading& r) {
    chart_.push_back({r.date.secondsSince1980(), double(r.charge), r.vsbVolts(), r.vtsVolts()});
    while (chart_.size() > kChartPoints)
        chart_.pop_front();
}

void BatteryGaugePage::LoadChartOfFile(const std::string& path) {
    RecordFile file;
    if (file.open(path) != RecordStatus::Ok) return;
    const int samples = file.count();
    const int step =
        samples > int(kChartPoints) ? (samples + int(kChartPoints) - 1) / int(kChartPoints) : 1;
    std::vector<std::uint8_t> payload;
    for (int k = 0; k < samples; k += step) {
        if (file.read(k, payload) != RecordStatus::Ok) break;
        if (auto r = BatteryReading::decode(payload.data(), payload.size())) AddPoint(*r);
    }
}

std::string BatteryGaugePage::voltsText(int raw) const {
    return withDecimalSeparator(fixedDecimals(BatteryReading::volts(raw), 3), separator_);
}

std::string BatteryGaugePage::temperatureText() {
    const auto reading = this->reading();
    if (!reading) return {};
    const int c = reading->temperatureClass();
    if (c < 0) return {};
    return LanguageTable().item(textid::kListBatteryTemperature, c, language());
}

std::string BatteryGaugePage::boardType() {
    // A recorded file keeps the identification in its description only.
    const std::string recorded = RecordedDescriptionValue(kDescriptionTypeLine);
    if (!recorded.empty()) return recorded;
    const BoundField* type = table().FindField(kIdType);
    return type ? type->shownText() : std::string();
}

std::string BatteryGaugePage::boardSerial() {
    const std::string recorded = RecordedDescriptionValue(kDescriptionSerialLine);
    if (!recorded.empty()) return recorded;
    auto part = [this](int id) {
        const BoundField* field = table().FindField(id);
        return field ? field->value() : 0.0;
    };
    char text[64];
    std::snprintf(text, sizeof text, "%02.f/%02.f/%05.f", part(kIdSerial1), part(kIdSerial2),
                  part(kIdSerial3));
    return text;
}

std::vector<BatteryGaugePage::Row> BatteryGaugePage::rows() {
    std::vector<Row> rows;
    const auto reading = this->reading();
    if (!reading) return rows;
    const BatteryReading& r = *reading;
    auto add = [&rows](std::string caption, std::string value) {
        rows.push_back({std::move(caption), std::move(value)});
    };
    add("CPT_BAT", std::to_string(r.counter));
    add("FLGS1", BatteryReading::hexByte(r.flags1));
    for (const auto& bit : BatteryReading::flags1Bits())
        add(bit.name, bitText(r.flags1, bit.bit));
    add("TMPGG", BatteryReading::hexByte(r.temperature));
    add("T", temperatureText());
    add("NAC", std::to_string(r.nac));
    add("NAC OLD", std::to_string(r.nacOld));
    add("BATID", BatteryReading::hexWord(r.batteryId));
    add("LMD", std::to_string(r.lmd));
    add("LMD x 256", std::to_string(r.lmd256));
    add("FLGS2", BatteryReading::hexByte(r.flags2));
    for (const auto& bit : BatteryReading::flags2Bits())
        add(bit.name, bitText(r.flags2, bit.bit));
    add("DR", std::to_string(r.dischargeRate()));
    add("PPD", BatteryReading::hexWord(r.ppd));
    add("PPU", BatteryReading::hexWord(r.ppu));
    add("CPI", BatteryReading::hexWord(r.cpi));
    add("DMF", BatteryReading::hexWord(r.dmf));
    add("VSB", std::to_string(r.vsbRaw));
    add("VSB (V)", voltsText(r.vsbRaw));
    add("VTS", std::to_string(r.vtsRaw));
    add("VTS (V)", voltsText(r.vtsRaw));
    add("%", std::to_string(r.charge));
    add("GAUGE", withDecimalSeparator(fixedDecimals(r.gauge / 1000.0, 3), separator_));
    for (const auto& bit : BatteryReading::chargerBits())
        add(bit.name, bitText(r.charger, bit.bit));
    return rows;
}

PrintReport BatteryGaugePage::Report(const std::string& title) {
    PrintReport report;
    report.title = title;
    report.addField(text(kTypeText), boardType());
    report.addField(text(kBoardText), boardSerial());
    const std::vector<Row> rows = this->rows();
    if (!rows.empty()) {
        report.addSection(text(kCaptionText));
        // The charger's bits are the last rows.
        const std::size_t charger = rows.size() - BatteryReading::chargerBits().size();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i == charger) report.addGroup(text(kChargerText));
            report.addField(rows[i].caption, rows[i].value);
        }
        report.addGroup({});
    }
    report.addField(kEdv1Note, {});
    return report;
}

}  // namespace flowcfg
