#pragma once

#include <string>

#include "shell/Prompts.h"
#include "texts/LanguageTable.h"

namespace flowcfg {

// The message boxes of a page without a window of its own: texts and titles by text id in the
// page's language, shown through the page's Prompts.
class PageMessages {
public:
    PageMessages(Prompts& prompts, int language) : prompts_(prompts), language_(language) {}

    std::string text(int id) { return texts_.text(id, language_); }
    std::string item(int id, int position) { return texts_.item(id, position, language_); }

    // An error box: the text of `messageId` (followed by `suffix`), titled `titleId`.
    void showError(int messageId, int titleId, const std::string& suffix = {}) {
        prompts_.showError(text(messageId) + suffix, text(titleId));
    }
    // An error box with a text made by the caller.
    void showText(const std::string& message, int titleId) {
        prompts_.showError(message, text(titleId));
    }
    // A Yes/No question; true for Yes.
    bool askYesNo(int messageId, int titleId) {
        return prompts_.askYesNo(text(messageId), text(titleId));
    }

    int language() const { return language_; }
    void setLanguage(int language) { language_ = language; }
    Prompts& prompts() { return prompts_; }

private:
    Prompts& prompts_;
    LanguageTable texts_;
    int language_;
};

}  // namespace flowcfg
