#pragma once

#include <QString>
#include <array>
#include <vector>

#include "acquisition/MeasurementBlocks.h"
#include "acquisition/MeasurementPage.h"

class QGridLayout;
class QLabel;
class QWidget;

namespace flowcfg {

class TabPage;
class TabPages;
class WidgetFieldControlFactory;

// The five views of the measurement page's window (General, Pipe A, Pipe B, Input-output,
// Function) on a tab control: where each field's controls go, and the labels the views draw
// beside them (chord rows, input-output and function captions and units, the numbered status
// bits). The values themselves are the page's fields.
class MeasurementViews {
public:
    static constexpr int kStatusBits = 32;

    // Makes the tab pages on `owner` (the views the page's layout has) and gives `factory` the
    // place of every field.
    MeasurementViews(MeasurementPage& page, QWidget* owner, WidgetFieldControlFactory& factory);

    TabPages* tabs() const { return tabs_; }
    // The tab page of a view (mctl::kTabGeneral ... kTabFunction), also of a view the layout
    // leaves out (then it is not on the tab control).
    TabPage* view(int tab) const { return views_[std::size_t(tab)]; }

    // The instrument's shape is known: chords of each path, modules, outputs, second path.
    void setUp();
    // The numbered status bits after a new status word.
    void refreshStatusBits();
    // Whether bit `bit` of the status word is shown as set.
    bool statusBitShown(int bit) const;
    QLabel* inputOutputCaption(int slot) const { return ioCaptions_[std::size_t(slot)]; }
    QLabel* functionCaption(int output) const { return functionCaptions_[std::size_t(output)]; }

private:
    void buildGeneral(WidgetFieldControlFactory& factory);
    void buildPipe(int path, WidgetFieldControlFactory& factory);
    void buildInputOutput(WidgetFieldControlFactory& factory);
    void buildFunction(WidgetFieldControlFactory& factory);
    QLabel* label(const std::string& text, QWidget* parent);

    MeasurementPage& page_;
    TabPages* tabs_;
    std::array<TabPage*, 5> views_{};
    std::array<QLabel*, kStatusBits> statusBits_{};
    std::array<std::vector<QWidget*>, 2> chordColumns_;  // per path: the widgets of chord c at
                                                         // index c (header labels)
    std::array<QLabel*, MeasurementBlocks::kInputsOutputsShown> ioCaptions_{}, ioUnits_{};
    std::array<QLabel*, MeasurementBlocks::kOutputs> functionCaptions_{}, functionUnits_{};
};

}  // namespace flowcfg
