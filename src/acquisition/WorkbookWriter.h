#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "acquisition/ChartXml.h"
#include "acquisition/SheetNames.h"
#include "acquisition/TransferKeys.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace flowcfg {

// Writes a spreadsheet workbook (xlsx) from what a page hands to the export: its header line,
// its sample lines and its transfer content. The workbook is what the spreadsheet macro built
// from the same texts:
//  - the data sheet: the header row (bold, frozen, with filters), one row per sample, numbers
//    as numbers, the date-time column (ChartPlanner::dateTimeColumn) as dates with a date-time
//    format, column widths fitted to their texts; samples beyond the rows a sheet holds
//    continue on further data sheets, each with the header row;
//  - the identification sheet: the instrument's and the operator's keys of the transfer
//    content, when it has any (the measurement page's);
//  - one chart sheet per chart the transfer content describes (ChartPlanner, ChartXml); the
//    first chart is the sheet the workbook opens on.
// Memory stays bounded whatever the number of samples: rows go to disk as they are written
// (the library's constant-memory mode). The workbook is written beside `path` under a
// temporary name and takes its name only once complete, so a failure or an interruption
// never leaves a broken workbook, nor spoils an earlier one of that name.
class WorkbookWriter {
public:
    static constexpr int kSheetRows = 1048575;  // sample rows of a sheet below its header

    struct Options {
        std::string dataSheetName;        // the data sheet's name (the file's name); "Data"
        std::string identificationSheet;  // the identification sheet's name, in the language
        std::string defaultTitle;         // title of charts the keys give none (the file's name)
        // The user's, as in the sample lines; 0: the one of the first sample's date-time number
        // (printed "%f", it always has one).
        char decimalSeparator = 0;
        std::uint64_t expectedSamples = 0;  // a hint: archives for huge sheets are ZIP64
        int sheetRows = kSheetRows;         // sample rows per data sheet
    };

    WorkbookWriter(std::string path, Options options);
    ~WorkbookWriter();
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // Starts the workbook with the header line (of a header of several lines, the last one) and
    // the transfer content; 0, or -1 and error().
    int begin(std::string_view headerLine, std::string_view transferContent);
    // Adds one sample line (its fields as the header's); 0, or -1 and error().
    int addSample(std::string_view line);
    // Writes the sheets and charts and gives the workbook its name; 0, or -1 and error().
    int finish();

    std::uint64_t samples() const { return samples_; }
    const std::string& error() const { return error_; }

private:
    int fail(std::string text);
    int libraryFailure(int status, std::string_view what);
    bool startDataSheet();
    char separatorOf(const std::vector<std::string_view>& fields) const;
    void writeCell(int row, int column, std::string_view text);
    void finishDataSheet();
    int writeIdentification();
    int writeCharts(std::vector<std::string>& markers, std::vector<ChartPlan>& charts);
    void discard();

    std::string path_;
    std::string partialPath_;
    std::string temporaryFolder_;  // for the library's row files: beside the workbook
    Options options_;
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* headerFormat_ = nullptr;
    lxw_format* dateTimeFormat_ = nullptr;
    SheetNames names_;
    TransferKeys keys_;
    std::vector<std::string> header_;
    std::vector<std::string> firstSample_;
    std::vector<DataSheetPart> parts_;
    std::vector<std::size_t> widths_;
    int dateTimeColumn_ = -1;
    int row_ = 0;
    std::uint64_t samples_ = 0;
    int status_ = 0;  // first library error while writing cells
    std::string error_;
};

}  // namespace flowcfg
