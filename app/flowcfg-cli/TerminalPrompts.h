#pragma once

#include <iosfwd>

#include "params/ProgressView.h"
#include "shell/Prompts.h"

namespace flowcfg::cli {

// The page logic's message boxes and questions on the terminal: messages on the error stream
// as "title: message", questions on the output stream answered from the input, or with yes
// when the command was given --yes. An input that ends answers no.
class TerminalPrompts : public Prompts, public ProgressView {
public:
    TerminalPrompts(std::ostream& out, std::ostream& err, std::istream& in, bool assumeYes);

    void showError(const std::string& message, const std::string& title) override;
    bool askYesNo(const std::string& message, const std::string& title) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;

    // Progress: the status line only.
    void setRange(int) override {}
    void step() override {}
    void hide() override {}
    void setStatus(const std::string& text) override;

private:
    std::ostream& out_;
    std::ostream& err_;
    std::istream& in_;
    bool assumeYes_;
};

}  // namespace flowcfg::cli
