#pragma once

#include <QPointer>
#include <map>
#include <utility>

#include "params/FieldControlFactory.h"

class QGridLayout;
class QWidget;

namespace flowcfg {

class TabPages;

// Makes the controls of a page's fields as the variable table asks for them, and puts them on
// the page. A dialog item given a place of its own (setSlot) goes there; the others go into the
// grid of their tab page (or of the page), one row per field: caption, value, unit. Controls
// of a tab page report to the tab page, which passes their reports on to the page.
class WidgetFieldControlFactory : public FieldControlFactory {
public:
    // Field kinds of the value control.
    static constexpr int kList = 0x1, kEdit = 0x2, kSpin = 0x4, kDisplay = 0x8, kGauge = 0x800;

    explicit WidgetFieldControlFactory(QWidget* page, TabPages* tabs = nullptr);

    // The grid of the page (tab -1) or of one of its tab pages.
    void setGrid(int tab, QGridLayout* grid);
    // A place of its own for one dialog item.
    void setSlot(int controlId, QGridLayout* grid, int row, int column, int rowSpan = 1,
                 int columnSpan = 1);

    std::unique_ptr<FieldControl> createControl(const FieldControlSpec& request) override;
    void setTabTitle(int tab, const std::string& title) override;

private:
    struct Slot {
        QGridLayout* grid = nullptr;
        int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
    };

    QObject* ownerFor(int tab) const;
    bool place(const FieldControlSpec& request, QWidget* widget);

    QPointer<QWidget> page_;
    QPointer<TabPages> tabs_;
    std::map<int, QGridLayout*> grids_;             // by tab
    std::map<int, Slot> slots_;                     // by dialog item
    std::map<std::pair<int, int>, int> fieldRows_;  // (tab, field) -> row of its grid
};

}  // namespace flowcfg
