#include "ui/TabPages.h"

#include <QTabBar>

#include "ui/TabPage.h"

namespace flowcfg {

TabPages::TabPages(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this, [this](int) {
        if (isVisible()) tabBar()->setFocus(Qt::TabFocusReason);
    });
}

int TabPages::addPage(TabPage* page, const QString& caption) {
    pages_.push_back(page);
    return addTab(page, caption);
}

}  // namespace flowcfg
