#pragma once

#include <cstdio>
#include <string>

namespace flowcfg::testing {

// What a PDF file reads as, through poppler's pdftotext: "-layout" keeps each printed line as
// one line of text, so a caption and its value stand on one line. Empty when it cannot be read.
inline std::string pdfText(const std::string& path, const std::string& options = "-layout") {
    const std::string command = "pdftotext " + options + " '" + path + "' - 2>/dev/null";
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    return text;
}

// The page count pdfinfo gives; 0 when the file is no PDF.
inline int pdfPages(const std::string& path) {
    const std::string command = "pdfinfo '" + path + "' 2>/dev/null";
    int pages = 0;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, pipe))
            if (std::sscanf(line, "Pages: %d", &pages) == 1) break;
        ::pclose(pipe);
    }
    return pages;
}

// True when `text` at `at` reads `value`, blanks aside: pdftotext drops the narrow blank of
// "1 s" and "1 / 2".
inline bool readsAt(const std::string& text, std::size_t at, const std::string& value) {
    for (char c : value) {
        if (c == ' ') continue;
        while (at < text.size() && text[at] == ' ')
            ++at;
        if (at >= text.size() || text[at] != c) return false;
        ++at;
    }
    return true;
}

inline bool containsReading(const std::string& text, const std::string& value) {
    for (std::size_t at = 0; at < text.size(); ++at)
        if (readsAt(text, at, value)) return true;
    return false;
}

// True when a line of `text` holds `caption` followed, after blanks only, by `value`.
inline bool hasLineWith(const std::string& text, const std::string& caption,
                        const std::string& value) {
    for (std::size_t at = text.find(caption); at != std::string::npos;
         at = text.find(caption, at + 1)) {
        std::size_t next = at + caption.size();
        if (next == text.size() || text[next] != ' ') continue;
        while (next < text.size() && text[next] == ' ')
            ++next;
        if (readsAt(text, next, value)) return true;
    }
    return false;
}

}  // namespace flowcfg::testing
