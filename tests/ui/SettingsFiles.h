#pragma once

#include <string>

#include "common/ScriptedPrompts.h"
#include "params/BlockExchange.h"
#include "params/ParameterControls.h"
#include "params/ParameterPage.h"
#include "params/ProgressView.h"

namespace flowcfg::testing {

// A line on which no port opens: the pages shown from files never talk to an instrument.
struct NoLine : BlockExchange {
    int open() override { return linkresult::kCannotOpen; }
    void close() override {}
    int read(int, int, Bytes&) override { return linkresult::kCannotOpen; }
    int write(int, const Bytes&) override { return linkresult::kCannotOpen; }
};

// Writes a settings file for `options` whose structural fields agree with them and whose pipe
// A has a diameter of 512.3 mm. 0 on success.
inline int writeSettingsFile(const std::string& path, const LayoutOptions& options) {
    ScriptedPrompts prompts;
    NoProgress progress;
    NoLine line;
    ParameterPage page(options, PageContext{prompts, progress, line, 2}, ParameterPage::kModeNew);
    page.Build(nullptr);
    VariableTable& t = page.table();
    t.FindField(ctl::kPipes)->setInteger(options.pipes);
    t.FindField(ctl::kLevel)->setInteger(options.level);
    t.FindField(ctl::pipeField(0, ctl::pipe::kDiameter))->setValue(512.3);
    t.FindField(ctl::pipeField(0, ctl::pipe::kChords))->setInteger(options.chordsA);
    t.FindField(ctl::pipeField(1, ctl::pipe::kChords))->setInteger(options.chordsB);
    Bytes modules(48, 0);
    for (int k = 0; k < LayoutOptions::kModuleSlots; ++k)
        modules[std::size_t(2 * k + 1)] = std::uint8_t(options.modules[std::size_t(k)]);
    t.Decode(0xE050, modules);
    return page.SaveParameterSet(path);
}

}  // namespace flowcfg::testing
