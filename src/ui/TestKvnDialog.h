#pragma once

#include <array>
#include <memory>
#include <string>

#include "acquisition/TestSequence.h"
#include "ui/PageDialog.h"

class QLineEdit;
class QListWidget;
class QProgressBar;
class QLabel;
class QPushButton;
class QSpinBox;

namespace flowcfg {

class WidgetProgress;

// The window of the factory test ("&Test KVN", TestSequence): the four prepared files, the
// test directory and the macro, each with a browse button, the serial number in three parts,
// the controller's name, the start button, the steps as they run and Cancel. The window stays
// responsive while the test runs: the recordings' notifications are taken between the
// window's own events, the pages' exchanges wait with the program's idle hook; Cancel then
// ends the test, and the window closes only once it has ended.
class TestKvnDialog : public PageDialog, private TestSequenceObserver {
    Q_OBJECT
public:
    enum Path { kSettingsFile, kSpecialFile, kFactoryFile, kFunctionFile, kDirectory, kMacro };
    static constexpr int kPaths = 6;

    TestKvnDialog(Application& application, InstrumentLink& link, QWidget* parent = nullptr);
    ~TestKvnDialog() override;

    // The fields as the test would store them.
    TestSettings fields() const;
    void setFields(const TestSettings& settings);

    // Start: runs the whole test with the fields (stored first) and returns its result.
    TestResult start();
    // While the test runs: cancels it; otherwise closes the window.
    void cancel();
    bool running() const { return sequence_ && sequence_->running(); }

    // The program the export starts (tests record it).
    void setLauncher(ProgramLauncher* launcher) { launcher_ = launcher; }
    // The recordings' durations (tests shorten them).
    void setDurations(const TestDurations& durations) { durations_ = durations; }
    // What the pages wait with between writes (tests wait for nothing).
    void setPause(std::function<void(int)> pause) { pause_ = std::move(pause); }

    QLineEdit* pathEdit(Path which) const { return paths_[std::size_t(which)]; }
    QSpinBox* serialPart(int part) const { return serial_[std::size_t(part)]; }
    QLineEdit* controllerEdit() const { return controller_; }
    QListWidget* stepList() const { return steps_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* cancelButton() const { return cancel_; }

    void done(int result) override;

private:
    void stepStarted(TestStep step, const std::string& name) override;
    void stepEnded(TestStep step, const std::string& name, TestOutcome outcome) override;
    void samplesRecorded(TestStep step, int samples) override;
    void browse(Path which);
    void setEditable(bool editable);

    InstrumentLink& link_;
    std::array<QLineEdit*, kPaths> paths_{};
    std::array<QPushButton*, kPaths> browseButtons_{};
    std::array<QSpinBox*, 3> serial_{};
    QLineEdit* controller_ = nullptr;
    QListWidget* steps_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::unique_ptr<WidgetProgress> progress_;
    TestSequence* sequence_ = nullptr;
    ProgramLauncher* launcher_ = nullptr;
    TestDurations durations_;
    std::function<void(int)> pause_;
    std::string currentStep_;
};

}  // namespace flowcfg
