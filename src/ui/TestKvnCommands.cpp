#include "ui/TestKvnCommands.h"

#include "ui/MainWindow.h"
#include "ui/TestKvnDialog.h"

namespace flowcfg {

TestKvnCommands::TestKvnCommands(MainWindow& window) : window_(window) {
    window_.setCommandHandler(MenuCommand::DialTest, [this] { run(); });
}

TestKvnCommands::~TestKvnCommands() {
    window_.setCommandHandler(MenuCommand::DialTest, nullptr);
}

int TestKvnCommands::run() {
    TestKvnDialog dialog(window_.application(), window_.link(), &window_);
    const int result = dialog.exec();
    window_.rebuildMenu();
    return result;
}

}  // namespace flowcfg
