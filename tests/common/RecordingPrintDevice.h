#pragma once

#include <memory>
#include <string>
#include <vector>

#include "shell/PrintDevice.h"
#include "shell/ReportPrinter.h"

namespace flowcfg::testing {

// A printer that keeps what is drawn on it. Text is as wide as 0.6 × the font's height per
// character (every byte counts, so keep test texts ASCII) and as high as 1.2 × the font's
// height; a failure can be asked of the document start or of the n-th page start.
class RecordingPrintDevice : public PrintDevice {
public:
    struct Text {
        int page = 0;  // from 1
        int x = 0, y = 0;
        std::string text;
        PrintFont font;
        PixelSize extent;
    };

    double dpi = 600;
    int width = 4800;   // 8 inches at 600 dpi
    int height = 6600;  // 11 inches
    bool failStart = false;
    int failPage = 0;  // the page whose start fails; 0 none

    std::string documentName;
    bool started = false, ended = false, aborted = false;
    int pages = 0;
    std::vector<Text> texts;
    std::vector<std::vector<PixelPoint>> lines;
    PrintFont font;
    PrintPen pen;

    double pixelsPerInchX() const override { return dpi; }
    double pixelsPerInchY() const override { return dpi; }
    int pageWidth() const override { return width; }
    int pageHeight() const override { return height; }
    std::string name() const override { return "recording"; }

    bool startDocument(const std::string& name) override {
        if (failStart) return false;
        documentName = name;
        started = true;
        return true;
    }
    bool startPage() override {
        if (failPage == pages + 1) return false;
        ++pages;
        return true;
    }
    bool endPage() override { return true; }
    bool endDocument() override {
        ended = true;
        return true;
    }
    void abortDocument() override { aborted = true; }

    void setFont(const PrintFont& f) override { font = f; }
    void setPen(const PrintPen& p) override { pen = p; }
    PixelSize textExtent(const std::string& text) override {
        return {int(0.6 * font.height * double(text.size())), int(1.2 * font.height)};
    }
    void drawText(int x, int y, const std::string& text) override {
        texts.push_back({pages, x, y, text, font, textExtent(text)});
    }
    void drawPolyline(const std::vector<PixelPoint>& points) override { lines.push_back(points); }

    // The texts drawn that are exactly `text`.
    std::vector<Text> find(const std::string& text) const {
        std::vector<Text> found;
        for (const Text& t : texts)
            if (t.text == text) found.push_back(t);
        return found;
    }
};

// Printers for ReportPrinter: the dialog's choice and the default printer, each a recording
// device or none; what was handed out stays readable afterwards.
class RecordingPrinters : public PrinterChoice {
public:
    bool hasDefault = true;
    bool dialogAccepted = true;
    int dialogs = 0;
    RecordingPrintDevice* last = nullptr;
    std::vector<std::unique_ptr<RecordingPrintDevice>> kept;
    RecordingPrintDevice prototype;  // the settings every device handed out starts from

    std::unique_ptr<PrintDevice> askPrinter() override {
        ++dialogs;
        return dialogAccepted ? make() : nullptr;
    }
    std::unique_ptr<PrintDevice> defaultPrinter() override { return hasDefault ? make() : nullptr; }

private:
    // The device handed out forwards to one kept here, so tests can read it after the print.
    struct Forward : PrintDevice {
        RecordingPrintDevice& d;
        explicit Forward(RecordingPrintDevice& device) : d(device) {}
        double pixelsPerInchX() const override { return d.pixelsPerInchX(); }
        double pixelsPerInchY() const override { return d.pixelsPerInchY(); }
        int pageWidth() const override { return d.pageWidth(); }
        int pageHeight() const override { return d.pageHeight(); }
        std::string name() const override { return d.name(); }
        bool startDocument(const std::string& n) override { return d.startDocument(n); }
        bool startPage() override { return d.startPage(); }
        bool endPage() override { return d.endPage(); }
        bool endDocument() override { return d.endDocument(); }
        void abortDocument() override { d.abortDocument(); }
        void setFont(const PrintFont& f) override { d.setFont(f); }
        void setPen(const PrintPen& p) override { d.setPen(p); }
        PixelSize textExtent(const std::string& t) override { return d.textExtent(t); }
        void drawText(int x, int y, const std::string& t) override { d.drawText(x, y, t); }
        void drawPolyline(const std::vector<PixelPoint>& p) override { d.drawPolyline(p); }
    };

    std::unique_ptr<PrintDevice> make() {
        kept.push_back(std::make_unique<RecordingPrintDevice>(prototype));
        last = kept.back().get();
        return std::make_unique<Forward>(*last);
    }
};

}  // namespace flowcfg::testing
