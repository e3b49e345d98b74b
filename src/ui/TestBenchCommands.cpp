#include "ui/TestBenchCommands.h"

#include "acquisition/TestBenchPage.h"
#include "ui/MainWindow.h"
#include "ui/TestBenchDialog.h"

namespace flowcfg {

TestBenchCommands::TestBenchCommands(MainWindow& window) : window_(window) {
    window_.setCommandHandler(MenuCommand::DialTrameSpi, [this] { run(); });
    window_.setFileOpener(TestBenchPage::kFileTypeText,
                          [this](const std::string& path) { run(path); });
}

TestBenchCommands::~TestBenchCommands() {
    window_.setCommandHandler(MenuCommand::DialTrameSpi, nullptr);
    window_.setFileOpener(TestBenchPage::kFileTypeText, nullptr);
}

int TestBenchCommands::run(const std::string& recordedFile) {
    int block = TestBenchPage::kFirstFrameBlock;
    int result = 0;
    while (block != 0) {
        TestBenchDialog dialog(window_.application(), window_.link(), block, &window_);
        result = dialog.runPage(recordedFile);
        block = recordedFile.empty() ? dialog.requestedBlock() : 0;
    }
    window_.rebuildMenu();
    return result;
}

}  // namespace flowcfg
