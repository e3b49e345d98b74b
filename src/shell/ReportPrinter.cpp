#include "shell/ReportPrinter.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "shell/VersionInfo.h"
#include "texts/LanguageTable.h"
#include "texts/TextIds.h"

namespace flowcfg {
namespace {

constexpr int kErrorTitle = 212;         // "Error"
constexpr double kFooterSpace = 12;      // between the field list and the footers
constexpr double kMinimumTitleSize = 6;  // a title too wide for the page shrinks to this
constexpr double kLineSpacing = 1.15;    // line height over text height
constexpr double kRuleWidth = 2.5;       // 0.5 pt

// Text sizes through the canvas, one font per style; widths are asked many times over.
class CanvasMetrics : public ReportMetrics {
public:
    explicit CanvasMetrics(PrintCanvas& canvas) : canvas_(canvas) {}

    double textWidth(const std::string& text, ReportStyle style) override {
        if (text.empty()) return 0;
        auto key = std::make_pair(int(style), text);
        auto found = widths_.find(key);
        if (found != widths_.end()) return found->second;
        use(style);
        return widths_[key] = canvas_.textSize(text).width;
    }
    double lineHeight(ReportStyle style) override {
        auto found = heights_.find(int(style));
        if (found != heights_.end()) return found->second;
        use(style);
        return heights_[int(style)] = canvas_.textSize("Ag").height * kLineSpacing;
    }

private:
    void use(ReportStyle style) {
        if (selected_ == int(style)) return;
        canvas_.selectFont(ReportPrinter::fontOf(style));
        selected_ = int(style);
    }

    PrintCanvas& canvas_;
    int selected_ = -1;
    std::map<std::pair<int, std::string>, double> widths_;
    std::map<int, double> heights_;
};

}  // namespace

PrintCanvas::Font ReportPrinter::titleFont() {
    PrintCanvas::Font font;
    font.size = 15;
    font.weight = 700;
    font.underline = true;
    return font;
}

PrintCanvas::Font ReportPrinter::bodyFont() {
    return PrintCanvas::Font{};
}

PrintCanvas::Font ReportPrinter::fontOf(ReportStyle style) {
    PrintCanvas::Font font = bodyFont();
    if (style == ReportStyle::Section) {
        font.size = 11;
        font.weight = 700;
    } else if (style == ReportStyle::Group) {
        font.weight = 700;
        font.italic = true;
    }
    return font;
}

ReportPrinter::ReportPrinter(PrintContext context) : context_(std::move(context)) {}

void ReportPrinter::showError(int messageId) {
    LanguageTable texts;
    context_.prompts.showError(texts.text(messageId, context_.language),
                               texts.text(kErrorTitle, context_.language));
}

std::string ReportPrinter::documentName(const std::string& caption, const LocalTime& t) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, " %4d-%02d-%02d %02d-%02d-%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return caption + stamp;
}

std::string ReportPrinter::printedAt(const LocalTime& time) {
    LanguageTable texts;
    return texts.text(textid::kTextPrintedAt, context_.language) + context_.locale.date(time) +
           "   " + context_.locale.time(time);
}

std::vector<ReportPage> ReportPrinter::layOut(const PrintReport& report, PrintCanvas& canvas) {
    const PrintCanvas::Font previous = canvas.selectFont(bodyFont());
    const double footer = canvas.textSize("Ag").height;
    const PrintCanvas::Size page = canvas.pageSize();
    CanvasMetrics metrics(canvas);
    FieldListLayout layout(metrics, {page.width, kFieldListTop,
                                     std::max(kFieldListTop, page.height - footer - kFooterSpace)});
    std::vector<ReportPage> pages = layout.lay(report.lines);
    canvas.selectFont(previous);
    return pages;
}

void ReportPrinter::drawPage(PrintCanvas& canvas, const PrintReport& report, const ReportPage& page,
                             const std::string& footer, int number, int count) {
    PrintCanvas::Font title = titleFont();
    canvas.selectFont(title);
    const double width = canvas.textSize(report.title).width;
    const double room = canvas.pageSize().width;
    if (width > room) {
        // Centred and whole: a caption wider than the page comes out smaller.
        title.size = std::max(kMinimumTitleSize, title.size * room / width);
        canvas.selectFont(title);
    }
    canvas.printText(0, 10, report.title, kTitleFlags);

    canvas.selectFont(bodyFont());
    canvas.printText(0, 0, footer, kPrintedAtFlags);
    canvas.printText(0, 0, versionString("InternalName"), kVariantFlags);
    if (count > 1)
        canvas.printText(0, 0, std::to_string(number) + " / " + std::to_string(count),
                         PrintCanvas::kBottom | PrintCanvas::kPageCentre | PrintCanvas::kCentreOnX);

    int style = -1;
    for (const PlacedText& text : page.texts) {
        if (int(text.style) != style) {
            canvas.selectFont(fontOf(text.style));
            style = int(text.style);
        }
        canvas.printText(text.x, text.y, text.text, 0);
    }
    canvas.selectPen({kRuleWidth, 0x000000});
    for (const PlacedRule& rule : page.rules)
        canvas.polyline({{rule.x1, rule.y}, {rule.x2, rule.y}});
}

int ReportPrinter::print(const PrintReport& report, PrintDevice& device) {
    pagesPrinted_ = 0;
    PrintCanvas canvas;
    canvas.attach(device);
    const LocalTime now = context_.clock();
    // Laid out before the document starts: nothing can fail half-way through for lack of room.
    const std::vector<ReportPage> pages = layOut(report, canvas);
    const std::string footer = printedAt(now);

    if (!device.startDocument(documentName(report.title, now))) {
        showError(textid::kTextPrinterNotReady);
        return -1;
    }
    const PrintCanvas::Font previous = canvas.font();
    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        if (!device.startPage()) {
            device.abortDocument();
            showError(textid::kTextPageNotStarted);
            return -1;
        }
        drawPage(canvas, report, pages[std::size_t(i)], footer, i + 1, count);
        if (!device.endPage()) {
            device.abortDocument();
            showError(textid::kTextPageNotStarted);
            return -1;
        }
    }
    canvas.selectFont(previous);
    if (!device.endDocument()) {
        showError(textid::kTextCannotWriteFile);
        return -1;
    }
    pagesPrinted_ = count;
    return 0;
}

int ReportPrinter::printPage(const PrintReport& report, int mode) {
    const bool printAll = (mode & kPrintAllMode) != 0;
    std::unique_ptr<PrintDevice> device =
        printAll ? context_.printers.defaultPrinter() : context_.printers.askPrinter();
    if (!device) {
        if (printAll) showError(textid::kTextNoDefaultPrinter);
        return -1;
    }
    return print(report, *device);
}

}  // namespace flowcfg
