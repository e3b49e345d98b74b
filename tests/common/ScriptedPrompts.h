#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "shell/Prompts.h"

namespace flowcfg::testing {

// Prompts that answer from a script and remember what they were asked. A question without a
// scripted answer gets `unscriptedAnswer` (No unless a test says otherwise); a file dialog
// without one is cancelled.
class ScriptedPrompts : public Prompts {
public:
    struct Message {
        std::string text;
        std::string title;
    };

    std::deque<bool> answers;
    bool unscriptedAnswer = false;
    std::deque<std::optional<std::string>> files;

    std::vector<Message> errors;
    std::vector<Message> questions;
    std::vector<FileRequest> fileRequests;

    void showError(const std::string& message, const std::string& title) override {
        errors.push_back({message, title});
    }
    bool askYesNo(const std::string& message, const std::string& title) override {
        questions.push_back({message, title});
        if (answers.empty()) return unscriptedAnswer;
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseFile(const FileRequest& request) override {
        fileRequests.push_back(request);
        if (files.empty()) return std::nullopt;
        auto file = files.front();
        files.pop_front();
        return file;
    }
};

}  // namespace flowcfg::testing
