#include "print/QtPrinters.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

namespace flowcfg {
namespace {

// A date or time pattern of QLocale ("dd.MM.yyyy", "h:mm AP", "HH'h'mm") as its fields: the
// letters outside quotes, and what stands between the first field and the second.
struct Pattern {
    QString letters;  // the first letter of each field, in order
    QString separator;
};

Pattern parse(const QString& pattern) {
    Pattern out;
    bool quoted = false;
    QChar field;
    bool between = false;
    for (QChar c : pattern) {
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        const bool letter = !quoted && c.isLetter();
        if (letter && c != field) {
            if (out.letters.size() == 1) between = false;
            out.letters += c;
            field = c;
            if (out.letters.size() == 1) between = true;
        } else if (!letter && between) {
            out.separator += c;
        }
    }
    return out;
}

std::unique_ptr<QPrinter> printerFor(const QPrinterInfo& info) {
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

}  // namespace

std::unique_ptr<QtPrintDevice> QtPrinters::pdfFile(const std::string& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(path));
    const QLocale::Country country = QLocale::system().territory();
    const bool letter = country == QLocale::UnitedStates || country == QLocale::Canada ||
                        country == QLocale::Mexico;
    printer->setPageLayout(QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4),
                                       QPageLayout::Portrait,
                                       QMarginsF(kPdfMarginMillimetres, kPdfMarginMillimetres,
                                                 kPdfMarginMillimetres, kPdfMarginMillimetres),
                                       QPageLayout::Millimeter));
    return std::make_unique<QtPrintDevice>(std::move(printer));
}

std::unique_ptr<QtPrintDevice> QtPrinters::named(const std::string& name) {
    auto printer = printerFor(QPrinterInfo::printerInfo(QString::fromStdString(name)));
    return printer ? std::make_unique<QtPrintDevice>(std::move(printer)) : nullptr;
}

std::unique_ptr<QtPrintDevice> QtPrinters::systemDefault() {
    auto printer = printerFor(QPrinterInfo::defaultPrinter());
    return printer ? std::make_unique<QtPrintDevice>(std::move(printer)) : nullptr;
}

LocaleDateTime QtPrinters::dateTimeFormat(const QLocale& locale) {
    LocaleDateTime format;
    const Pattern date = parse(locale.dateFormat(QLocale::ShortFormat));
    const qsizetype d = date.letters.indexOf(u'd'), m = date.letters.indexOf(u'M'),
                    y = date.letters.indexOf(u'y');
    if (y >= 0 && (d < 0 || y < d) && (m < 0 || y < m))
        format.dateOrder = LocaleDateTime::kYearFirst;
    else if (m >= 0 && d >= 0 && m < d)
        format.dateOrder = LocaleDateTime::kMonthFirst;
    else
        format.dateOrder = LocaleDateTime::kDayFirst;
    if (!date.separator.isEmpty()) format.dateSeparator = date.separator.toStdString();

    const Pattern time = parse(locale.timeFormat(QLocale::ShortFormat));
    format.twelveHour = time.letters.contains(u'a') || time.letters.contains(u'A');
    if (!time.separator.trimmed().isEmpty()) format.timeSeparator = time.separator.toStdString();
    if (!locale.amText().isEmpty()) format.am = locale.amText().toStdString();
    if (!locale.pmText().isEmpty()) format.pm = locale.pmText().toStdString();
    return format;
}

}  // namespace flowcfg
