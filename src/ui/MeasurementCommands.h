#pragma once

#include <string>

namespace flowcfg {

class MainWindow;

// The measurement commands of the main window: "&Mesure" of "&Dialogue" (the measurement page
// on the configured link) and "&Ouvrir" for measurement files (the page showing the file).
class MeasurementCommands {
public:
    // Registers the command and the file type with `window`, which must outlive this object.
    explicit MeasurementCommands(MainWindow& window);
    ~MeasurementCommands();

    int run(const std::string& recordedFile = {});
    // The measurement page online, recording into `path` at once (period in seconds, duration
    // in minutes) and closing when the recording ends. True when it closed so, the recording
    // written.
    bool record(int periodSeconds, double durationMinutes, const std::string& path);

private:
    MainWindow& window_;
};

}  // namespace flowcfg
