#include "shell/MenuBuilder.h"

#include <utility>

namespace flowcfg {
namespace {

MenuEntry separator() {
    MenuEntry entry;
    entry.kind = MenuEntry::Kind::Separator;
    return entry;
}

}  // namespace

MenuBuilder::MenuBuilder(int language) {
    language_ = (language >= 1 && language <= texts_.languageCount()) ? language : 1;
}

std::string MenuBuilder::text(int textId) {
    return texts_.text(textId, language_);
}

void MenuBuilder::addItem(int textId, MenuCommand command, bool greyed) {
    if (pendingSubmenu_) {
        MenuEntry submenu = std::move(*pendingSubmenu_);
        pendingSubmenu_.reset();
        submenu.kind = MenuEntry::Kind::Submenu;
        submenu.text = text(textId);
        submenu.greyed = greyed;
        pending_.entries.push_back(std::move(submenu));
        return;
    }
    if (command == MenuCommand::None) return;
    pending_.entries.push_back({MenuEntry::Kind::Item, text(textId), command, greyed, {}});
}

void MenuBuilder::addSeparator() {
    pending_.entries.push_back(separator());
}

void MenuBuilder::addSubItem(int textId, MenuCommand command, bool greyed) {
    if (command == MenuCommand::None) return;
    if (!pendingSubmenu_) pendingSubmenu_.emplace();
    pendingSubmenu_->children.push_back({MenuEntry::Kind::Item, text(textId), command, greyed, {}});
}

void MenuBuilder::addSubSeparator() {
    if (!pendingSubmenu_) pendingSubmenu_.emplace();
    pendingSubmenu_->children.push_back(separator());
}

void MenuBuilder::addMenu(int textId) {
    pending_.text = text(textId);
    bar_.menus.push_back(std::move(pending_));
    pending_ = Menu{};
}

MenuBar MenuBuilder::finish() {
    MenuBar bar = std::move(bar_);
    bar_ = MenuBar{};
    pending_ = Menu{};
    pendingSubmenu_.reset();
    return bar;
}

}  // namespace flowcfg
