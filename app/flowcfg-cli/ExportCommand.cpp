#include <filesystem>
#include <iostream>
#include <memory>

#include "CliCommands.h"
#include "CliOptions.h"
#include "InstrumentOptions.h"
#include "TerminalPrompts.h"
#include "acquisition/BatteryGaugePage.h"
#include "acquisition/LoggerPage.h"
#include "acquisition/MeasurementPage.h"
#include "acquisition/SpreadsheetProgram.h"
#include "acquisition/TestBenchPage.h"
#include "acquisition/TransferContent.h"
#include "params/LayoutOptions.h"
#include "shell/Application.h"
#include "shell/SettingsKeys.h"

namespace flowcfg::cli {
namespace {

const char* kUsage =
    "usage: flowcfg-cli export FILE.mes|FILE.log|FILE.bq|FILE.trameSpi [-o OUT] [--macro PATH]\n"
    "                          [--open] [--xlsx OUT.xlsx] [--config PATH]\n";

std::string withExtension(const std::string& path, const char* extension) {
    return std::filesystem::path(path).replace_extension(extension).string();
}

std::string directoryOf(const std::string& path) {
    std::string directory = std::filesystem::path(path).parent_path().string();
    return (directory.empty() ? std::string(".") : directory) + "/";
}

// What the command was asked to write.
struct Plan {
    bool text = false;       // the text file (and, with a macro, the transfer file)
    std::string textOutput;  // the text file, or with a macro the workbook the macro writes
    std::string macro;       // empty: no macro
    std::optional<std::string> workbook;
    bool open = false;
};

// The page that owns the file's type, in file mode; nullptr when none exports such files (the
// person has been told).
class ExportingPage {
public:
    ExportingPage(Application& application, TerminalPrompts& terminal, int language,
                  const std::string& file, std::ostream& err)
        : file_(file) {
        const int type = PageFileTypes(language).typeOfFile(file).textId;
        if (type == MeasurementPage::kFileTypeText) {
            MeasurementLayout layout;
            layout.paths =
                LayoutOptions::Load(IniFile(application.settings().configFilePath)).pipes;
            layout.secondPath = layout.paths >= 2;
            auto page = std::make_unique<MeasurementPage>(application, terminal, link_, layout);
            if (page->Build(nullptr) == 0 && page->Open(file) == 0) page_ = std::move(page);
        } else if (type == BatteryGaugePage::kFileTypeText) {
            auto page = std::make_unique<BatteryGaugePage>(application, terminal, link_);
            if (page->OpenPage(file) == 0) page_ = std::move(page);
        } else if (type == TestBenchPage::kFileTypeText) {
            auto page = std::make_unique<TestBenchPage>(application, terminal, link_);
            if (page->OpenPage(file) == 0) page_ = std::move(page);
        } else if (type == LoggerPage::kFileTypeText) {
            logger_ = std::make_unique<LoggerPage>(application, terminal, link_);
            if (logger_->Build(nullptr) != 0) logger_.reset();
        } else {
            err << "flowcfg-cli export: " << file << ": no page exports files of this type\n";
        }
    }

    bool ok() const { return page_ || logger_; }
    bool recording() const { return page_ != nullptr; }

    // One run of the pipeline; 0 or -1 (the failure has been shown).
    int run(SpreadsheetExport::Request request, const std::string& source) {
        if (logger_) {
            // The logger page closes after each export: a new one for the next.
            auto& application = logger_->application();
            auto& prompts = logger_->prompts();
            const int result = logger_->ExportLogFile(source, request);
            logger_ = std::make_unique<LoggerPage>(application, prompts, link_);
            logger_->Build(nullptr);
            return result;
        }
        request.pageType = page_->fileType().extension;
        request.recordPath = page_->recordedPath();
        request.convert = true;
        return page_->Export(request);
    }

private:
    std::string file_;
    InstrumentLink link_;  // never opened: the pages only read files here
    std::unique_ptr<AcquisitionPage> page_;
    std::unique_ptr<LoggerPage> logger_;
};

SpreadsheetExport::Request requestFor(const Plan& plan, bool workbook) {
    SpreadsheetExport::Request request;
    request.automatic = true;
    request.startProgram = plan.open && (workbook || !plan.workbook);
    request.workbook = workbook;
    request.macro = workbook ? std::string() : plan.macro;
    request.output = workbook ? *plan.workbook : plan.textOutput;
    return request;
}

}  // namespace

// A recording or a logger file handed to the spreadsheet pipeline as the pages' export does
// it, with the choices given on the command line instead of the dialogs: the text file
// (FILE.prn, or -o), with --macro also the transfer file for that macro (the text is then
// "KVNPrnTemp.prn" beside the macro's output, FILE.xls or -o), with --xlsx a workbook with its
// charts. The configured spreadsheet program is started only with --open.
int runExportCommand(const std::vector<std::string>& args, CliContext& context) {
    std::vector<std::string> rest = args;
    for (std::string& word : rest)
        if (word == "-o") word = "--output";
    CliOptions options(rest, {"config", "output", "macro", "xlsx"}, {"open"});
    std::string error = options.ok() ? std::string() : options.error();
    if (error.empty() && options.positional().size() != 1) error = "give one file to export";
    for (const char* name : {"output", "macro", "xlsx"})
        if (error.empty() && options.has(name) && options.value(name).value_or("").empty())
            error = std::string("--") + name + ": give a path";
    if (!error.empty()) {
        context.err << "flowcfg-cli export: " << error << "\n" << kUsage;
        return 2;
    }
    const std::string& file = options.positional()[0];
    Plan plan;
    plan.macro = options.value("macro").value_or("");
    plan.workbook = options.value("xlsx");
    plan.text = !plan.workbook || options.has("output") || options.has("macro");
    plan.textOutput =
        options.value("output").value_or(withExtension(file, plan.macro.empty() ? ".prn" : ".xls"));
    plan.open = options.has("open");

    StartupEnvironment environment = context.environment;
    environment.commandLine = options.value("config").value_or("");
    Application application(environment, RegistryStore());
    application.loadSettings(keys::kDefaultPrefix);
    const int language = PageBase::storedLanguage(IniFile(application.settings().configFilePath));
    TerminalPrompts terminal(context.out, context.err, context.in ? *context.in : std::cin, false);
    if (plan.open &&
        !SpreadsheetProgram::Load(IniFile(application.settings().configFilePath)).configured()) {
        context.err << "flowcfg-cli export: --open: no spreadsheet program is configured "
                       "(\"Path Spreadsheet\" of section Spreadsheet)\n";
        return 1;
    }
    ExportingPage page(application, terminal, language, file, context.err);
    if (!page.ok()) return 1;

    if (plan.text) {
        std::string source = file;
        if (!page.recording() && options.has("output")) {
            // A logger file is a text file already: -o gets a copy of it.
            std::error_code ec;
            if (std::filesystem::equivalent(file, plan.textOutput, ec) ||
                !std::filesystem::copy_file(
                    file, plan.textOutput, std::filesystem::copy_options::overwrite_existing, ec)) {
                context.err << "flowcfg-cli export: cannot write " << plan.textOutput
                            << (ec ? " (" + ec.message() + ")" : std::string(" (the same file)"))
                            << "\n";
                return 1;
            }
            source = plan.textOutput;
        }
        if (page.run(requestFor(plan, false), source) != 0) return 1;
        const std::string directory = directoryOf(page.recording() ? plan.textOutput : source);
        if (!plan.macro.empty()) {
            if (page.recording())
                context.out << "text file: " << directory << SpreadsheetExport::kMacroTextFile
                            << "\n";
            context.out << "transfer file: " << directory << TransferContent::kFileName << "\n";
        } else if (page.recording() || source != file) {
            context.out << "text file: " << plan.textOutput << "\n";
        }
    }
    if (plan.workbook) {
        if (page.run(requestFor(plan, true), file) != 0) return 1;
        context.out << "workbook: " << *plan.workbook << "\n";
    }
    return 0;
}

}  // namespace flowcfg::cli
