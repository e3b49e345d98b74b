#include "ui/WidgetFieldControlFactory.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

#include "ui/CComboKV.h"
#include "ui/CEditKV.h"
#include "ui/CSpinKV.h"
#include "ui/TabPage.h"
#include "ui/TabPages.h"
#include "ui/WidgetFieldControl.h"

namespace flowcfg {

WidgetFieldControlFactory::WidgetFieldControlFactory(QWidget* page, TabPages* tabs)
    : page_(page), tabs_(tabs) {}

void WidgetFieldControlFactory::setGrid(int tab, QGridLayout* grid) {
    grids_[tab] = grid;
}

void WidgetFieldControlFactory::setSlot(int controlId, QGridLayout* grid, int row, int column,
                                        int rowSpan, int columnSpan) {
    slots_[controlId] = Slot{grid, row, column, rowSpan, columnSpan};
}

QObject* WidgetFieldControlFactory::ownerFor(int tab) const {
    if (tab >= 0 && tabs_ && tab < static_cast<int>(tabs_->pages().size()))
        return tabs_->pages()[static_cast<std::size_t>(tab)];
    return page_;
}

bool WidgetFieldControlFactory::place(const FieldControlSpec& request, QWidget* widget) {
    if (auto slot = slots_.find(request.controlId); slot != slots_.end() && slot->second.grid) {
        const Slot& s = slot->second;
        s.grid->addWidget(widget, s.row, s.column, s.rowSpan, s.columnSpan);
        return true;
    }
    auto grid = grids_.find(request.tab);
    if (grid == grids_.end() || !grid->second) return false;
    auto key = std::make_pair(request.tab, request.fieldId);
    auto row = fieldRows_.find(key);
    if (row == fieldRows_.end()) {
        // The row after the grid's last one (an empty grid reports one row).
        int next = grid->second->count() == 0 ? 0 : grid->second->rowCount();
        row = fieldRows_.emplace(key, next).first;
    }
    int column = request.role == FieldControlSpec::Role::Caption ? 0
                 : request.role == FieldControlSpec::Role::Value ? 1
                                                                 : 2;
    grid->second->addWidget(widget, row->second, column);
    return true;
}

std::unique_ptr<FieldControl> WidgetFieldControlFactory::createControl(
    const FieldControlSpec& request) {
    if (!page_) return nullptr;
    QWidget* widget = nullptr;
    QWidget* removed = nullptr;
    QObject* owner = ownerFor(request.tab);
    auto notifying = [&](auto* control) {
        control->setOwner(owner);
        control->setNotifyId(request.fieldId);
        return control;
    };
    if (request.role != FieldControlSpec::Role::Value) {
        widget = new QLabel;
    } else if (request.kind & kList) {
        widget = notifying(new CComboKV);
    } else if (request.kind & kSpin) {
        // An edit box with its arrows beside it.
        removed = new QWidget;
        auto* row = new QHBoxLayout(removed);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        widget = notifying(new CEditKV);
        row->addWidget(widget);
        row->addWidget(notifying(new CSpinKV));
    } else if (request.kind & kEdit) {
        widget = notifying(new CEditKV);
    } else if (request.kind & kGauge) {
        auto* gauge = new QProgressBar;
        gauge->setRange(0, 100);
        widget = gauge;
    } else {
        auto* label = new QLabel;
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        widget = label;
    }
    QWidget* top = removed ? removed : widget;
    top->setObjectName(QStringLiteral("item%1").arg(request.controlId));
    if (!place(request, top)) {
        delete top;
        return nullptr;
    }
    return std::make_unique<WidgetFieldControl>(widget, removed);
}

void WidgetFieldControlFactory::setTabTitle(int tab, const std::string& title) {
    if (tabs_ && tab >= 0 && tab < tabs_->count())
        tabs_->setTabText(tab, QString::fromStdString(title));
}

}  // namespace flowcfg
