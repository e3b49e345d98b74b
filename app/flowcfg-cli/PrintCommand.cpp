#include <iostream>
#include <optional>

#include "CliCommands.h"
#include "CliOptions.h"
#include "InstrumentOptions.h"
#include "TerminalPrompts.h"
#include "params/ParameterComparison.h"
#include "params/ParameterTexts.h"
#include "params/PrintedFields.h"
#include "print/PrintSession.h"
#include "print/QtPrinters.h"
#include "shell/PageBase.h"
#include "shell/PageCaption.h"
#include "shell/PageFileTypes.h"
#include "texts/LanguageTable.h"

namespace flowcfg::cli {
namespace {

const char* kUsage =
    "usage: flowcfg-cli print FILE (--pdf OUT.pdf | --printer NAME) [--config PATH]\n"
    "  FILE: a settings file (.eta)\n";

// The caption the page's window has for the file: its title and the file's name.
std::string captionFor(int titleText, const std::string& path, int language) {
    PageCaption caption;
    caption.file = PageCaption::shortenFileName(path);
    return caption.compose(LanguageTable().text(titleText, language));
}

// The report of a saved page file, as its page would print it; nullopt when the file cannot
// be read (the person has been told) or no page prints files of its type.
std::optional<PrintReport> reportOfFile(const std::string& path, int language, Prompts& prompts,
                                        std::ostream& err) {
    const int type = PageFileTypes(language).typeOfFile(path).textId;
    if (type == paramtext::kSettingFileType) {
        auto page = ParameterComparison::OpenSettingsFile(path, prompts, language);
        if (!page) return std::nullopt;
        return PrintedFields::Of(*page, captionFor(paramtext::kSettings, path, language));
    }
    err << "flowcfg-cli print: " << path << ": no page prints files of this type\n" << kUsage;
    return std::nullopt;
}

}  // namespace

// The report a page prints for a saved file, into a PDF file or onto a CUPS printer, drawn by
// the desktop tool's own report code.
int runPrintCommand(const std::vector<std::string>& args, CliContext& context) {
    std::set<std::string> valued = InstrumentOptions::Names();
    valued.insert({"pdf", "printer"});
    CliOptions options(args, valued, {});
    std::string error = options.ok() ? std::string() : options.error();
    if (error.empty() && options.positional().size() != 1) error = "give one file to print";
    if (error.empty() && options.has("pdf") == options.has("printer"))
        error = "give either --pdf OUT.pdf or --printer NAME";
    std::optional<InstrumentTarget> target;
    if (error.empty()) target = InstrumentOptions::Resolve(options, context, error);
    if (!target) {
        context.err << "flowcfg-cli print: " << error << "\n" << kUsage;
        return 2;
    }
    const int language = PageBase::storedLanguage(IniFile(target->configPath));
    TerminalPrompts terminal(context.out, context.err, context.in ? *context.in : std::cin, false);
    const std::string& file = options.positional()[0];
    auto report = reportOfFile(file, language, terminal, context.err);
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
