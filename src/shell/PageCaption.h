#pragma once

#include <string>

namespace flowcfg {

// A page's window title: its text (by text id, or literal), the file it shows and any further
// text, as "Réglages   -   /data/site1 (modifié)".
class PageCaption {
public:
    static constexpr const char* kSeparator = "   -   ";
    static constexpr std::size_t kMaxFileLength = 40;

    // Names longer than 40 characters become their first 3 characters, "..." and their last 34
    // characters; shorter names are kept. Counted in characters, so an accented letter is one.
    static std::string shortenFileName(const std::string& name);

    // The title: `title`, then the separator and the file name when there is one, then the
    // extra text.
    std::string compose(const std::string& title) const;

    int textId = -1;    // -1: the literal text is used
    std::string text;   // the literal title
    std::string file;   // shown after the separator
    std::string extra;  // appended at the end
};

}  // namespace flowcfg
