#include "params/PageSequences.h"

#include <algorithm>

namespace flowcfg {
namespace {

constexpr const char* kComSection = "Com";
constexpr const char* kJBusKey = "JBus";
constexpr double kDefaultJBus = 1;

// Runs the steps in order and stops at the first whose page does not end with OK.
SequenceResult runInOrder(SequenceRunner& runner, const std::vector<SequenceStep>& steps) {
    SequenceResult result;
    for (const SequenceStep& step : steps) {
        result.ran.push_back(step);
        if (!runner.run(step)) {
            result.ok = false;
            result.stoppedAt = step.page;
            break;
        }
    }
    return result;
}

SequenceStep step(SequencePage page, int mode, const std::string& stem = {}) {
    SequenceStep s;
    s.page = page;
    s.mode = mode;
    s.stem = stem;
    return s;
}

// Writes the held value back when the sequence ends, however it ends.
class HeldJBus {
public:
    explicit HeldJBus(const IniFile& config)
        : config_(config), held_(config.readReal(kComSection, kJBusKey, kDefaultJBus)) {
        config_.writeReal(kComSection, kJBusKey, 0);
    }
    ~HeldJBus() { config_.writeReal(kComSection, kJBusKey, held_); }
    HeldJBus(const HeldJBus&) = delete;
    HeldJBus& operator=(const HeldJBus&) = delete;

private:
    const IniFile& config_;
    double held_;
};

}  // namespace

SequenceResult runSaveAll(SequenceRunner& runner, const std::string& stem) {
    const int mode = SequenceStep::kModeReadAndSave;
    SequenceStep record = step(SequencePage::Measurement, SequenceStep::kModeRecord, stem);
    record.recordPeriod = 1;
    record.recordDuration = 0.1;
    return runInOrder(runner, {step(SequencePage::Settings, mode, stem),
                               step(SequencePage::SpecialSettings, mode, stem),
                               step(SequencePage::Function, mode, stem), record});
}

SequenceResult runPrintAll(SequenceRunner& runner) {
    const int mode = SequenceStep::kModeReadAndPrint;
    return runInOrder(
        runner, {step(SequencePage::Settings, mode), step(SequencePage::SpecialSettings, mode),
                 step(SequencePage::Function, mode)});
}

SequenceResult runInitialisation(SequenceRunner& runner, const IniFile& config,
                                 const InitialisationFiles& files) {
    HeldJBus held(config);
    std::vector<SequenceStep> steps;
    for (auto [page, file] : {std::pair{SequencePage::Settings, &files.settings},
                              std::pair{SequencePage::FactorySettings, &files.factorySettings}}) {
        if (file->empty()) continue;
        steps.push_back(step(page, SequenceStep::kModeWriteOnly));
        steps.back().file = *file;
    }
    return runInOrder(runner, steps);
}

std::string saveAllFilter(const std::string& fileText, const std::vector<std::string>& extensions) {
    std::string patterns;
    for (const std::string& extension : extensions) {
        if (!patterns.empty()) patterns += ";";
        patterns += "*." + extension;
    }
    return fileText + " (" + patterns + ")|" + patterns + "|";
}

std::string saveAllStem(const std::string& chosen, const std::vector<std::string>& extensions) {
    std::string stem = chosen;
    const std::size_t dot = stem.rfind('.');
    const std::size_t slash = stem.rfind('/');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        const std::string extension = stem.substr(dot + 1);
        if (std::find(extensions.begin(), extensions.end(), extension) != extensions.end())
            stem.erase(dot);
    }
    return stem + ".";
}

}  // namespace flowcfg
