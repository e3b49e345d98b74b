#include "ui/TestKvnDialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "params/ConfiguredLinkExchange.h"
#include "params/WindowlessPageRunner.h"
#include "shell/PageFileTypes.h"
#include "ui/WidgetProgress.h"

namespace flowcfg {
namespace {

constexpr int kMenuText = 391;        // "&Test KVN"
constexpr int kDirectoryText = 352;   // "Test directory"
constexpr int kControllerText = 356;  // "Controller"
constexpr int kStartText = 454;       // "Start test"
constexpr int kFailedText = 455;      // "Failed"
constexpr int kSerialText = 406;      // "Serial Nbr."
constexpr int kCancelText = 516;      // "Cancel"
constexpr int kMacroText = 498;       // "Choice of Macro"
// The file types of the four prepared files, in the order of the dialog's rows.
constexpr std::array<int, 4> kFileTypes{224, 231, 232, 225};
constexpr std::array<int, 3> kSerialDigits{2, 2, 5};

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string withoutAccelerator(std::string text) {
    std::erase(text, '&');
    return text;
}

}  // namespace

TestKvnDialog::TestKvnDialog(Application& application, InstrumentLink& link, QWidget* parent)
    : PageDialog(application, parent),
      link_(link),
      progress_(std::make_unique<WidgetProgress>(this)) {
    setCaptionText(withoutAccelerator(text(kMenuText)));
    auto* form = new QFormLayout;
    PageFileTypes types(language());
    for (int k = 0; k < kPaths; ++k) {
        auto* row = new QHBoxLayout;
        paths_[std::size_t(k)] = new QLineEdit(this);
        browseButtons_[std::size_t(k)] = new QPushButton(QStringLiteral("..."), this);
        browseButtons_[std::size_t(k)]->setMaximumWidth(36);
        row->addWidget(paths_[std::size_t(k)], 1);
        row->addWidget(browseButtons_[std::size_t(k)]);
        const Path which = Path(k);
        connect(browseButtons_[std::size_t(k)], &QPushButton::clicked, this,
                [this, which] { browse(which); });
        const std::string label = k < 4             ? types.type(kFileTypes[std::size_t(k)]).name
                                  : k == kDirectory ? text(kDirectoryText)
                                                    : text(kMacroText);
        form->addRow(q(label), row);
    }
    auto* serial = new QHBoxLayout;
    for (int k = 0; k < 3; ++k) {
        serial_[std::size_t(k)] = new QSpinBox(this);
        serial_[std::size_t(k)]->setRange(0, 99999);
        serial_[std::size_t(k)]->setMinimumWidth(kSerialDigits[std::size_t(k)] * 14 + 40);
        serial->addWidget(serial_[std::size_t(k)]);
    }
    serial->addStretch(1);
    form->addRow(q(text(kSerialText)), serial);
    controller_ = new QLineEdit(this);
    form->addRow(q(text(kControllerText)), controller_);

    steps_ = new QListWidget(this);
    bar_ = new QProgressBar(this);
    bar_->hide();
    status_ = new QLabel(this);
    progress_->attach(bar_, status_);
    start_ = new QPushButton(q(text(kStartText)), this);
    cancel_ = new QPushButton(q(text(kCancelText)), this);
    connect(start_, &QPushButton::clicked, this, [this] { start(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(steps_, 1);
    layout->addWidget(bar_);
    layout->addWidget(status_);
    layout->addLayout(buttons);
    resize(640, 520);
    setFields(TestSettings::Load(config()));
}

TestKvnDialog::~TestKvnDialog() {
    progress_->detach();
}

TestSettings TestKvnDialog::fields() const {
    TestSettings s;
    auto path = [this](Path which) { return pathEdit(which)->text().toStdString(); };
    s.settingsFile = path(kSettingsFile);
    s.specialFile = path(kSpecialFile);
    s.factoryFile = path(kFactoryFile);
    s.functionFile = path(kFunctionFile);
    s.saveDirectory = path(kDirectory);
    s.macro = path(kMacro);
    s.serial = serial_[0]->value();
    s.serialNext = serial_[1]->value();
    s.serialLast = serial_[2]->value();
    s.controller = controller_->text().toStdString();
    return s;
}

void TestKvnDialog::setFields(const TestSettings& s) {
    const std::array<const std::string*, kPaths> values{&s.settingsFile,  &s.specialFile,
                                                        &s.factoryFile,   &s.functionFile,
                                                        &s.saveDirectory, &s.macro};
    for (int k = 0; k < kPaths; ++k)
        paths_[std::size_t(k)]->setText(q(*values[std::size_t(k)]));
    serial_[0]->setValue(int(s.serial));
    serial_[1]->setValue(int(s.serialNext));
    serial_[2]->setValue(int(s.serialLast));
    controller_->setText(q(s.controller));
}

void TestKvnDialog::browse(Path which) {
    QLineEdit* edit = pathEdit(which);
    if (which == kDirectory) {
        const QString chosen = QFileDialog::getExistingDirectory(this, QString(), edit->text());
        if (!chosen.isEmpty()) edit->setText(chosen);
        return;
    }
    FileRequest request;
    request.mode = FileRequest::Mode::Open;
    request.initialPath = edit->text().toStdString();
    if (which == kMacro) {
        request.filter = "*.*|*.*||";
    } else {
        PageFileTypes::Type type = PageFileTypes(language()).type(kFileTypes[std::size_t(which)]);
        request.filter = PageFileTypes::filterEntry(type) + "|";
        request.defaultExtension = type.extension;
    }
    if (auto chosen = prompts().chooseFile(request)) edit->setText(q(*chosen));
}

void TestKvnDialog::setEditable(bool editable) {
    for (QLineEdit* edit : paths_)
        edit->setEnabled(editable);
    for (QPushButton* button : browseButtons_)
        button->setEnabled(editable);
    for (QSpinBox* part : serial_)
        part->setEnabled(editable);
    controller_->setEnabled(editable);
    start_->setEnabled(editable);
}

TestResult TestKvnDialog::start() {
    if (running()) return {};
    steps_->clear();
    ConfiguredLinkExchange line(config(), link_, &application().modemConnected);
    WindowlessPageRunner pages(config(), PageContext{prompts(), *progress_, line, language()});
    if (pause_) pages.setPause(pause_);
    TestSequence sequence(application(), prompts(), link_, pages);
    sequence.setObserver(this);
    sequence.setDurations(durations_);
    sequence.setExportTools(progress_.get(), launcher_);
    sequence.setBetweenNotifications([] { QCoreApplication::processEvents(); });
    sequence_ = &sequence;
    setEditable(false);
    const TestResult result = sequence.Run(fields());
    sequence_ = nullptr;
    setEditable(true);
    progress_->hide();
    status_->clear();
    return result;
}

void TestKvnDialog::cancel() {
    if (sequence_) {
        sequence_->Cancel();
        return;
    }
    reject();
}

void TestKvnDialog::done(int result) {
    // The window's close box while the test runs: Cancel; the window stays until the test ends.
    if (sequence_) {
        sequence_->Cancel();
        return;
    }
    PageDialog::done(result);
}

void TestKvnDialog::stepStarted(TestStep, const std::string& name) {
    currentStep_ = name;
    steps_->addItem(q(name));
    steps_->scrollToBottom();
}

void TestKvnDialog::stepEnded(TestStep, const std::string& name, TestOutcome outcome) {
    const std::string state = outcome == TestOutcome::Ok       ? std::string("OK")
                              : outcome == TestOutcome::Failed ? text(kFailedText)
                                                               : text(kCancelText);
    QListWidgetItem* last = steps_->count() > 0 ? steps_->item(steps_->count() - 1) : nullptr;
    const QString line = q(name + "   " + state);
    if (last && currentStep_ == name)
        last->setText(line);
    else
        steps_->addItem(line);
    currentStep_.clear();
}

void TestKvnDialog::samplesRecorded(TestStep, int samples) {
    QListWidgetItem* last = steps_->count() > 0 ? steps_->item(steps_->count() - 1) : nullptr;
    if (last && !currentStep_.empty())
        last->setText(q(currentStep_ + "   " + text(196) + " " + std::to_string(samples)));
}

}  // namespace flowcfg
