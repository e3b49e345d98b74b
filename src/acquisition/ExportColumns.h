#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace flowcfg {

// The files of one export, as the transfer file names them.
struct ExportFiles {
    std::string pageType;         // the page's file extension ("mes", "log"); empty: no macro
    std::string textFile;         // the tab-separated text handed to the program ("F_IN")
    std::string outputFile;       // the workbook the macro writes ("F_OUT")
    std::string outputDirectory;  // where both lie, ending with '/'
};

// The three texts an exporting page gives the spreadsheet pipeline. Each page that exports
// (measurement, logger, battery, test bench) has one implementation; the text export, the
// transfer file and the workbooks are all written from them.
class ExportColumns {
public:
    virtual ~ExportColumns() = default;
    // The first line of the text file, "\n" at its end.
    virtual std::string headerLine() = 0;
    // The columns of the sample the page holds now, "\n" at the end; the pipeline writes the
    // sample number and a tab before it.
    virtual std::string sampleLine() = 0;
    // The content of the transfer file for the macro (see TransferContent).
    virtual std::string transferContent(const ExportFiles& files) = 0;
};

// The page's register blocks as a recording fills them: record k of a record file goes to the
// block it was recorded from (parameter records first, then M measurement blocks per sample).
class SampleStore {
public:
    virtual ~SampleStore() = default;
    virtual int parameterRecords() const = 0;
    virtual int blocksPerSample() const = 0;
    // Stores record `index` of the file (its payload) in its block; false when the payload does
    // not fit the block.
    virtual bool storeRecord(int index, const std::vector<std::uint8_t>& payload) = 0;
};

// The macro dialog: shows the text and the macro's path for editing; the path, or nothing when
// the person cancelled.
class MacroDialog {
public:
    virtual ~MacroDialog() = default;
    virtual std::optional<std::string> chooseMacro(const std::string& message,
                                                   const std::string& title,
                                                   const std::string& path) = 0;
};

}  // namespace flowcfg
