#include "ui/MeasurementViews.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "acquisition/MeasurementControls.h"
#include "ui/TabPage.h"
#include "ui/TabPages.h"
#include "ui/WidgetFieldControlFactory.h"

namespace flowcfg {
namespace {

using B = MeasurementBlocks;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A field with caption, value and unit on one row of `grid`.
void row(WidgetFieldControlFactory& factory, int id, QGridLayout* grid, int at, int column = 0) {
    factory.setSlot(id, grid, at, column);
    factory.setSlot(id + 1, grid, at, column + 1);
    factory.setSlot(id + 2, grid, at, column + 2);
}

QGridLayout* groupGrid(QBoxLayout* into, QWidget* parent, const QString& title = {}) {
    auto* box = new QGroupBox(title, parent);
    into->addWidget(box);
    return new QGridLayout(box);
}

}  // namespace

MeasurementViews::MeasurementViews(MeasurementPage& page, QWidget* owner,
                                   WidgetFieldControlFactory& factory)
    : page_(page), tabs_(new TabPages(owner)) {
    for (auto& view : views_)
        view = new TabPage(owner, owner);
    const MeasurementLayout& layout = page.layout();
    tabs_->addPage(view(mctl::kTabGeneral), qs(page.ViewTitle(mctl::kTabGeneral)));
    tabs_->addPage(view(mctl::kTabPipeA), qs(page.ViewTitle(mctl::kTabPipeA)));
    if (layout.showsPathB())
        tabs_->addPage(view(mctl::kTabPipeB), qs(page.ViewTitle(mctl::kTabPipeB)));
    if (layout.inputsOutputs)
        tabs_->addPage(view(mctl::kTabInputOutput), qs(page.ViewTitle(mctl::kTabInputOutput)));
    tabs_->addPage(view(mctl::kTabFunction), qs(page.ViewTitle(mctl::kTabFunction)));
    // The views the layout leaves out still hold their fields, out of sight.
    for (auto* view : views_)
        if (tabs_->indexOf(view) < 0) view->hide();
    buildGeneral(factory);
    buildPipe(0, factory);
    buildPipe(1, factory);
    buildInputOutput(factory);
    buildFunction(factory);
}

QLabel* MeasurementViews::label(const std::string& text, QWidget* parent) {
    return new QLabel(qs(text), parent);
}

void MeasurementViews::buildGeneral(WidgetFieldControlFactory& factory) {
    using namespace mctl;
    QWidget* view = this->view(kTabGeneral);
    auto* columns = new QHBoxLayout(view);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    QGridLayout* flows = groupGrid(left, view);
    int at = 0;
    for (int id : {kDateTime, kTotalFlow, kFlowA, kFlowB, kVelocityA, kVelocityB})
        row(factory, id, flows, at++);
    for (int t = 0; t < 4; ++t)
        row(factory, kTotalizer + 3 * t, flows, at++);
    flows->setColumnStretch(1, 1);
    left->addStretch(1);

    QGridLayout* identity = groupGrid(right, view);
    at = 0;
    for (int id : {kSoftware, kBoard, kInstrumentType, kSerial, kBoardSerial})
        row(factory, id, identity, at++);
    for (int m = 0; m < 4; ++m)
        row(factory, kModule + 3 * m, identity, at++);
    identity->setColumnStretch(1, 1);

    QGridLayout* indicators = groupGrid(right, view);
    for (int b = 0; b < kIndicatorCount; ++b)
        row(factory, kIndicator + 3 * b, indicators, b / 2, 3 * (b % 2));
    row(factory, kStatusWord, indicators, kIndicatorCount / 2);
    auto* bits = new QGridLayout;
    for (int bit = 0; bit < kStatusBits; ++bit) {
        auto* mark = label(std::to_string(bit), view);
        mark->setAlignment(Qt::AlignCenter);
        mark->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        mark->setMinimumWidth(mark->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 6);
        bits->addWidget(mark, bit / 16, bit % 16);
        statusBits_[std::size_t(bit)] = mark;
    }
    indicators->addLayout(bits, kIndicatorCount / 2 + 1, 0, 1, 6);
    right->addStretch(1);
}

void MeasurementViews::buildPipe(int path, WidgetFieldControlFactory& factory) {
    using namespace mctl;
    QWidget* view = this->view(path == 0 ? kTabPipeA : kTabPipeB);
    auto* layout = new QVBoxLayout(view);
    QGridLayout* chords = groupGrid(layout, view);
    for (int v = 0; v < chord::kValues; ++v)
        chords->addWidget(label(page_.item(MeasurementPage::kChordRowsText, v), view), v + 1, 0);
    for (int c = 0; c < B::kChords; ++c) {
        auto* header = label(page_.text(MeasurementPage::kChordText + c), view);
        header->setAlignment(Qt::AlignCenter);
        chords->addWidget(header, 0, c + 1);
        chordColumns_[std::size_t(path)].push_back(header);
        for (int v = 0; v < chord::kValues; ++v)
            factory.setSlot(chordField(path, c, v), chords, v + 1, c + 1);
    }

    QGridLayout* values = groupGrid(layout, view);
    int at = 0;
    for (int field : {kPathFlow, kPathVelocity, kPathK, kPathKMode, kPathChords, kPathProbe})
        row(factory, pathField(path, field), values, at++);
    values->setColumnStretch(1, 1);

    // The velocity profile: one column per point, caption above value above unit.
    QGridLayout* profile = groupGrid(layout, view);
    for (int i = 0; i < B::kProfilePoints; ++i) {
        const int id = pathField(path, kPathProfile + 3 * i);
        factory.setSlot(id, profile, 0, i);
        factory.setSlot(id + 1, profile, 1, i);
        factory.setSlot(id + 2, profile, 2, i);
    }
    layout->addStretch(1);
}

void MeasurementViews::buildInputOutput(WidgetFieldControlFactory& factory) {
    QWidget* view = this->view(mctl::kTabInputOutput);
    auto* grid = new QGridLayout(view);
    constexpr int kRows = B::kInputsOutputsShown / 2;
    for (int k = 0; k < B::kInputsOutputsShown; ++k) {
        const int r = k % kRows, column = 3 * (k / kRows);
        ioCaptions_[std::size_t(k)] = label(page_.InputOutputCaption(k), view);
        ioUnits_[std::size_t(k)] = label({}, view);
        grid->addWidget(ioCaptions_[std::size_t(k)], r, column);
        factory.setSlot(mctl::inputOutputField(k), grid, r, column + 1);
        grid->addWidget(ioUnits_[std::size_t(k)], r, column + 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(kRows, 1);
}

void MeasurementViews::buildFunction(WidgetFieldControlFactory& factory) {
    QWidget* view = this->view(mctl::kTabFunction);
    auto* grid = new QGridLayout(view);
    for (int k = 0; k < B::kOutputs; ++k) {
        functionCaptions_[std::size_t(k)] = label(page_.FunctionCaption(k), view);
        functionUnits_[std::size_t(k)] = label({}, view);
        grid->addWidget(functionCaptions_[std::size_t(k)], k, 0);
        factory.setSlot(mctl::functionField(k), grid, k, 1);
        grid->addWidget(functionUnits_[std::size_t(k)], k, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(B::kOutputs, 1);
}

void MeasurementViews::setUp() {
    using namespace mctl;
    const bool twoPaths = page_.InstrumentPaths() > 1;
    // A one-path instrument: nothing of path B anywhere.
    if (const int b = tabs_->indexOf(view(kTabPipeB)); b >= 0) tabs_->setTabVisible(b, twoPaths);
    // The page has shown the fields of the chords each path has; their headers go with them.
    for (int path = 0; path < 2; ++path) {
        const int chords = std::max(1, page_.ChordCount(path));
        for (int c = 0; c < B::kChords; ++c)
            chordColumns_[std::size_t(path)][std::size_t(c)]->setVisible(c < chords);
    }
    for (int k = 0; k < B::kInputsOutputsShown; ++k) {
        ioCaptions_[std::size_t(k)]->setText(qs(page_.InputOutputCaption(k)));
        ioUnits_[std::size_t(k)]->setText(qs(page_.InputOutputUnit(k)));
    }
    for (int k = 0; k < B::kOutputs; ++k) {
        functionCaptions_[std::size_t(k)]->setText(qs(page_.FunctionCaption(k)));
        functionUnits_[std::size_t(k)]->setText(qs(page_.FunctionUnit(k)));
    }
}

bool MeasurementViews::statusBitShown(int bit) const {
    return statusBits_[std::size_t(bit)]->property("set").toBool();
}

void MeasurementViews::refreshStatusBits() {
    BoundField* word = page_.table().FindField(mctl::kStatusWord);
    const auto bits = word ? std::uint32_t(word->integer()) : 0u;
    for (int bit = 0; bit < kStatusBits; ++bit) {
        QLabel* mark = statusBits_[std::size_t(bit)];
        const bool set = (bits >> bit) & 1u;
        if (mark->property("set").toBool() == set && mark->property("set").isValid()) continue;
        mark->setProperty("set", set);
        mark->setStyleSheet(set ? QStringLiteral("background: #d03030; color: white;") : QString());
    }
}

}  // namespace flowcfg
