#include "TerminalPrompts.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>

namespace flowcfg::cli {

TerminalPrompts::TerminalPrompts(std::ostream& out, std::ostream& err, std::istream& in,
                                 bool assumeYes)
    : out_(out), err_(err), in_(in), assumeYes_(assumeYes) {}

void TerminalPrompts::showError(const std::string& message, const std::string& title) {
    err_ << title << ": " << message << "\n";
}

bool TerminalPrompts::askYesNo(const std::string& message, const std::string& title) {
    out_ << title << ": " << message << " [y/N] ";
    if (assumeYes_) {
        out_ << "yes\n";
        return true;
    }
    out_.flush();
    std::string answer;
    if (!std::getline(in_, answer)) {
        out_ << "\n";
        return false;
    }
    std::transform(answer.begin(), answer.end(), answer.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    // The program's languages answer yes with these words.
    for (const char* yes : {"y", "yes", "o", "oui", "j", "ja", "s", "si", "sí", "sim"})
        if (answer == yes) return true;
    return false;
}

std::optional<std::string> TerminalPrompts::chooseFile(const FileRequest&) {
    return std::nullopt;  // files are named on the command line
}

void TerminalPrompts::setStatus(const std::string& text) {
    if (!text.empty()) err_ << text << "\n";
}

}  // namespace flowcfg::cli
