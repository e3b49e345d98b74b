#include "acquisition/MeasurementExportColumns.h"

#include "acquisition/LoggerLines.h"
#include "acquisition/MeasurementBlocks.h"
#include "acquisition/MeasurementControls.h"
#include "acquisition/MeasurementPage.h"
#include "acquisition/NumberText.h"
#include "acquisition/SerialDateTime.h"
#include "acquisition/SpreadsheetExport.h"
#include "acquisition/TransferContent.h"
#include "shell/ValueDisplay.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

using B = MeasurementBlocks;

// Texts of the header.
constexpr int kNumberText = 408;    // "N°"
constexpr int kDateText = 161;      // "Date"
constexpr int kTimeText = 508;      // "Time"
constexpr int kDateTimeText = 162;  // "DateTime"
constexpr int kDefaultsText = 169;  // "Defaults"
constexpr int kFlowText = 165;      // "Flow"
constexpr int kVelocityText = 568;  // "Velocity"
constexpr int kQAText = 447, kQBText = 448;
constexpr int kTotalizerText = 519;  // "Totalizer"
constexpr int kSerialText = 406;     // "Serial Nbr."
constexpr int kNotUsedList = 64;     // its entry 0: "Not Used"
// The operator's name, as the test sequence keeps it.
constexpr const char* kOperatorSection = "Test";
constexpr const char* kOperatorKey = "Nom controleur";
constexpr const char* kNoOperator = "Personne";

// The six columns of a chord: caption text and unit, in the order of the lines.
struct ChordColumn {
    int text;
    const char* unit;
    int value;
};
constexpr ChordColumn kChordParts[] = {
    {568, " (m/s)", mctl::chord::kVelocity},   {40, " (m/s)", mctl::chord::kSoundVelocity},
    {505, " (µs)", mctl::chord::kTransitTime}, {179, " (ns)", mctl::chord::kDeltaT},
    {304, " (%)", mctl::chord::kQuality},      {243, " (dB)", mctl::chord::kGainUp},
};

std::string pathPrefix(const std::vector<int>& paths, int path) {
    if (paths.size() < 2) return "";
    return path == 0 ? "QA " : "QB ";
}

std::string withoutLeadingBlanks(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

}  // namespace

MeasurementExportColumns::MeasurementExportColumns(MeasurementPage& page)
    : page_(page), separator_(userDecimalSeparator()) {}

std::vector<int> MeasurementExportColumns::exportedPaths() {
    BoundField* type = page_.table().FindField(mctl::kInstrumentType);
    if (type && type->integer() == 1) return {0, 1};
    return {0};
}

int MeasurementExportColumns::flowColumns() {
    return exportedPaths().size() == 2 ? 5 : 2;
}

int MeasurementExportColumns::chordColumn(int path, int chord) {
    int column = 5 + flowColumns();
    for (int p : exportedPaths()) {
        if (p == path) return column + kChordColumns * chord;
        column += kChordColumns * page_.ChordCount(p);
    }
    return -1;
}

// A field's value as its format shows it, with the user's decimal separator.
std::string MeasurementExportColumns::number(int controlId) {
    BoundField* field = page_.table().FindField(controlId);
    if (!field) return {};
    const VariableDescriptor& d = field->descriptor();
    ScopedCNumbers cNumbers;
    return withDecimalSeparator(displayValue(field->value(), d.format, d.low, d.high), separator_);
}

std::string MeasurementExportColumns::headerLine() {
    MeasurementPage& p = page_;
    const std::vector<int> paths = exportedPaths();
    std::string line;
    auto column = [&line](const std::string& text) {
        line += text;
        line += '\t';
    };
    for (int id : {kNumberText, kDateText, kTimeText, kDateTimeText, kDefaultsText})
        column(p.text(id));
    const std::string flowUnit = " (" + p.FlowUnitText() + ")";
    const std::string velocity = p.text(kVelocityText);
    if (paths.size() == 2) {
        column(p.text(textid::kTextTotalFlow) + flowUnit);
        column(p.text(kQAText) + flowUnit);
        column(velocity + " " + p.text(kQAText) + " (m/s)");
        column(p.text(kQBText) + flowUnit);
        column(velocity + " " + p.text(kQBText) + " (m/s)");
    } else {
        column(p.text(kFlowText) + flowUnit);
        column(velocity + " (m/s)");
    }
    for (int path : paths)
        for (int n = 1; n <= p.ChordCount(path); ++n)
            for (const ChordColumn& c : kChordParts)
                column(pathPrefix(paths, path) + std::to_string(n) + " - " + p.text(c.text) +
                       c.unit);
    for (int t = 0; t < 4; ++t) {
        BoundField* weight = p.table().FindField(mctl::totalizerWeight(t));
        column(p.text(kTotalizerText) + " " + std::to_string(t + 1) + " : " +
               p.TotalizerSourceText(t) + " " + (weight ? weight->text() : std::string()) + " (" +
               withoutLeadingBlanks(p.TotalizerUnitText(t)) + ")");
    }
    const std::string notUsed = p.item(kNotUsedList, 0);
    for (int k = 0; k < B::kInputsOutputsShown; ++k)
        column(p.ModuleText(k).empty() ? notUsed : p.InputOutputCaption(k));
    for (int k = 0; k < B::kOutputs; ++k)
        column(p.FunctionInUse(k) ? p.FunctionCaption(k) + " : " + p.FunctionSourceText(k) + "/" +
                                        p.FunctionNumberText(k) + " (" + p.FunctionUnit(k) + ")"
                                  : notUsed);
    column(p.text(kSerialText));
    return line + "\n";
}

std::string MeasurementExportColumns::sampleLine() {
    MeasurementPage& p = page_;
    VariableTable& table = p.table();
    std::string line;
    auto column = [&line](const std::string& text) {
        line += text;
        line += '\t';
    };
    BoundField* clock = table.FindField(mctl::kDateTime);
    const InstrumentDate date = clock ? clock->date() : InstrumentDate{};
    column(LoggerLines::dateText(date));
    column(LoggerLines::timeText(date));
    column(SerialDateTime::text(
        SerialDateTime::of(date.year, date.month, date.day, date.hour, date.minute, date.second),
        separator_));
    BoundField* status = table.FindField(mctl::kStatusWord);
    const auto word = static_cast<std::uint32_t>(status ? status->value() : 0);
    std::string defaults;
    for (int b = 0; b < 32; ++b)
        if (word >> b & 1u) defaults += " " + std::to_string(b + 1);
    column(defaults);

    const std::vector<int> paths = exportedPaths();
    if (paths.size() == 2) {
        for (int id :
             {mctl::kTotalFlow, mctl::kFlowA, mctl::kVelocityA, mctl::kFlowB, mctl::kVelocityB})
            column(number(id));
    } else {
        column(number(mctl::kFlowA));
        column(number(mctl::kVelocityA));
    }
    for (int path : paths)
        for (int c = 0; c < p.ChordCount(path); ++c)
            for (const ChordColumn& chord : kChordParts)
                column(number(mctl::chordField(path, c, chord.value)));
    for (int t = 0; t < 4; ++t)
        column(number(mctl::kTotalizer + 3 * t));
    for (int k = 0; k < B::kInputsOutputsShown; ++k) {
        BoundField* notUsed = table.FindField(mctl::inputOutputNotUsed(k));
        const bool used = notUsed && notUsed->integer() == 0;
        column(used ? number(mctl::inputOutputValue(k)) : std::string());
    }
    for (int k = 0; k < B::kOutputs; ++k) {
        BoundField* fault = table.FindField(mctl::functionDefault(k));
        const bool shown = fault && fault->integer() == 0;
        column(shown ? number(mctl::functionValue(k)) : std::string());
    }
    column(p.IdentitySerial(0));
    return line + "\n";
}

std::string MeasurementExportColumns::transferContent(const ExportFiles& files) {
    MeasurementPage& p = page_;
    TransferContent t;
    auto shown = [&p](int id) {
        BoundField* field = p.table().FindField(id);
        return field ? field->shownText() : std::string();
    };
    t.add("SOFT_IHM", shown(AcquisitionPage::kIdFirmware));
    t.add("SOFT_CHRONO", shown(mctl::kSoftware));
    t.add("VER_CARTE", shown(mctl::kBoard));
    t.add("NUM_SERIE_CARTE", p.IdentitySerial(1));
    for (int i = 0; i < 4; ++i) {
        const std::string module = p.ModuleText(i);
        t.add("MODULE_" + std::to_string(i + 1), module.empty() ? p.item(kNotUsedList, 0) : module);
    }
    t.add("TYPE", files.pageType);
    t.add("F_IN", files.textFile);
    t.add("F_OUT", files.outputFile);
    t.add("F_IN_2", files.outputDirectory + SpreadsheetExport::kSecondMacroInput);
    t.add("NOM_CONTROLEUR", p.readString(kOperatorSection, kOperatorKey, kNoOperator));
    t.addColumn("C_Num", 0);
    t.addColumn("C_Date", 1);
    t.addColumn("C_Hour", 2);
    t.addColumn("C_DateHour", 3);

    const std::vector<int> paths = exportedPaths();
    if (paths.size() == 2) {
        t.add("G2_TITRE", p.text(kQAText) + " - " + p.text(kQBText));
        t.addColumn("G1_ECHELLE_GAUCHE_1", 5);
        t.addColumn("G1_ECHELLE_GAUCHE_2", 6);
        t.addColumn("G2_ECHELLE_GAUCHE_1", 6);
        t.addColumn("G1_ECHELLE_DROITE_1", 7);
        t.addColumn("G2_ECHELLE_DROITE_1", 7);
        t.addColumn("G1_ECHELLE_GAUCHE_3", 8);
        t.addColumn("G3_ECHELLE_GAUCHE_1", 8);
        t.addColumn("G1_ECHELLE_DROITE_2", 9);
        t.addColumn("G3_ECHELLE_DROITE_1", 9);
    } else {
        t.add("G2_TITRE", p.text(kQAText));
        t.addColumn("G2_ECHELLE_GAUCHE_1", 5);
        t.addColumn("G2_ECHELLE_DROITE_1", 6);
    }
    // Per chord: its velocity on its path's chart, its delta-T and transit time on charts of
    // their own.
    for (int path : paths) {
        const std::string prefix = path == 0 ? "G2_" : "G3_";
        for (int c = 0; c < p.ChordCount(path); ++c) {
            const int first = chordColumn(path, c);
            const std::string k = std::to_string(c + 2);
            t.addColumn(prefix + "ECHELLE_DROITE_" + k, first);
            t.addColumn("G4_ECHELLE_GAUCHE_" + k, first + 3);
            t.addColumn("G5_ECHELLE_GAUCHE_" + k, first + 2);
        }
    }
    return t.text();
}

}  // namespace flowcfg
