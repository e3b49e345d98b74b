#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace {

// A modal window that nobody answers would hold the test until CTest kills it, with no word on
// what was asked. One that stays open this long is closed, and the test fails with its text.
constexpr int kUnansweredModalMs = 30000;

// One QApplication for every test of the program, made before the first test runs.
class QtTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "flowcfg-ui-test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        watch_ = std::make_unique<QTimer>();
        watch_->setInterval(250);
        QObject::connect(watch_.get(), &QTimer::timeout, [this] { closeUnansweredModal(); });
        openFor_.start();
        watch_->start();
    }
    void TearDown() override {
        watch_.reset();
        app_.reset();
    }

private:
    void closeUnansweredModal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != modal_.data()) {
            modal_ = modal;
            openFor_.restart();
            return;
        }
        if (!modal || openFor_.elapsed() < kUnansweredModalMs) return;
        QString what = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) what += ": " + box->text();
        ADD_FAILURE() << "a modal window stayed open without an answer: " << what.toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        openFor_.restart();
    }

    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QTimer> watch_;
    QPointer<QWidget> modal_;
    QElapsedTimer openFor_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

}  // namespace
