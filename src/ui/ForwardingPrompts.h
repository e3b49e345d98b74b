#pragma once

#include <vector>

#include "shell/Prompts.h"

namespace flowcfg {

// Message boxes over whichever window is in front: the parameter session's boxes go to the
// main window until a parameter dialog opens, then to that dialog, then back.
class ForwardingPrompts : public Prompts {
public:
    explicit ForwardingPrompts(Prompts& fallback) : fallback_(fallback) {}

    void push(Prompts& prompts) { stack_.push_back(&prompts); }
    void pop() {
        if (!stack_.empty()) stack_.pop_back();
    }

    void showError(const std::string& message, const std::string& title) override {
        current().showError(message, title);
    }
    bool askYesNo(const std::string& message, const std::string& title) override {
        return current().askYesNo(message, title);
    }
    std::optional<std::string> chooseFile(const FileRequest& request) override {
        return current().chooseFile(request);
    }

private:
    Prompts& current() { return stack_.empty() ? fallback_ : *stack_.back(); }

    Prompts& fallback_;
    std::vector<Prompts*> stack_;
};

}  // namespace flowcfg
