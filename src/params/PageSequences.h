#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/IniFile.h"

namespace flowcfg {

// The pages the main window's sequences run one after the other.
enum class SequencePage { Settings, SpecialSettings, Function, FactorySettings, Measurement };

// One page of a sequence, in the mode the page is opened with.
struct SequenceStep {
    static constexpr int kModeWriteOnly = 16;      // load the prepared set and send it
    static constexpr int kModeReadAndSave = 65;    // read, save as `stem` + extension, close
    static constexpr int kModeReadAndPrint = 129;  // read, print on the default printer, close
    static constexpr int kModeRecord = 1;          // online, recording at once

    SequencePage page = SequencePage::Settings;
    int mode = 0;
    std::string stem;           // "NAME." for the saving sequence
    std::string file;           // the prepared file a write-only page (mode 16) loads and sends
    int recordPeriod = 0;       // the measurement recording of the saving sequence
    double recordDuration = 0;  // in the recording settings' unit
};

// Opens a page as a step says and tells whether it ended with OK. The desktop tool runs the
// pages' windows, the command-line tool the pages without windows, the tests a script.
class SequenceRunner {
public:
    virtual ~SequenceRunner() = default;
    virtual bool run(const SequenceStep& step) = 0;
};

struct SequenceResult {
    bool ok = true;
    // The page that did not end with OK; nothing when every page did.
    std::optional<SequencePage> stoppedAt;
    // The steps that ran, in order.
    std::vector<SequenceStep> ran;
};

// "&Sauvegarder tout": the settings, special settings and function pages read and save under
// `stem`, stopping at the first that does not end with OK; then the measurement page records
// into the same stem at once (period 1, duration 0.1).
SequenceResult runSaveAll(SequenceRunner& runner, const std::string& stem);

// "&Imprimer tout": the settings, special settings and function pages read and print,
// stopping at the first that does not end with OK.
SequenceResult runPrintAll(SequenceRunner& runner);

// The prepared files "I&nitialisation" sends; an empty name leaves its page out.
struct InitialisationFiles {
    std::string settings;         // a settings file (.eta)
    std::string factorySettings;  // a factory settings file (.rus)
};

// "I&nitialisation"'s "Transfert": "Com"/"JBus" is held and 0 written in its place, so that
// whichever instrument is on the line answers; the settings page and then the factory
// settings page send their prepared files as chosen (the second only after the first ended
// with OK); the held "JBus" is written back whatever happened, an exception included.
// Each page reads its link settings from the configuration file when it is made, so the pages
// of the sequence talk to address 0.
SequenceResult runInitialisation(SequenceRunner& runner, const IniFile& config,
                                 const InitialisationFiles& files);

// The save dialog's filter of the saving sequence: `fileText` ("Fichier"), " (", "*.eta;*.rsp;
// ...", ")|", the same list, "|".
std::string saveAllFilter(const std::string& fileText, const std::vector<std::string>& extensions);

// The stem of a chosen name: "/data/site" and "/data/site.eta" both give "/data/site.".
std::string saveAllStem(const std::string& chosen, const std::vector<std::string>& extensions);

}  // namespace flowcfg
