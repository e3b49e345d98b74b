#include "params/LayoutOptions.h"

#include "params/EncodingCode.h"

namespace flowcfg {
namespace {

int readInt(const IniFile& config, const char* key, int fallback) {
    return int(EncodingCode::toInteger(config.readReal(LayoutOptions::kSection, key, fallback)));
}

}  // namespace

std::string LayoutOptions::moduleKey(int slot) {
    return kModuleKeyPrefix + std::to_string(slot);
}

LayoutOptions LayoutOptions::Load(const IniFile& config) {
    LayoutOptions o;
    o.instrumentType = readInt(config, kTypeKey, o.instrumentType);
    o.level = readInt(config, kLevelKey, o.level);
    o.logger = readInt(config, kLoggerKey, o.logger);
    o.totalizers = readInt(config, kTotalizersKey, o.totalizers);
    o.inputsOutputs = readInt(config, kInputsOutputsKey, o.inputsOutputs);
    o.sequencer = readInt(config, kSequencerKey, o.sequencer);
    o.pipes = readInt(config, kPipesKey, o.pipes);
    o.functions = readInt(config, kFunctionsKey, o.functions);
    o.maxChords = readInt(config, kMaxChordsKey, o.maxChords);
    o.chordsA = readInt(config, kChordsAKey, o.chordsA);
    o.chordsB = readInt(config, kChordsBKey, o.chordsB);
    for (int slot = 0; slot < kModuleSlots; ++slot)
        o.modules[std::size_t(slot)] = readInt(config, moduleKey(slot).c_str(), 0);
    return o;
}

int LayoutOptions::SaveLayoutOptions(const IniFile& config, bool chordsAndModules) const {
    int status = 0;
    auto write = [&](const std::string& key, int value) {
        if (config.writeReal(kSection, key, value) != 0) status = -1;
    };
    write(kTypeKey, instrumentType);
    write(kLevelKey, level);
    write(kLoggerKey, logger);
    write(kTotalizersKey, totalizers);
    write(kInputsOutputsKey, inputsOutputs);
    write(kSequencerKey, sequencer);
    write(kPipesKey, pipes);
    write(kFunctionsKey, functions);
    if (chordsAndModules) {
        write(kMaxChordsKey, maxChords);
        write(kChordsAKey, chordsA);
        write(kChordsBKey, chordsB);
        for (int slot = 0; slot < kModuleSlots; ++slot)
            write(moduleKey(slot), modules[std::size_t(slot)]);
    }
    return status;
}

}  // namespace flowcfg
