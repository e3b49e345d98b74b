#include "acquisition/LoggerExportColumns.h"

#include <algorithm>

#include "acquisition/LoggerTransfer.h"

namespace flowcfg {

std::string LoggerExportColumns::sampleLine() {
    if (!recordLine_.empty() && recordLine_.back() == '\n') return recordLine_;
    return recordLine_ + "\n";
}

std::string LoggerExportColumns::transferContent(const ExportFiles& files) {
    return LoggerTransfer::content(files.textFile, parameters_, lines_);
}

int LoggerExportColumns::parametersOfHeader(const std::string& line) {
    std::string text = line;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (!text.empty() && text.back() == '\r') text.pop_back();
    // Three columns, then four per parameter, each followed by a tab.
    const long tabs = std::count(text.begin(), text.end(), '\t');
    if (text.empty() || text.back() != '\t' || tabs < 3 || (tabs - 3) % 4 != 0) return -1;
    return static_cast<int>((tabs - 3) / 4);
}

}  // namespace flowcfg
