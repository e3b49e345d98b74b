#pragma once

#include <string>

namespace flowcfg {

class MainWindow;

// The logger commands of the main window: "&Logger" of "&Dialogue" (the logger page on the
// configured link) and "&Ouvrir" for logger files (handed to the spreadsheet program at once).
class LoggerCommands {
public:
    // Registers the commands and the file type with `window`, which must outlive this object.
    explicit LoggerCommands(MainWindow& window);
    ~LoggerCommands();

    int run(const std::string& logFile = {});

private:
    MainWindow& window_;
};

}  // namespace flowcfg
