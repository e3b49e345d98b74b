#include "acquisition/WorkbookWriter.h"

#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

#include "acquisition/CellReference.h"
#include "acquisition/WorkbookFields.h"
#include "acquisition/ZipArchivePatch.h"

namespace flowcfg {
namespace {

constexpr std::size_t kMaxCellText = 32767;  // characters a cell holds
constexpr double kMaxWidth = 60;
constexpr double kDateTimeWidth = 19;  // "dd/mm/yyyy hh:mm:ss"
constexpr const char* kChartPartPrefix = "xl/charts/chart";

// The keys of the transfer content that identify the instrument and the operator.
constexpr const char* kIdentificationKeys[] = {
    "SOFT_IHM", "SOFT_CHRONO", "VER_CARTE", "NUM_SERIE_CARTE", "MODULE_1",
    "MODULE_2", "MODULE_3",    "MODULE_4",  "NOM_CONTROLEUR",
};

std::string cellText(std::string_view text) {
    std::string valid = workbookText(text);
    if (utf8Length(valid) <= kMaxCellText) return valid;
    std::size_t seen = 0, i = 0;
    for (; i < valid.size(); ++i) {
        if ((static_cast<unsigned char>(valid[i]) & 0xC0) == 0x80) continue;
        if (seen++ == kMaxCellText) break;
    }
    return valid.substr(0, i);
}

std::string partialPathOf(const std::string& path) {
    std::filesystem::path p(path);
    return (p.parent_path() / ("." + p.filename().string() + ".partial")).string();
}

std::string directoryOf(const std::string& path) {
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

}  // namespace

// The decimal separator of a sample's date-time number, "39814,500000": what follows its digits.
char WorkbookWriter::separatorOf(const std::vector<std::string_view>& fields) const {
    if (dateTimeColumn_ >= 0 && std::size_t(dateTimeColumn_) < fields.size()) {
        std::string_view number = fields[std::size_t(dateTimeColumn_)];
        std::size_t digits = number.find_first_not_of("0123456789");
        if (digits != std::string_view::npos && digits > 0 &&
            (number[digits] == ',' || number[digits] == '.'))
            return number[digits];
    }
    return '.';
}

WorkbookWriter::WorkbookWriter(std::string path, Options options)
    : path_(std::move(path)), partialPath_(partialPathOf(path_)), options_(std::move(options)) {
    if (options_.dataSheetName.empty()) options_.dataSheetName = "Data";
    if (options_.sheetRows < 1 || options_.sheetRows > kSheetRows) options_.sheetRows = kSheetRows;
}

WorkbookWriter::~WorkbookWriter() {
    discard();
}

void WorkbookWriter::discard() {
    if (workbook_) {
        lxw_workbook_free(workbook_);
        workbook_ = nullptr;
        ::unlink(partialPath_.c_str());
    }
}

int WorkbookWriter::fail(std::string text) {
    if (error_.empty()) error_ = std::move(text);
    discard();
    ::unlink(partialPath_.c_str());
    return -1;
}

int WorkbookWriter::libraryFailure(int status, std::string_view what) {
    std::string text = path_ + ": " + std::string(what) + ": " + lxw_strerror(lxw_error(status));
    if (status == LXW_ERROR_CREATING_XLSX_FILE || status == LXW_ERROR_CREATING_TMPFILE ||
        status == LXW_ERROR_ZIP_FILE_OPERATION || status == LXW_ERROR_ZIP_CLOSE) {
        if (errno != 0) text += " (" + std::string(std::strerror(errno)) + ")";
    }
    return fail(text);
}

int WorkbookWriter::begin(std::string_view headerLine, std::string_view transferContent) {
    if (workbook_) return fail(path_ + ": workbook already begun");
    keys_ = TransferKeys::parse(transferContent);
    // A header of several lines (the test bench's identity lines first): the last holds the
    // column titles.
    std::string_view titles = headerLine;
    if (!titles.empty() && titles.back() == '\n') titles.remove_suffix(1);
    if (std::size_t lineEnd = titles.rfind('\n'); lineEnd != std::string_view::npos)
        titles.remove_prefix(lineEnd + 1);
    for (std::string_view field : splitExportLine(titles)) {
        if (header_.size() == std::size_t(CellReference::kMaxColumns)) break;
        header_.push_back(cellText(field));
    }
    if (header_.empty()) return fail(path_ + ": the export has no header line");
    auto dateTime = ChartPlanner::dateTimeColumn(keys_, header_);
    dateTimeColumn_ = dateTime ? *dateTime : -1;

    // The folder must take a file: say so now rather than after the last sample.
    int probe = ::open(partialPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (probe < 0) return fail(path_ + ": " + std::strerror(errno));
    ::close(probe);

    std::uint64_t estimate = options_.expectedSamples * (header_.size() * 48 + 40);
    lxw_workbook_options libraryOptions{};
    libraryOptions.constant_memory = LXW_TRUE;
    temporaryFolder_ = directoryOf(path_);
    libraryOptions.tmpdir = temporaryFolder_.data();
    libraryOptions.use_zip64 = estimate > (std::uint64_t(1) << 31) ? LXW_TRUE : LXW_FALSE;
    workbook_ = workbook_new_opt(partialPath_.c_str(), &libraryOptions);
    if (!workbook_) return fail(path_ + ": cannot start the workbook (out of memory)");

    headerFormat_ = workbook_add_format(workbook_);
    format_set_bold(headerFormat_);
    format_set_bottom(headerFormat_, LXW_BORDER_THIN);
    dateTimeFormat_ = workbook_add_format(workbook_);
    format_set_num_format(dateTimeFormat_, "dd/mm/yyyy hh:mm:ss");
    widths_.assign(header_.size(), 0);
    if (!startDataSheet()) return libraryFailure(status_, "data sheet");
    return 0;
}

bool WorkbookWriter::startDataSheet() {
    std::string name = names_.take(options_.dataSheetName, "Data");
    sheet_ = workbook_add_worksheet(workbook_, name.c_str());
    if (!sheet_) {
        status_ = LXW_ERROR_MEMORY_MALLOC_FAILED;
        return false;
    }
    for (std::size_t column = 0; column < header_.size(); ++column) {
        if (header_[column].empty()) continue;
        lxw_error status = worksheet_write_string(sheet_, 0, lxw_col_t(column),
                                                  header_[column].c_str(), headerFormat_);
        if (status != LXW_NO_ERROR && status_ == 0) status_ = status;
        // Bold text is a little wider.
        widths_[column] = std::max(widths_[column], utf8Length(header_[column]) * 11 / 10 + 1);
    }
    worksheet_freeze_panes(sheet_, 1, 0);
    parts_.push_back({name, 0});
    row_ = 1;
    return status_ == 0;
}

void WorkbookWriter::writeCell(int row, int column, std::string_view text) {
    if (text.empty()) return;
    lxw_error status;
    std::size_t width;
    if (auto number = exportFieldNumber(text, options_.decimalSeparator)) {
        bool dateTime = column == dateTimeColumn_;
        status = worksheet_write_number(sheet_, lxw_row_t(row), lxw_col_t(column), *number,
                                        dateTime ? dateTimeFormat_ : nullptr);
        width = dateTime ? std::size_t(kDateTimeWidth) : text.size();
    } else {
        std::string valid = cellText(text);
        status = worksheet_write_string(sheet_, lxw_row_t(row), lxw_col_t(column), valid.c_str(),
                                        nullptr);
        width = utf8Length(valid);
    }
    if (status != LXW_NO_ERROR && status_ == 0) status_ = status;
    if (std::size_t(column) >= widths_.size()) widths_.resize(std::size_t(column) + 1, 0);
    widths_[std::size_t(column)] = std::max(widths_[std::size_t(column)], width);
}

int WorkbookWriter::addSample(std::string_view line) {
    if (!workbook_) return fail(path_ + ": workbook not begun");
    if (row_ > options_.sheetRows) {
        finishDataSheet();
        if (!startDataSheet()) return libraryFailure(status_, "data sheet");
    }
    std::vector<std::string_view> fields = splitExportLine(line);
    if (fields.size() > std::size_t(CellReference::kMaxColumns))
        fields.resize(std::size_t(CellReference::kMaxColumns));
    if (options_.decimalSeparator == 0) options_.decimalSeparator = separatorOf(fields);
    for (std::size_t column = 0; column < fields.size(); ++column)
        writeCell(row_, int(column), fields[column]);
    if (status_ != 0) return libraryFailure(status_, "sample " + std::to_string(samples_ + 1));
    if (samples_ == 0)
        for (std::string_view field : fields)
            firstSample_.push_back(workbookText(field));
    ++samples_;
    ++row_;
    ++parts_.back().rows;
    return 0;
}

void WorkbookWriter::finishDataSheet() {
    for (std::size_t column = 0; column < widths_.size(); ++column) {
        double width = std::min(kMaxWidth, double(widths_[column]) + 2);
        worksheet_set_column(sheet_, lxw_col_t(column), lxw_col_t(column), width, nullptr);
    }
    std::size_t columns = std::max(header_.size(), widths_.size());
    worksheet_autofilter(sheet_, 0, 0, lxw_row_t(row_ - 1), lxw_col_t(columns - 1));
}

int WorkbookWriter::writeIdentification() {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const char* key : kIdentificationKeys)
        if (keys_.has(key)) rows.emplace_back(key, cellText(keys_.value(key)));
    if (rows.empty()) return 0;
    std::string name = names_.take(options_.identificationSheet, "Identification");
    lxw_worksheet* sheet = workbook_add_worksheet(workbook_, name.c_str());
    if (!sheet) return libraryFailure(LXW_ERROR_MEMORY_MALLOC_FAILED, "identification sheet");
    std::size_t keyWidth = 0, valueWidth = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        // Values are texts even when they look like numbers: "3.10" is a version, not 3.1.
        lxw_error a = worksheet_write_string(sheet, lxw_row_t(row), 0, rows[row].first.c_str(),
                                             headerFormat_);
        lxw_error b = rows[row].second.empty()
                          ? LXW_NO_ERROR
                          : worksheet_write_string(sheet, lxw_row_t(row), 1,
                                                   rows[row].second.c_str(), nullptr);
        if (a != LXW_NO_ERROR) return libraryFailure(a, "identification sheet");
        if (b != LXW_NO_ERROR) return libraryFailure(b, "identification sheet");
        keyWidth = std::max(keyWidth, rows[row].first.size() + 2);
        valueWidth = std::max(valueWidth, utf8Length(rows[row].second) + 2);
    }
    worksheet_set_column(sheet, 0, 0, double(keyWidth), nullptr);
    worksheet_set_column(sheet, 1, 1, std::min(kMaxWidth, double(valueWidth)), nullptr);
    return 0;
}

int WorkbookWriter::writeCharts(std::vector<std::string>& markers, std::vector<ChartPlan>& charts) {
    if (samples_ == 0 || dateTimeColumn_ < 0) return 0;
    charts = ChartPlanner::plan(keys_, header_, firstSample_, options_.defaultTitle);
    for (std::size_t i = 0; i < charts.size(); ++i) {
        ChartPlan& plan = charts[i];
        plan.sheetName = names_.take(plan.sheetName, "G" + std::to_string(plan.number));
        plan.title = workbookText(plan.title);
        for (ChartSeriesPlan& series : plan.series)
            series.name = workbookText(series.name);
        lxw_chartsheet* sheet = workbook_add_chartsheet(workbook_, plan.sheetName.c_str());
        lxw_chart* chart = workbook_add_chart(workbook_, LXW_CHART_SCATTER_STRAIGHT);
        if (!sheet || !chart) return libraryFailure(LXW_ERROR_MEMORY_MALLOC_FAILED, "chart");
        // The library draws no secondary axis: its chart part only holds the place (and names
        // it by this title) until the part is replaced by the whole chart.
        markers.push_back("flowcfg-chart-" + std::to_string(i) + "-" + std::to_string(::getpid()));
        chart_title_set_name(chart, markers.back().c_str());
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        int column = plan.series.front().column;
        const char* data = parts_.front().name.c_str();
        chart_series_set_categories(series, data, 1, lxw_col_t(dateTimeColumn_), 1,
                                    lxw_col_t(dateTimeColumn_));
        chart_series_set_values(series, data, 1, lxw_col_t(column), 1, lxw_col_t(column));
        lxw_error status = chartsheet_set_chart(sheet, chart);
        if (status != LXW_NO_ERROR) return libraryFailure(status, "chart");
        chartsheet_set_landscape(sheet);  // printed across the page
        if (i == 0) chartsheet_activate(sheet);
    }
    return 0;
}

int WorkbookWriter::finish() {
    if (!workbook_) return fail(path_ + ": workbook not begun");
    finishDataSheet();
    if (writeIdentification() != 0) return -1;
    std::vector<std::string> markers;
    std::vector<ChartPlan> charts;
    if (writeCharts(markers, charts) != 0) return -1;

    errno = 0;
    lxw_error status = workbook_close(workbook_);
    workbook_ = nullptr;
    if (status != LXW_NO_ERROR) return libraryFailure(status, "cannot write the workbook");

    if (!charts.empty()) {
        ZipArchivePatch archive;
        if (!archive.open(partialPath_)) return fail(archive.error());
        std::map<std::string, std::string> parts;
        for (const std::string& name : archive.partNames()) {
            if (name.rfind(kChartPartPrefix, 0) != 0) continue;
            auto content = archive.read(name);
            if (!content) return fail(path_ + ": cannot read back " + name);
            for (std::size_t i = 0; i < markers.size(); ++i) {
                if (content->find(">" + markers[i] + "<") == std::string::npos) continue;
                parts[name] = chartXml(charts[i], parts_, dateTimeColumn_, header_);
            }
        }
        if (parts.size() != charts.size()) return fail(path_ + ": charts missing in the workbook");
        if (!archive.replace(parts)) return fail(archive.error());
    }

    std::error_code error;
    std::filesystem::rename(partialPath_, path_, error);
    if (error) return fail(path_ + ": " + error.message());
    return 0;
}

}  // namespace flowcfg
