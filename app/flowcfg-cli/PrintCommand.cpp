#include <iostream>
#include <optional>

#include "CliCommands.h"
#include "CliOptions.h"
#include "InstrumentOptions.h"
#include "PageSession.h"
#include "TerminalPrompts.h"
#include "acquisition/BatteryGaugePage.h"
#include "acquisition/MeasurementPage.h"
#include "params/BlockExchange.h"
#include "params/FactorySettingsPage.h"
#include "params/FunctionPage.h"
#include "params/ParameterComparison.h"
#include "params/ParameterTexts.h"
#include "params/PrintedFields.h"
#include "params/ProgressView.h"
#include "params/SpecialSettingsPage.h"
#include "print/PrintSession.h"
#include "print/QtPrinters.h"
#include "shell/PageBase.h"
#include "shell/PageCaption.h"
#include "shell/PageFileTypes.h"
#include "texts/LanguageTable.h"

namespace flowcfg::cli {
namespace {

const char* kUsage =
    "usage: flowcfg-cli print FILE (--pdf OUT.pdf | --printer NAME) [--sample K] [--config PATH]\n"
    "  FILE: a settings (.eta), special settings (.rsp), factory settings (.rus) or function\n"
    "        (.fct) file, or a measurement (.mes) or battery (.bq) recording, whose last sample\n"
    "        is printed unless --sample K (1 = the first) says which\n";

// The measurement page as flowcfg-cli measure has it: two paths, inputs and outputs; what the
// recorded instrument lacks is left out of the report by the page itself.
constexpr MeasurementLayout kMeasurementLayout{2, true, true};

bool isRecording(int type) {
    return type == MeasurementPage::kFileTypeText || type == BatteryGaugePage::kFileTypeText;
}

bool isPrinted(int type) {
    return isRecording(type) || type == paramtext::kSettingFileType ||
           type == SpecialSettingsPage::kFileTypeText ||
           type == FactorySettingsPage::kFileTypeText || type == FunctionPage::kFileTypeText;
}

// The caption the page's window has for the file: its title and the file's name.
std::string captionFor(int titleText, const std::string& path, int language) {
    PageCaption caption;
    caption.file = PageCaption::shortenFileName(path);
    return caption.compose(LanguageTable().text(titleText, language));
}

// The report of a special settings, factory settings or function file.
template <typename Page>
std::optional<PrintReport> blockPageReport(const std::string& path, int language,
                                           Prompts& prompts) {
    NoProgress progress;
    OfflineExchange offline;
    Page page(PageContext{prompts, progress, offline, language}, BlockPage::kModeFile, path);
    if (page.Start(nullptr) != BlockPage::kStayOpen) return std::nullopt;
    return page.Report(captionFor(Page::kTitleText, path, language));
}

// The report of sample `sample` (0 = the first, nullopt = the last) of a recording, as the
// recording's page shows it.
template <typename Page>
std::optional<PrintReport> sampleReport(Page& page, const std::string& path,
                                        std::optional<long long> sample, std::ostream& err) {
    if (page.Build(nullptr) != 0 || page.Open(path) != 0) return std::nullopt;
    const int count = page.sampleCount();
    const long long k = sample.value_or(count);
    if (k < 1 || k > count) {
        err << "flowcfg-cli print: " << path << ": no sample " << k << " (the file holds " << count
            << ")\n";
        return std::nullopt;
    }
    if (page.ShowSample(int(k - 1)) != 0) {
        err << "flowcfg-cli print: " << path << ": sample " << k << " cannot be read\n";
        return std::nullopt;
    }
    page.refreshCaption();
    PrintReport report = page.Report(page.caption());
    page.Close();
    return report;
}

// The report of a saved page file, as its page would print it; nullopt when the file cannot
// be read (the person has been told).
std::optional<PrintReport> reportOfFile(const std::string& path, int type,
                                        std::optional<long long> sample,
                                        const InstrumentTarget& target, CliContext& context,
                                        int language, Prompts& prompts) {
    if (type == paramtext::kSettingFileType) {
        auto page = ParameterComparison::OpenSettingsFile(path, prompts, language);
        if (!page) return std::nullopt;
        return PrintedFields::Of(*page, captionFor(paramtext::kSettings, path, language));
    }
    if (type == SpecialSettingsPage::kFileTypeText)
        return blockPageReport<SpecialSettingsPage>(path, language, prompts);
    if (type == FactorySettingsPage::kFileTypeText)
        return blockPageReport<FactorySettingsPage>(path, language, prompts);
    if (type == FunctionPage::kFileTypeText)
        return blockPageReport<FunctionPage>(path, language, prompts);
    // A recording: its page in file mode, which reads no instrument.
    PageSession session(target, context, "print");
    if (type == MeasurementPage::kFileTypeText) {
        MeasurementPage page(session.application(), session.terminal(), session.link(),
                             kMeasurementLayout);
        return sampleReport(page, path, sample, context.err);
    }
    BatteryGaugePage page(session.application(), session.terminal(), session.link());
    return sampleReport(page, path, sample, context.err);
}

}  // namespace

// The report a page prints for a saved file, into a PDF file or onto a CUPS printer, drawn by
// the desktop tool's own report code.
int runPrintCommand(const std::vector<std::string>& args, CliContext& context) {
    std::set<std::string> valued = InstrumentOptions::Names();
    valued.insert({"pdf", "printer", "sample"});
    CliOptions options(args, valued, {});
    std::string error = options.ok() ? std::string() : options.error();
    if (error.empty() && options.positional().size() != 1) error = "give one file to print";
    if (error.empty() && options.has("pdf") == options.has("printer"))
        error = "give either --pdf OUT.pdf or --printer NAME";
    std::optional<long long> sample;
    if (error.empty()) sample = options.integer("sample", error);
    if (error.empty() && sample && *sample < 1) error = "--sample: give a number from 1";
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    const int language = target ? PageBase::storedLanguage(IniFile(target->configPath)) : 0;
    const std::string file = options.positional().empty() ? std::string() : options.positional()[0];
    const int type = target ? PageFileTypes(language).typeOfFile(file).textId : -1;
    if (target && !isPrinted(type)) {
        error = file + ": no page prints files of this type";
        target.reset();
    } else if (target && sample && !isRecording(type)) {
        error = "--sample goes with a recording (.mes, .bq)";
        target.reset();
    }
    if (!target) {
        context.err << "flowcfg-cli print: " << error << "\n" << kUsage;
        return 2;
    }
    TerminalPrompts terminal(context.out, context.err, context.in ? *context.in : std::cin, false);
    auto report = reportOfFile(file, type, sample, *target, context, language, terminal);
    if (!report) return 1;

    PrintSession session;
    const std::optional<std::string> pdf = options.value("pdf");
    const std::optional<std::string> name = options.value("printer");
    if (name && !QtPrinters::named(*name)) {
        context.err << "flowcfg-cli print: no printer named " << *name
                    << " (lpstat -p lists the printers)\n";
        return 1;
    }
    FixedPrinterChoice printers([&]() -> std::unique_ptr<PrintDevice> {
        if (pdf) return QtPrinters::pdfFile(*pdf);
        return QtPrinters::named(*name);
    });
    ReportPrinter printer(PrintContext{terminal, printers, language, QtPrinters::dateTimeFormat()});
    const std::string destination = pdf ? *pdf : *name;
    if (printer.printPage(*report, 0) != 0) {
        context.err << "flowcfg-cli print: nothing printed to " << destination << "\n";
        return 1;
    }
    context.out << destination << ": " << report->fieldCount() << " fields on "
                << printer.pagesPrinted() << " page(s)\n";
    return 0;
}

}  // namespace flowcfg::cli
