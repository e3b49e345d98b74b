#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ScriptedPrompts.h"
#include "params/BlockExchange.h"
#include "params/ParameterPage.h"
#include "params/ParameterSession.h"
#include "params/ProgressView.h"
#include "shell/Prompts.h"
#include "texts/LanguageTable.h"

namespace flowcfg::testing {

// Message boxes and questions as a test scripts them: boxes are kept, questions answered from
// a queue (then with `otherwise`).
struct RecordingProgress : ProgressView {
    int range = 0;
    int steps = 0;
    int hides = 0;
    std::string status;
    void setRange(int r) override {
        range = r;
        steps = 0;
    }
    void step() override { ++steps; }
    void hide() override { ++hides; }
    void setStatus(const std::string& text) override { status = text; }
};

// Runs each parameter dialog of a session without a window: the page starts, then the test's
// action for that dialog (if any) plays the user; a dialog the action leaves open is closed as
// by "Cancel".
struct ScriptedHost : ParameterDialogHost {
    std::vector<std::function<void(ParameterPage&)>> actions;
    int shown = 0;
    FieldControlFactory* factory = nullptr;

    ParameterPage::Result run(ParameterPage& page) override {
        page.exchange().setPause([](int) {});
        ParameterPage::Result result = page.Start(factory);
        if (result == ParameterPage::kStayOpen && std::size_t(shown) < actions.size())
            actions[std::size_t(shown)](page);
        ++shown;
        result = page.result();
        return result == ParameterPage::kStayOpen ? ParameterPage::kCancel : result;
    }
};

// A line on which no port opens.
struct NoInstrument : BlockExchange {
    int open() override { return linkresult::kCannotOpen; }
    void close() override {}
    int read(int, int, Bytes&) override { return linkresult::kCannotOpen; }
    int write(int, const Bytes&) override { return linkresult::kCannotOpen; }
};

inline constexpr int kEnglish = LanguageTable::English;

// A page of its own with nothing to talk to, for the rules and the files.
struct OfflinePage {
    ScriptedPrompts prompts;
    RecordingProgress progress;
    NoInstrument line;
    ParameterPage page;
    OfflinePage(const LayoutOptions& options, FieldControlFactory* factory = nullptr,
                int mode = ParameterPage::kModeNew, const std::string& file = {})
        : page(options, PageContext{prompts, progress, line, kEnglish}, mode, file) {
        prompts.unscriptedAnswer = true;
        page.Build(factory);
    }
};

// The value a field shows, by control id ("" when there is no such field).
inline std::string shown(ParameterPage& page, int controlId) {
    BoundField* field = page.table().FindField(controlId);
    return field ? page.rules().ValueText(*field) : std::string();
}

inline long long integerOf(ParameterPage& page, int controlId) {
    BoundField* field = page.table().FindField(controlId);
    return field ? field->integer() : -1;
}

}  // namespace flowcfg::testing
