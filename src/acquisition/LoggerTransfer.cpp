#include "acquisition/LoggerTransfer.h"

#include <filesystem>

#include "acquisition/TransferContent.h"

namespace flowcfg {
namespace {

// Categories (list 53) and the positions of the names in their lists that the charts use.
constexpr int kGeneral = 0, kPipe = 1, kPipeA = 2, kPipeB = 3;
constexpr int kQ = 1, kVelocity = 2;                // list 51: "Q", "Velocity"
constexpr int kTotalFlow = 1;                       // list 52: "QT"
constexpr int kChartStatistic = 1;                  // list 99: "Average"
constexpr int kRightScales[] = {2, 7, 12, 17, 22};  // list 51: velocity, velocity C1 ... C4

// A chart axis: the parameter as the ".log" lines name it, always its average.
std::string axis(const LoggerLines& lines, int category, int name) {
    return lines.categoryText(category) + " / " + lines.nameText(category, name) + " / " +
           lines.statisticText(kChartStatistic);
}

}  // namespace

std::string LoggerTransfer::content(const std::string& logPath, int parameters,
                                    const LoggerLines& lines) {
    TransferContent t;
    t.add("TYPE", kPageType);
    t.add("F_IN", logPath);
    t.add("F_OUT", logPath.size() >= 3 ? logPath.substr(0, logPath.size() - 3) + "xls" : "xls");
    t.add("NB_VARIABLE", parameters);
    t.addColumn("C_Date", 0);
    t.addColumn("C_Time", 1);
    t.addColumn("C_DateTime", 2);
    for (int i = 1; i <= kColumnSets; ++i) {
        const int first = 3 + 4 * (i - 1);
        const std::string n = std::to_string(i);
        t.addColumn("C_Variable" + n, first);
        t.addColumn("C_Valeur" + n, first + 1);
        t.addColumn("C_Unite" + n, first + 2);
        t.addColumn("C_BonneMesure" + n, first + 3);
    }

    const std::string title = std::filesystem::path(logPath).stem().string();
    t.add("G1_Titre", title);
    t.add("G1_Onglet", lines.nameText(kGeneral, kTotalFlow));
    t.add("G1_EchelleGauche1", axis(lines, kGeneral, kTotalFlow));
    t.add("G1_EchelleGauche2", axis(lines, kPipeA, kQ));
    t.add("G1_EchelleGauche3", axis(lines, kPipeB, kQ));
    t.add("G1_EchelleDroite1", axis(lines, kPipeA, kVelocity));
    t.add("G1_EchelleDroite2", axis(lines, kPipeB, kVelocity));
    // Charts 2 to 4: the flow and velocities of the pipe, of pipe A and of pipe B; chart 2's
    // sheet is named after the flow, charts 3 and 4 after their pipe.
    const int pipes[] = {kPipe, kPipeA, kPipeB};
    for (int c = 0; c < 3; ++c) {
        const std::string g = "G" + std::to_string(c + 2) + "_";
        t.add(g + "Titre", title);
        t.add(g + "Onglet", c == 0 ? lines.nameText(kPipe, kQ) : lines.categoryText(pipes[c]));
        t.add(g + "EchelleGauche1", axis(lines, pipes[c], kQ));
        for (int k = 0; k < 5; ++k)
            t.add(g + "EchelleDroite" + std::to_string(k + 1),
                  axis(lines, pipes[c], kRightScales[k]));
    }
    return t.text();
}

}  // namespace flowcfg
