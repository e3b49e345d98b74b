#pragma once

#include <ctime>
#include <string>

#include "acquisition/AcquisitionPage.h"
#include "params/InstrumentDate.h"

namespace flowcfg::testing {

// The instrument date `seconds` after 1980-01-01 00:00:00.
inline InstrumentDate dateAt(std::int64_t seconds) {
    constexpr std::int64_t k1980 = 315532800;  // 1980-01-01 00:00:00 UTC since 1970
    std::time_t t = std::time_t(k1980 + seconds);
    std::tm utc{};
    gmtime_r(&t, &utc);
    return InstrumentDate{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                          utc.tm_hour,        utc.tm_min,     utc.tm_sec};
}

// A polling page of two blocks that the test drives by hand: every notification is a complete
// cycle at the instrument time the test gives, with a counter in the measurement block. The
// parameter block 0x1000 holds one register, the measurement block 0x0200 the date and the
// counter.
class CyclePage : public AcquisitionPage {
public:
    static constexpr int kDate = 1, kCounter = 4, kSetting = 7;

    CyclePage(Application& application, Prompts& prompts, InstrumentLink& link,
              bool withParameters = true)
        : AcquisitionPage(application, prompts, link, 228) {
        setCaptionId(512);
        auto add = [this](int id, const char* format, int encoding, int offset, int block) {
            VariableDescriptor d;
            d.controlId = id;
            d.flags = VariableDescriptor::kWindowless;
            d.kind = VariableDescriptor::kDisplay;
            d.initialValue = "0";
            d.format = format;
            d.encoding = encoding;
            d.offset = offset;
            d.block = block;
            table().Register(d);
        };
        add(kDate, "%s", 0x7000, 0, 0x0200);
        add(kCounter, "%0.f", 0x3000, 6, 0x0200);
        add(kSetting, "%0.f", 0x3000, 0, 0x1000);
        declareGroups(withParameters ? std::vector<int>{0x1000} : std::vector<int>{}, {0x0200});
        setDateTimeField(kDate);
        Build(nullptr);
        table().FindField(kSetting)->setInteger(42);
        table().Encode(0x1000, table().FindBlock(0x1000)->data, 2);
    }

    // One complete cycle at `seconds` of instrument time.
    void cycle(std::int64_t seconds) {
        ++counter_;
        table().FindField(kDate)->setDate(dateAt(seconds));
        table().FindField(kCounter)->setInteger(counter_);
        table().Encode(0x0200, table().FindBlock(0x0200)->data, 8);
        HandleNewFrame();
    }

    using AcquisitionPage::notifyState;

protected:
    int Completion(const JBusRequest&) override { return kCycleComplete; }

private:
    int counter_ = 0;
};

}  // namespace flowcfg::testing
