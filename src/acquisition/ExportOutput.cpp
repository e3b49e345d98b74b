#include "acquisition/ExportOutput.h"

#include <cstring>
#include <filesystem>

#include "acquisition/LineFile.h"

namespace flowcfg {
namespace {

class TextFileOutput : public ExportOutput {
public:
    explicit TextFileOutput(std::string path) : path_(std::move(path)) {}
    bool open(std::string_view headerLine) override {
        return file_.create(path_) && file_.append(headerLine);
    }
    bool add(std::string_view sampleLine) override { return file_.append(sampleLine); }
    bool close() override { return file_.close(); }
    std::string error() const override { return std::strerror(file_.error()); }

private:
    std::string path_;
    LineFile file_;
};

class WorkbookOutput : public ExportOutput {
public:
    WorkbookOutput(std::string path, std::string transfer, WorkbookWriter::Options options)
        : writer_(std::move(path), std::move(options)), transfer_(std::move(transfer)) {}
    bool open(std::string_view headerLine) override {
        return writer_.begin(headerLine, transfer_) == 0;
    }
    bool add(std::string_view sampleLine) override { return writer_.addSample(sampleLine) == 0; }
    bool close() override { return writer_.finish() == 0; }
    std::string error() const override { return writer_.error(); }

private:
    WorkbookWriter writer_;
    std::string transfer_;
};

}  // namespace

std::unique_ptr<ExportOutput> ExportOutput::textFile(std::string path) {
    return std::make_unique<TextFileOutput>(std::move(path));
}

std::unique_ptr<ExportOutput> ExportOutput::workbook(std::string path, std::string transferContent,
                                                     WorkbookWriter::Options options) {
    return std::make_unique<WorkbookOutput>(std::move(path), std::move(transferContent),
                                            std::move(options));
}

WorkbookWriter::Options workbookOptions(const std::string& source, const std::string& output,
                                        std::string identificationSheet) {
    WorkbookWriter::Options options;
    options.dataSheetName = std::filesystem::path(output).stem().string();
    options.defaultTitle = std::filesystem::path(source).stem().string();
    options.identificationSheet = std::move(identificationSheet);
    return options;
}

}  // namespace flowcfg
