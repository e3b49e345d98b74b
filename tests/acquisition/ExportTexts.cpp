#include "acquisition/ExportTexts.h"

#include <cmath>
#include <cstdio>

#include "acquisition/CellReference.h"

namespace flowcfg::testing {
namespace {

std::string number(double value, const char* format, char separator) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    std::string out = text;
    for (char& c : out)
        if (c == '.') c = separator;
    return out;
}

std::string letters(int column) {
    return CellReference::columnLetters(column);
}

void key(std::string& transfer, const std::string& name, const std::string& value) {
    transfer += name + "\t" + value + "\n";
}

// Date, time and serial date-time number of sample s.
std::string timeFields(int sample, char separator) {
    char text[64];
    int minutes = 12 * 60 + sample;
    std::snprintf(text, sizeof text, "01/01/2009\t%02d:%02d:00\t", (minutes / 60) % 24,
                  minutes % 60);
    return text + number(sampleDateTime(sample), "%f", separator) + "\t";
}

}  // namespace

double sampleDateTime(int sample) {
    return 39814.5 + sample / 1440.0;
}

ExportTexts measurementExport(std::vector<int> chordsPerPath, int samples, char separator) {
    bool twoPaths = chordsPerPath.size() == 2;
    ExportTexts texts;
    std::string& h = texts.header;
    h = "N°\tDate\tTime\tDateTime\tDefaults\t";
    if (twoPaths) {
        h += "Total flow (m3/h)\tQA (m3/h)\tVelocity QA (m/s)\tQB (m3/h)\tVelocity QB (m/s)\t";
    } else {
        h += "Flow (m3/h)\tVelocity (m/s)\t";
    }
    const char* chordTexts[] = {"Velocity (m/s)", "Sp. Sound (m/s)", "Time (µs)",
                                "Delta T (ns)",   "I.Q. (%)",        "Gain (dB)"};
    int flowColumns = twoPaths ? 5 : 2;
    for (std::size_t p = 0; p < chordsPerPath.size(); ++p)
        for (int n = 1; n <= chordsPerPath[p]; ++n)
            for (const char* text : chordTexts)
                h += std::string(twoPaths ? (p == 0 ? "QA " : "QB ") : "") + std::to_string(n) +
                     " - " + text + "\t";
    for (int n = 1; n <= 4; ++n)
        h += "Totalizer " + std::to_string(n) + " : QA + (m3)\t";
    for (int n = 0; n < 24; ++n)
        h += "Not Used\t";
    for (int n = 0; n < 10; ++n)
        h += "Not Used\t";
    h += "Serial Nbr.\t\n";

    int chordColumns = 0;
    for (int chords : chordsPerPath)
        chordColumns += 6 * chords;
    for (int s = 0; s < samples; ++s) {
        std::string line = std::to_string(s + 1) + "\t" + timeFields(s, separator);
        line += s % 3 == 0 ? " Alarm QA\t" : "\t";
        // Values that wander as flows do: a slow swell and a faster ripple in every column.
        for (int c = 0; c < flowColumns + chordColumns; ++c) {
            double level = 40 + 6 * c + (c % 4 == 3 ? -60 : 0);
            double value =
                level * (1 + 0.25 * std::sin(s / 90.0 + c * 0.4) + 0.04 * std::sin(s / 7.0 + c));
            line += number(value, "%.3f", separator) + "\t";
        }
        for (int n = 0; n < 4; ++n)
            line += number(1000.0 * n + s, "%.0f", separator) + "\t";
        for (int n = 0; n < 34; ++n)
            line += "\t";
        line += "01/02/00345\t\n";
        texts.samples.push_back(line);
    }

    std::string& t = texts.transfer;
    key(t, "SOFT_IHM", "3.10");
    key(t, "SOFT_CHRONO", "2.04");
    key(t, "VER_CARTE", "7");
    key(t, "NUM_SERIE_CARTE", "01/02/00345");
    key(t, "MODULE_1", "4-20 mA output");
    key(t, "MODULE_2", "Not Used");
    key(t, "MODULE_3", "Not Used");
    key(t, "MODULE_4", "Not Used");
    key(t, "TYPE", "mes");
    key(t, "F_IN", "/data/KVNPrnTemp.prn");
    key(t, "F_OUT", "/data/record.xls");
    key(t, "F_IN_2", "/data/testTemp.xls");
    key(t, "NOM_CONTROLEUR", "Personne");
    key(t, "C_Num", "A");
    key(t, "C_Date", "B");
    key(t, "C_Hour", "C");
    key(t, "C_DateHour", "D");
    if (twoPaths) {
        key(t, "G2_TITRE", "Pipe North - Pipe South");
        key(t, "G1_ECHELLE_GAUCHE_1", "F");
        key(t, "G1_ECHELLE_GAUCHE_2", "G");
        key(t, "G2_ECHELLE_GAUCHE_1", "G");
        key(t, "G1_ECHELLE_DROITE_1", "H");
        key(t, "G2_ECHELLE_DROITE_1", "H");
        key(t, "G1_ECHELLE_GAUCHE_3", "I");
        key(t, "G3_ECHELLE_GAUCHE_1", "I");
        key(t, "G1_ECHELLE_DROITE_2", "J");
        key(t, "G3_ECHELLE_DROITE_1", "J");
    } else {
        key(t, "G2_TITRE", "Pipe North");
        key(t, "G2_ECHELLE_GAUCHE_1", "F");
        key(t, "G2_ECHELLE_DROITE_1", "G");
    }
    int base = 5 + flowColumns;
    for (std::size_t p = 0; p < chordsPerPath.size(); ++p) {
        std::string prefix = p == 0 ? "G2_" : "G3_";
        for (int n = 1; n <= chordsPerPath[p]; ++n) {
            int chord = base + 6 * (n - 1);
            std::string k = std::to_string(n + 1);
            key(t, prefix + "ECHELLE_DROITE_" + k, letters(chord));
            key(t, "G4_ECHELLE_GAUCHE_" + k, letters(chord + 3));
            key(t, "G5_ECHELLE_GAUCHE_" + k, letters(chord + 2));
        }
        base += 6 * chordsPerPath[p];
    }
    return texts;
}

namespace {

struct LoggedParameter {
    const char* name;
    const char* unit;
};

// Parameters as the logger lines name them: category / name / statistic.
constexpr LoggedParameter kLogged[] = {
    {"General / QT / Average", "m3/h"},
    {"Pipe A / Q / Min", "m3/h"},
    {"Pipe A / Q / Average", "m3/h"},
    {"Pipe B / Q / Average", "m3/h"},
    {"Pipe A / Velocity / Average", "m/s"},
    {"Pipe B / Velocity / Average", "m/s"},
    {"Pipe / Q / Average", "m3/h"},
    {"Pipe / Velocity / Average", "m/s"},
    {"Pipe / Velocity C1 / Average", "m/s"},
    {"Pipe A / Velocity C1 / Average", "m/s"},
    {"Pipe A / Velocity C2 / Average", "m/s"},
    {"Pipe B / Velocity C1 / Average", "m/s"},
    {"Input / 01A", "mA"},
    {"Pipe B / Velocity C5 / Average", "m/s"},
};

}  // namespace

ExportTexts loggerExport(int parameters, int samples, char separator) {
    ExportTexts texts;
    texts.header = "Date\tTime\tDateTime\t";
    for (int i = 1; i <= parameters; ++i)
        texts.header += "Parameter - " + std::to_string(i) + "\tValue\tUnit\tI.Q.\t";
    texts.header += "\n";
    for (int s = 0; s < samples; ++s) {
        std::string line = timeFields(s, separator);
        for (int i = 0; i < parameters; ++i) {
            const LoggedParameter& p = kLogged[i % 14];
            line += std::string(p.name) + "\t" + number(i * 10.0 + s * 0.125, "%.3f", separator) +
                    "\t" + p.unit + "\t" + std::to_string(90 + i % 10) + "\t";
        }
        texts.samples.push_back(line + "\n");
    }

    std::string& t = texts.transfer;
    key(t, "TYPE", "log");
    key(t, "F_IN", "/data/site.log");
    key(t, "F_OUT", "/data/site.xls");
    key(t, "NB_VARIABLE", std::to_string(parameters));
    key(t, "C_Date", "A");
    key(t, "C_Time", "B");
    key(t, "C_DateTime", "C");
    for (int i = 1; i <= 14; ++i) {
        int first = 3 + 4 * (i - 1);
        key(t, "C_Variable" + std::to_string(i), letters(first));
        key(t, "C_Valeur" + std::to_string(i), letters(first + 1));
        key(t, "C_Unite" + std::to_string(i), letters(first + 2));
        key(t, "C_BonneMesure" + std::to_string(i), letters(first + 3));
    }
    auto chart = [&](int n, const std::string& sheet, const std::string& category,
                     const std::vector<std::pair<std::string, std::string>>& axes) {
        std::string g = "G" + std::to_string(n) + "_";
        key(t, g + "Titre", "site");
        key(t, g + "Onglet", sheet);
        for (const auto& [axis, value] : axes)
            key(t, g + axis, category.empty() ? value : category + " / " + value + " / Average");
    };
    chart(1, "QT", "",
          {{"EchelleGauche1", "General / QT / Average"},
           {"EchelleGauche2", "Pipe A / Q / Average"},
           {"EchelleGauche3", "Pipe B / Q / Average"},
           {"EchelleDroite1", "Pipe A / Velocity / Average"},
           {"EchelleDroite2", "Pipe B / Velocity / Average"}});
    const char* sheets[] = {"Q", "Pipe A", "Pipe B"};
    const char* categories[] = {"Pipe", "Pipe A", "Pipe B"};
    for (int n = 2; n <= 4; ++n) {
        std::vector<std::pair<std::string, std::string>> axes = {{"EchelleGauche1", "Q"},
                                                                 {"EchelleDroite1", "Velocity"}};
        for (int c = 1; c <= 4; ++c)
            axes.push_back(
                {"EchelleDroite" + std::to_string(c + 1), "Velocity C" + std::to_string(c)});
        chart(n, sheets[n - 2], categories[n - 2], axes);
    }
    return texts;
}

ExportTexts batteryExport(int samples, char separator) {
    ExportTexts texts;
    texts.header =
        "N°\tDate\tTime\tDateTime\tCPT_BAT\tFLGS1\tTEMPGG\tNAC\tNAC OLD\tBATID\tLMD\tFLGS2\tPPD\t"
        "PPU\tCPI\tDMF\tVSB\tVTS\tBATPOURCENT\tVSB VOLT\tVTS VOLT\t\n";
    for (int s = 0; s < samples; ++s) {
        std::string line = std::to_string(s + 1) + "\t" + timeFields(s, separator);
        line += std::to_string(100 + s) +
                "\t0x80\t0x4F\t812\t810\t0x0012\t250\t1000\t0x00\t0x10\t"
                "0x20\t0x30\t0x40\t400\t390\t";
        line += std::to_string(80 - s) + "\t" + number(3.75 - s * 0.01, "%0.3f", separator) + "\t" +
                number(3.656, "%0.3f", separator) + "\t\n";
        texts.samples.push_back(line);
    }
    key(texts.transfer, "TYPE", "bq");
    key(texts.transfer, "F_IN", "/data/battery.prn");
    key(texts.transfer, "F_OUT", "/data/battery.xls");
    key(texts.transfer, "C_Num", "A");
    key(texts.transfer, "C_Date", "B");
    key(texts.transfer, "C_Heure", "C");
    key(texts.transfer, "C_DateTime", "D");
    key(texts.transfer, "BATPOURCENT", "S");
    return texts;
}

}  // namespace flowcfg::testing
