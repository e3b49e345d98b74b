#include "ui/MenuBarView.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace flowcfg {

std::map<MenuCommand, QAction*> MenuBarView::fill(QMenuBar& bar, const MenuBar& model,
                                                  const Trigger& trigger) {
    std::map<MenuCommand, QAction*> actions;
    // The old menus go with their actions.
    for (QAction* action : bar.actions()) {
        QMenu* menu = action->menu();
        bar.removeAction(action);
        if (menu) menu->deleteLater();
    }
    bar.clear();
    for (const Menu& m : model.menus) {
        QMenu* menu = bar.addMenu(QString::fromStdString(m.text));
        addEntries(*menu, m.entries, trigger, actions);
    }
    return actions;
}

void MenuBarView::addEntries(QMenu& menu, const std::vector<MenuEntry>& entries,
                             const Trigger& trigger, std::map<MenuCommand, QAction*>& actions) {
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
            case MenuEntry::Kind::Separator:
                menu.addSeparator();
                break;
            case MenuEntry::Kind::Submenu: {
                QMenu* sub = menu.addMenu(QString::fromStdString(entry.text));
                sub->setEnabled(!entry.greyed);
                addEntries(*sub, entry.children, trigger, actions);
                break;
            }
            case MenuEntry::Kind::Item: {
                QAction* action = menu.addAction(QString::fromStdString(entry.text));
                action->setEnabled(!entry.greyed);
                action->setObjectName(QString::fromUtf8(commandName(entry.command).data()));
                MenuCommand command = entry.command;
                QObject::connect(action, &QAction::triggered, &menu,
                                 [trigger, command] { trigger(command); });
                actions[command] = action;
                break;
            }
        }
    }
}

}  // namespace flowcfg
