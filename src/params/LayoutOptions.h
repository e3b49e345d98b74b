#pragma once

#include <array>
#include <string>

#include "shell/IniFile.h"

namespace flowcfg {

// What decides the pages and fields of the parameter dialog: instrument type, parameter level,
// which groups are shown, pipes, chords and the installed input-output modules. They live in the
// settings (section "Com") between runs and head every settings file (LayoutLine).
//
// The group options keep the instrument's own coding: 0 shown ("Enable"), 1 hidden ("Desable").
struct LayoutOptions {
    static constexpr int kModuleSlots = 24;
    static constexpr const char* kSection = "Com";
    static constexpr const char* kTypeKey = "Selection Type";
    static constexpr const char* kLevelKey = "Aff Niveau param";
    static constexpr const char* kLoggerKey = "Aff Logger";
    static constexpr const char* kTotalizersKey = "Aff Totalisateurs";
    static constexpr const char* kInputsOutputsKey = "Aff EntreesSorties";
    static constexpr const char* kSequencerKey = "Aff Sequenceur";
    static constexpr const char* kPipesKey = "Aff Nb Conduites";
    static constexpr const char* kFunctionsKey = "Aff Fonction ";  // the key ends with a space
    static constexpr const char* kMaxChordsKey = "Aff Nb Cordes";
    static constexpr const char* kChordsAKey = "Aff Nb Cordes QA";
    static constexpr const char* kChordsBKey = "Aff Nb Cordes QB";
    static constexpr const char* kModuleKeyPrefix = "Aff Module ";  // + slot 0 ... 23

    // Parameter levels.
    static constexpr int kSimple = 0, kNormal = 1, kAdvanced = 2;

    int instrumentType = 1;  // 0 "1 Pipes", 1 "2 Pipes"
    int level = kSimple;
    int logger = 0;
    int totalizers = 0;
    int inputsOutputs = 0;
    int sequencer = 0;
    int pipes = 1;
    int functions = 0;
    int maxChords = 2;
    int chordsA = 1;
    int chordsB = 1;
    std::array<int, kModuleSlots> modules{};  // module word per slot, 0 = empty

    bool loggerShown() const { return logger == 0; }
    bool totalizersShown() const { return totalizers == 0; }
    bool inputsOutputsShown() const { return inputsOutputs == 0; }
    bool sequencerShown() const { return sequencer == 0; }
    bool functionsShown() const { return functions == 0; }

    bool operator==(const LayoutOptions&) const = default;

    // The options stored in `config`, each missing key giving its default.
    static LayoutOptions Load(const IniFile& config);
    // Writes the options to `config`; without `chordsAndModules` the chord and module keys are
    // left as they are (the start dialog of a new set). 0, or -1 when a key cannot be written.
    int SaveLayoutOptions(const IniFile& config, bool chordsAndModules = true) const;
    static std::string moduleKey(int slot);
};

}  // namespace flowcfg
