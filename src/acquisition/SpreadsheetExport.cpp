#include "acquisition/SpreadsheetExport.h"

#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "acquisition/LineFile.h"
#include "acquisition/PosixFile.h"
#include "acquisition/RecordFile.h"
#include "acquisition/TransferContent.h"
#include "shell/CFileDialogKV.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

constexpr int kErrorTitle = 212;             // "Error"
constexpr int kCannotOpenDestination = 205;  // "Can not open destination file !"
constexpr int kIncorrectFile = 206;          // "Incorrect File"
constexpr int kSameFile = 208;               // "Same Source file as select file !"
constexpr int kCannotWrite = 210;            // "Cannot write the file !"
constexpr int kCouldNotOpen = 216;           // "Couldn't open source file : "
constexpr int kMacroMessage = 220;           // "choose the macro ..."
constexpr int kMacroTitle = 498;             // "Choice of Macro"
constexpr int kPrnFile = 229;                // "PRN File"
constexpr int kExcelFile = 235;              // "Excel File"
constexpr int kConverting = 576;             // "Please wait!\r\n Conversion in progress! "
constexpr int kWorkbookFile = textid::kTextWorkbook;
constexpr int kIdentification = textid::kTextIdentification;

std::string directoryOf(const std::string& path) {
    std::string directory = std::filesystem::path(path).parent_path().string();
    if (directory.empty()) directory = ".";
    if (directory.back() != '/') directory += '/';
    return directory;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

std::string replaceExtension(const std::string& path, const std::string& extension) {
    return std::filesystem::path(path).replace_extension(extension).string();
}

}  // namespace

SpreadsheetExport::SpreadsheetExport(PageBase& page, ExportColumns& columns,
                                     MacroDialog& macroDialog, ProgressView& progress,
                                     ProgramLauncher& launcher, std::string& lastDirectory)
    : page_(page),
      columns_(columns),
      macroDialog_(macroDialog),
      progress_(progress),
      launcher_(launcher),
      lastDirectory_(lastDirectory) {}

int SpreadsheetExport::run(const Request& request, SampleStore* samples) {
    const SpreadsheetProgram program = SpreadsheetProgram::Load(page_.config());
    files_ = ExportFiles{};
    files_.pageType = request.pageType;
    samples_ = 0;

    std::string macro;
    bool macroMode = false;
    if (!files_.pageType.empty()) {
        if (request.macro) {
            macro = *request.macro;
            macroMode = !macro.empty();
        } else if (program.macroCapable()) {
            macro = SpreadsheetProgram::loadMacro(page_.config(), files_.pageType);
            macroMode = true;
            if (!request.automatic) {
                auto chosen = macroDialog_.chooseMacro(page_.text(kMacroMessage),
                                                       page_.text(kMacroTitle), macro);
                if (chosen) {
                    macro = *chosen;
                    SpreadsheetProgram::storeMacro(page_.config(), files_.pageType, macro);
                } else {
                    // Cancel: the export goes on without the macro.
                    files_.pageType.clear();
                    macro.clear();
                    macroMode = false;
                }
            }
        }
    }

    const bool workbook =
        !macroMode && request.workbook.value_or(program.format() == SpreadsheetProgram::kWorkbook);
    if (request.convert) {
        if (!samples) return -1;
        switch (convert(request, *samples, macroMode, workbook)) {
            case Conversion::Failed:
                return -1;
            case Conversion::Cancelled:
                return 0;
            case Conversion::Done:
                break;
        }
    } else if (workbook) {
        if (convertTextFile(request) != 0) return -1;
    } else {
        // A text file already (".log"): it is the data file, and its directory the output
        // directory.
        files_.textFile = request.recordPath;
        files_.outputDirectory = directoryOf(request.recordPath);
        files_.outputFile = replaceExtension(request.recordPath, ".xls");
    }

    const bool start = request.startProgram && program.configured();
    const bool withMacro = macroMode && !macro.empty();
    if (withMacro && (start || request.macro) && writeTransfer() != 0) return -1;
    if (!start) return 0;

    const int error =
        launcher_.start(program.path, program.arguments(files_.textFile, files_.outputDirectory,
                                                        withMacro ? macro : std::string()));
    if (error != 0) {
        reportSystemError(error);
        return -1;
    }
    return 0;
}

SpreadsheetExport::Conversion SpreadsheetExport::convert(const Request& request,
                                                         SampleStore& samples, bool macroMode,
                                                         bool workbook) {
    // The output: chosen by the caller, beside the recording, or in a save dialog.
    std::string output;
    if (request.output) {
        output = *request.output;
    } else if (request.automatic) {
        output = replaceExtension(request.recordPath, workbook ? ".xlsx" : ".xls");
    } else {
        FileRequest dialog;
        dialog.mode = FileRequest::Mode::Save;
        const std::string kind = page_.text(macroMode  ? kExcelFile
                                            : workbook ? kWorkbookFile
                                                       : kPrnFile);
        const std::string extension = macroMode ? "xls" : workbook ? "xlsx" : "prn";
        dialog.filter = kind + " (*." + extension + ")|*." + extension + "||";
        dialog.defaultExtension = extension;
        dialog.initialPath =
            lastDirectory_ + std::filesystem::path(request.recordPath).stem().string();
        auto chosen = CFileDialogKV(page_, dialog).run();
        if (!chosen) return Conversion::Cancelled;
        output = *chosen;
    }
    files_.outputFile = output;
    files_.outputDirectory = directoryOf(output);
    lastDirectory_ = files_.outputDirectory;
    files_.textFile = macroMode ? files_.outputDirectory + kMacroTextFile : output;

    // Nothing may be written over the recording being read.
    if (sameFile(output, request.recordPath) || sameFile(files_.textFile, request.recordPath)) {
        page_.showError(kSameFile, kErrorTitle);
        return Conversion::Failed;
    }
    RecordFile record;
    if (record.open(request.recordPath) != RecordStatus::Ok) {
        page_.showError(kIncorrectFile, kErrorTitle);
        return Conversion::Failed;
    }
    {
        // The output must be creatable; the macro writes it later.
        PosixFile probe;
        if (!probe.open(output, PosixFile::Access::CreateTruncate)) {
            page_.showError(kCannotOpenDestination, kErrorTitle);
            return Conversion::Failed;
        }
        probe.close();
        ::unlink(output.c_str());
    }
    ExportFiles source = files_;
    source.textFile = request.recordPath;
    std::unique_ptr<ExportOutput> text = makeOutput(workbook, source);

    const int count = record.count();
    const int first = samples.parameterRecords();
    const int perSample = samples.blocksPerSample();
    std::vector<std::uint8_t> payload;
    bool stored = perSample > 0;
    for (int v = 0; v < first && v < count && stored; ++v)
        stored = record.read(v, payload) == RecordStatus::Ok && samples.storeRecord(v, payload);
    if (!stored) {
        page_.showError(kIncorrectFile, kErrorTitle);
        return Conversion::Failed;
    }

    if (!text->open(columns_.headerLine())) {
        page_.showErrorWith(kCouldNotOpen, text->error(), kErrorTitle);
        return Conversion::Failed;
    }
    bool written = true;
    const long total = count > first ? count - first : 0;
    progress_.setRange(100);
    progress_.setStatus(page_.text(kConverting));
    int shown = 0;
    auto lastUpdate = std::chrono::steady_clock::now();
    bool readable = true;
    for (int v = first; v < count && written; ++v) {
        if (record.read(v, payload) != RecordStatus::Ok || !samples.storeRecord(v, payload)) {
            readable = false;
            break;
        }
        if ((v - first) % perSample == perSample - 1) {
            ++samples_;
            written = text->add(std::to_string(samples_) + "\t" + columns_.sampleLine());
        }
        if ((v - first) % kProgressRecords == kProgressRecords - 1) {
            const auto now = std::chrono::steady_clock::now();
            if (now - lastUpdate > std::chrono::milliseconds(kProgressIntervalMs)) {
                lastUpdate = now;
                const int percent = static_cast<int>(100 * (v - first + 1) / total);
                for (; shown < percent; ++shown)
                    progress_.step();
            }
        }
    }
    if (!finishOutput(*text, written)) return Conversion::Failed;
    if (!readable) {
        // The samples before the unreadable record are in the file.
        page_.showError(kIncorrectFile, kErrorTitle);
        return Conversion::Failed;
    }
    return Conversion::Done;
}

std::unique_ptr<ExportOutput> SpreadsheetExport::makeOutput(bool workbook,
                                                            const ExportFiles& source) {
    if (!workbook) return ExportOutput::textFile(files_.textFile);
    // The workbook's charts are those the transfer content describes for the source's lines.
    return ExportOutput::workbook(
        files_.outputFile, columns_.transferContent(source),
        workbookOptions(source.textFile, files_.outputFile, page_.text(kIdentification)));
}

bool SpreadsheetExport::finishOutput(ExportOutput& output, bool written) {
    progress_.hide();
    progress_.setStatus("");
    if (written && output.close()) return true;
    page_.showErrorWith(kCannotWrite, "\n" + output.error(), kErrorTitle);
    return false;
}

int SpreadsheetExport::convertTextFile(const Request& request) {
    const std::string output =
        request.output ? *request.output : replaceExtension(request.recordPath, ".xlsx");
    ExportFiles source = files_;
    source.textFile = request.recordPath;
    source.outputDirectory = directoryOf(request.recordPath);
    source.outputFile = replaceExtension(request.recordPath, ".xls");
    files_.outputFile = output;
    files_.outputDirectory = directoryOf(output);
    files_.textFile = output;
    if (sameFile(output, request.recordPath)) {
        page_.showError(kSameFile, kErrorTitle);
        return -1;
    }
    std::ifstream in(request.recordPath, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line)) {
        page_.showError(kIncorrectFile, kErrorTitle);
        return -1;
    }
    std::unique_ptr<ExportOutput> workbook = makeOutput(true, source);
    if (!workbook->open(line)) {
        page_.showErrorWith(kCouldNotOpen, workbook->error(), kErrorTitle);
        return -1;
    }
    progress_.setRange(100);
    progress_.setStatus(page_.text(kConverting));
    std::error_code ec;
    const auto size = std::filesystem::file_size(request.recordPath, ec);
    int shown = 0;
    bool written = true;
    for (long n = 1; written && std::getline(in, line); ++n) {
        if (line.empty() || line == "\r") continue;
        written = workbook->add(line);
        ++samples_;
        if (n % kProgressRecords == 0 && size > 0 && in.tellg() > 0) {
            const int percent = static_cast<int>(100 * std::uint64_t(in.tellg()) / size);
            for (; shown < percent; ++shown)
                progress_.step();
        }
    }
    if (!finishOutput(*workbook, written)) return -1;
    return 0;
}

int SpreadsheetExport::writeTransfer() {
    LineFile transfer;
    if (!transfer.create(files_.outputDirectory + TransferContent::kFileName) ||
        !transfer.append(columns_.transferContent(files_)) || !transfer.close()) {
        reportSystemError(transfer.error());
        return -1;
    }
    return 0;
}

void SpreadsheetExport::reportSystemError(int error) {
    page_.showErrorWith(kCouldNotOpen, std::strerror(error), kErrorTitle);
}

}  // namespace flowcfg
