#pragma once

namespace flowcfg {

class MainWindow;

// "&Test KVN" of "&Dialogue": the factory test's window on the configured link.
class TestKvnCommands {
public:
    // Registers the command with `window`, which must outlive this object.
    explicit TestKvnCommands(MainWindow& window);
    ~TestKvnCommands();

    int run();

private:
    MainWindow& window_;
};

}  // namespace flowcfg
