#include "acquisition/TestBenchExportColumns.h"

#include "acquisition/LoggerLines.h"
#include "acquisition/NumberText.h"
#include "acquisition/SerialDateTime.h"
#include "acquisition/TestBenchPage.h"
#include "acquisition/TransferContent.h"

namespace flowcfg {
namespace {

constexpr int kNumberText = 408;    // "N°"
constexpr int kDateText = 161;      // "Date"
constexpr int kDateTimeText = 162;  // "DateTime"
constexpr int kSoftwareText = 237;  // "Firmware"
constexpr int kTimingSoftwareText = 461;
constexpr int kDeltaTText = 179;  // "Delta T"
constexpr const char* kOperatorSection = "Test";
constexpr const char* kOperatorKey = "Nom controleur";
constexpr const char* kNoOperator = "Personne";

}  // namespace

TestBenchExportColumns::TestBenchExportColumns(TestBenchPage& page)
    : page_(page), separator_(userDecimalSeparator()) {}

std::string TestBenchExportColumns::headerLine() {
    TestBenchPage& p = page_;
    std::string text =
        p.text(kSoftwareText) + "\t" + p.fieldText(AcquisitionPage::kIdFirmware) + "\r\n";
    text += p.text(kTimingSoftwareText) + "\t" + p.fieldText(tbctl::kTimingSoftware) + "\r\n";
    text += std::to_string(tbctl::kChords) + "\t\r\n";
    for (int id : {kNumberText, kDateText, kDateTimeText})
        text += p.text(id) + "\t";
    for (int i = 0; i < tbctl::kByteFields; ++i) {
        BoundField* field = p.table().FindField(tbctl::byteField(i));
        text += (field ? p.text(field->descriptor().captionText) : std::string()) + "\t";
    }
    for (int c = 0; c < tbctl::kChords; ++c)
        for (int part = 0; part < tbctl::kChordWords; ++part)
            text += TestBenchPage::ChordTitle(c, part) + "\t";
    return text + "\n";
}

std::string TestBenchExportColumns::sampleLine() {
    TestBenchPage& p = page_;
    BoundField* clock = p.table().FindField(tbctl::kDateTime);
    const InstrumentDate date = clock ? clock->date() : InstrumentDate{};
    std::string line = LoggerLines::dateText(date) + " " + LoggerLines::timeText(date) + "\t";
    line += SerialDateTime::text(SerialDateTime::of(date.year, date.month, date.day, date.hour,
                                                    date.minute, date.second),
                                 separator_) +
            "\t";
    for (int i = 0; i < tbctl::kByteFields; ++i)
        line += p.fieldText(tbctl::byteField(i)) + "\t";
    for (int c = 0; c < tbctl::kChords; ++c)
        for (int part = 0; part < tbctl::kChordWords; ++part)
            line += p.fieldText(tbctl::chordValue(c, part)) + "\t";
    return line + "\n";
}

std::string TestBenchExportColumns::transferContent(const ExportFiles& files) {
    TestBenchPage& p = page_;
    TransferContent t;
    t.add("SOFT_IHM", p.fieldText(AcquisitionPage::kIdFirmware));
    t.add("SOFT_CHRONO", p.fieldText(tbctl::kTimingSoftware));
    t.add("TYPE", files.pageType);
    t.add("F_IN", files.textFile);
    t.add("F_OUT", files.outputFile);
    t.add("F_IN_2", files.outputDirectory + kSecondMacroInput);
    t.add("NOM_CONTROLEUR", p.readString(kOperatorSection, kOperatorKey, kNoOperator));
    t.addColumn("C_Num", 0);
    t.addColumn("C_Date", 1);
    t.addColumn("C_DateTime", 2);
    t.add("G1_TITRE", p.text(kDeltaTText));
    for (int c = 0; c < tbctl::kChords; ++c)
        t.addColumn("G1_ECHELLE_GAUCHE_" + std::to_string(c + 1),
                    kFirstChordColumn + tbctl::kChordWords * c);
    return t.text();
}

}  // namespace flowcfg
