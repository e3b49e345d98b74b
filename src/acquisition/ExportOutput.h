#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "acquisition/WorkbookWriter.h"

namespace flowcfg {

// Where an export writes a page's lines: the tab-separated text file, or a workbook with its
// charts built from the same lines and the page's transfer content.
class ExportOutput {
public:
    virtual ~ExportOutput() = default;
    // Creates the output; false and error() when the system refuses.
    virtual bool open(std::string_view headerLine) = 0;
    virtual bool add(std::string_view sampleLine) = 0;
    // Completes the output; false and error() when it could not be written whole.
    virtual bool close() = 0;
    // What went wrong, in the system's words.
    virtual std::string error() const = 0;

    static std::unique_ptr<ExportOutput> textFile(std::string path);
    static std::unique_ptr<ExportOutput> workbook(std::string path, std::string transferContent,
                                                  WorkbookWriter::Options options);
};

// The options of the workbook of `output` exported from `source`: its data sheet and its charts
// without a title are named after the output's and the source's file names.
WorkbookWriter::Options workbookOptions(const std::string& source, const std::string& output,
                                        std::string identificationSheet);

}  // namespace flowcfg
