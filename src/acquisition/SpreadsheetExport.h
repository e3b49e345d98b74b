#pragma once

#include <memory>
#include <optional>
#include <string>

#include "acquisition/ExportColumns.h"
#include "acquisition/ExportOutput.h"
#include "acquisition/ProgramLauncher.h"
#include "acquisition/SpreadsheetProgram.h"
#include "params/ProgressView.h"
#include "shell/PageBase.h"

namespace flowcfg {

// The export of a page to the spreadsheet program: a recording is first converted to a
// tab-separated text file (one line per sample, numbered from 1, under the page's header line);
// a ".log" file already is such a text. Without a macro, the export may write a workbook with
// its charts instead (NAME.xlsx, from the same lines and the page's transfer content; the
// "Export Format" of SpreadsheetProgram), which is then the file handed to the program. With
// the macro-capable program and a macro for the page
// type, the transfer file "KVNTransfert.$dat" is written beside the text and the program gets
// the data file, "/p", the output directory and the macro; another program gets the data file.
//
// Results: 0 done (also when nothing is to be started, or a save dialog was cancelled), -1 a
// failure that was reported to the person.
class SpreadsheetExport {
public:
    static constexpr const char* kMacroTextFile = "KVNPrnTemp.prn";
    static constexpr const char* kSecondMacroInput = "testTemp.xls";
    // Records converted between two looks at the clock for the progress bar.
    static constexpr int kProgressRecords = 25;
    static constexpr int kProgressIntervalMs = 250;

    struct Request {
        std::string pageType;    // the page's file extension; empty: no macro
        std::string recordPath;  // the page's record file, or its text file (".log")
        bool convert = false;    // the record file is a recording to convert first
        bool automatic = false;  // no dialogs: output beside the recording, the stored macro
        // Chosen by the caller instead of the dialogs (the command-line tool): the output file,
        // and the macro, which turns the macro mode on whatever the configured program.
        std::optional<std::string> output;
        std::optional<std::string> macro;
        bool startProgram = true;  // false: write the files only
        // Chosen by the caller: a workbook (true) or the text file (false) when there is no
        // macro; nothing: the configured export format.
        std::optional<bool> workbook;
    };

    // `lastDirectory` is the directory of the page's last save dialog, kept for the run.
    SpreadsheetExport(PageBase& page, ExportColumns& columns, MacroDialog& macroDialog,
                      ProgressView& progress, ProgramLauncher& launcher,
                      std::string& lastDirectory);

    int run(const Request& request, SampleStore* samples = nullptr);

    // The files of the last run; the page's record path becomes files().textFile after a
    // conversion.
    const ExportFiles& files() const { return files_; }
    // Samples written by the last conversion.
    long samplesWritten() const { return samples_; }

private:
    enum class Conversion { Done, Cancelled, Failed };
    Conversion convert(const Request& request, SampleStore& samples, bool macroMode, bool workbook);
    // The ".log" text file `request.recordPath` as a workbook.
    int convertTextFile(const Request& request);
    std::unique_ptr<ExportOutput> makeOutput(bool workbook, const ExportFiles& source);
    // Hides the progress and completes the output; false (reported) when it failed.
    bool finishOutput(ExportOutput& output, bool written);
    int writeTransfer();
    void reportSystemError(int error);

    PageBase& page_;
    ExportColumns& columns_;
    MacroDialog& macroDialog_;
    ProgressView& progress_;
    ProgramLauncher& launcher_;
    std::string& lastDirectory_;
    ExportFiles files_;
    long samples_ = 0;
};

}  // namespace flowcfg
