#pragma once

#include <string>

#include "acquisition/ExportColumns.h"
#include "acquisition/LoggerLines.h"

namespace flowcfg {

// The logger page's export columns: the header line of its ".log" files, a stored record line as
// the sample line, and the logger's transfer content (LoggerTransfer).
class LoggerExportColumns : public ExportColumns {
public:
    LoggerExportColumns(int language, char decimalSeparator) : lines_(language, decimalSeparator) {}

    void setParameters(int parameters) { parameters_ = parameters; }
    int parameters() const { return parameters_; }
    // The record line the next sampleLine() gives, as a ".log" file holds it (its numbers
    // already carry the user's decimal separator).
    void setRecordLine(std::string line) { recordLine_ = std::move(line); }

    std::string headerLine() override { return lines_.header(parameters_); }
    std::string sampleLine() override;
    std::string transferContent(const ExportFiles& files) override;

    // The number of logged parameters a ".log" file's header line names: its "Parameter - i"
    // column sets after "Date", "Time" and "DateTime"; -1 when the line is not such a header.
    static int parametersOfHeader(const std::string& line);

    const LoggerLines& lines() const { return lines_; }

private:
    LoggerLines lines_;
    int parameters_ = 0;
    std::string recordLine_;
};

}  // namespace flowcfg
