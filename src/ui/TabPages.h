#pragma once

#include <QTabWidget>
#include <vector>

namespace flowcfg {

class TabPage;

// A tab control whose pages are TabPages: one page shows at a time, and after a change of tab
// the keyboard focus is on the tab row, as the person has just used it.
class TabPages : public QTabWidget {
    Q_OBJECT
public:
    explicit TabPages(QWidget* parent = nullptr);

    // Appends a tab for `page` (which this control now owns).
    int addPage(TabPage* page, const QString& caption);
    const std::vector<TabPage*>& pages() const { return pages_; }
    // -1 before any page was added.
    int selectedIndex() const { return currentIndex(); }

private:
    std::vector<TabPage*> pages_;
};

}  // namespace flowcfg
