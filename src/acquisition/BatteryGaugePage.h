#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/AcquisitionPage.h"
#include "acquisition/BatteryExportColumns.h"
#include "acquisition/BatteryReading.h"
#include "shell/PrintReport.h"

namespace flowcfg {

// Control ids of the battery page's fields bound to block 0xFE00.
namespace bctl {
inline constexpr int kDate = 1300;     // date and time of the reading: the recording's time base
inline constexpr int kCounter = 1303;  // counter of gauge readings
inline constexpr int kCharger = 1306;  // the last byte of the block
}  // namespace bctl

// One point of the page's chart: the charge and the two voltages of a reading.
struct BatteryPoint {
    std::int64_t seconds = 0;  // the reading's date, seconds since 1980
    double charge = 0;         // %
    double vsb = 0, vts = 0;   // volts
};

// The battery gauge page without its window: it polls block 0xFE00, where battery-powered
// instruments mirror their gas gauge (bq2014) and charger (LT4011), and shows every register with
// its bits, the voltages in volts and the temperature class. A reading is a sample only when the
// instrument's reading counter has changed since the previous one, so a recording holds each
// reading once however fast the block is polled. Recordings are ".bq" files; browsing them, their
// export and the chart of charge, VSB and VTS work as on the other polling pages.
class BatteryGaugePage : public AcquisitionPage {
public:
    static constexpr int kFileTypeText = 226;  // "Fichier Batterie|bq"
    static constexpr int kCaptionText = 277;   // "Battery gauge"
    static constexpr int kChargerText = 348;   // "Charger"
    static constexpr int kBoardText = 407;     // "Board Serial Nbr."
    static constexpr int kTypeText = 528;      // "Type"
    static constexpr const char* kEdv1Note = "Si  V(VSB) < V(VTS) - 100mV => EDV1 = 1";
    // Points the chart keeps: live, the latest; of a file, spread over the whole file.
    static constexpr std::size_t kChartPoints = 2000;

    BatteryGaugePage(Application& application, Prompts& prompts, InstrumentLink& link);
    ~BatteryGaugePage() override;

    // Live: polls the instrument. With a ".bq" file: shows it, and its samples in the chart.
    // 0, or -1 when the page is to close.
    int OpenPage(const std::string& recordedFile = {});

    // The reading in the page's block (live, the recorded sample shown, or the sample an
    // export converts); nothing before the first.
    std::optional<BatteryReading> reading();
    // The block as it stands (all zero before the first reading).
    BatteryReading blockReading();
    // Live: the readings that were samples (a new counter).
    long readings() const { return readings_; }

    // What the page shows, as texts: a caption and its value.
    struct Row {
        std::string caption;
        std::string value;
    };
    // Every register of the reading: counter, the flag bytes in hex with each named bit ("1" or
    // "0"), NAC, NAC old, BATID, LMD, LMD x 256, PPD, PPU, CPI, DMF, VSB and VTS raw and in
    // volts, the charge in %, the gauge value, the charger's four bits; empty before a reading.
    std::vector<Row> rows();
    // What the page prints: the board's type and serial number, every row of the reading (the
    // charger's bits under their title), and the note on EDV1; the rows are left out before a
    // reading.
    PrintReport Report(const std::string& title);
    // "0°C < T < 10°C" ... from TMPGG; empty for a class the chip does not define.
    std::string temperatureText();
    // Volts with three decimals and the user's decimal separator: 400 gives "3.750".
    std::string voltsText(int raw) const;
    // The board (identification block 0xFF00): its type, and its serial number
    // "%02.f/%02.f/%05.f"; of a recorded file, as the recording's description has them.
    std::string boardType();
    std::string boardSerial();

    const std::deque<BatteryPoint>& chart() const { return chart_; }
    char decimalSeparator() const { return separator_; }

    ExportColumns* exportColumns() override { return &columns_; }

protected:
    int Completion(const JBusRequest& result) override;
    void SampleLoaded() override;

private:
    void AddPoint(const BatteryReading& reading);
    void LoadChartOfFile(const std::string& path);

    char separator_;
    bool hasReading_ = false;
    std::string lastCounter_;
    bool counterSeen_ = false;
    long readings_ = 0;
    std::deque<BatteryPoint> chart_;
    BatteryExportColumns columns_{*this};
};

}  // namespace flowcfg
