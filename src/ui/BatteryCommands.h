#pragma once

#include <string>

namespace flowcfg {

class MainWindow;

// The battery commands of the main window: "&Batterie" of "&Dialogue" (the battery gauge page
// on the configured link) and "&Ouvrir" for battery files (the page showing the file).
class BatteryCommands {
public:
    // Registers the command and the file type with `window`, which must outlive this object.
    explicit BatteryCommands(MainWindow& window);
    ~BatteryCommands();

    int run(const std::string& recordedFile = {});

private:
    MainWindow& window_;
};

}  // namespace flowcfg
