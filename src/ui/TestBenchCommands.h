#pragma once

#include <string>

namespace flowcfg {

class MainWindow;

// The test bench commands of the main window: "&SPI" of "&Dialogue" (the test bench page on the
// configured link, frame block 0xF100 first; the block chosen in the window opens it again on
// that block) and "&Ouvrir" for ".trameSpi" recordings.
class TestBenchCommands {
public:
    // Registers the commands and the file type with `window`, which must outlive this object.
    explicit TestBenchCommands(MainWindow& window);
    ~TestBenchCommands();

    int run(const std::string& recordedFile = {});

private:
    MainWindow& window_;
};

}  // namespace flowcfg
