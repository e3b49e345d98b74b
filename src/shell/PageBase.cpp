#include "shell/PageBase.h"

#include <cmath>

#include "shell/SettingsKeys.h"

namespace flowcfg {
PageBase::PageBase(Application& application, Prompts& prompts)
    : application_(application), prompts_(prompts) {
    setConfigFile(application_.settings().configFilePath);
    reloadLanguage();
}

int PageBase::storedLanguage(const IniFile& config) {
    double stored = config.readReal(keys::kLanguageSection, keys::kLanguageKey, 0.0);
    if (!std::isfinite(stored) || stored < 0 || stored >= LanguageTable().languageCount()) return 1;
    return static_cast<int>(stored) + 1;
}

void PageBase::reloadLanguage() {
    language_ = storedLanguage(config_);
}

std::string PageBase::text(int id) {
    return texts_.text(id, language_);
}

std::string PageBase::item(int id, int position) {
    return texts_.item(id, position, language_);
}

void PageBase::setCaptionId(int id) {
    caption_.textId = id;
    refreshCaption();
}

void PageBase::setCaptionText(const std::string& text) {
    caption_.text = text;
    refreshCaption();
}

void PageBase::setCaptionFile(const std::string& name) {
    setCaptionFileRaw(PageCaption::shortenFileName(name));
}

void PageBase::setCaptionFileRaw(const std::string& name) {
    caption_.file = name;
    refreshCaption();
}

void PageBase::setCaptionExtra(const std::string& text) {
    caption_.extra = text;
    refreshCaption();
}

void PageBase::refreshCaption() {
    captionShown_ = caption_.compose(caption_.textId == -1 ? caption_.text : text(caption_.textId));
    captionChanged(captionShown_);
}

void PageBase::showError(int messageId, int titleId) {
    showErrorWith(messageId, "", titleId);
}

void PageBase::showErrorWith(int messageId, const std::string& suffix, int titleId) {
    prompts().showError(text(messageId) + suffix, text(titleId));
}

bool PageBase::askYesNo(int messageId, const std::string& suffix, int titleId) {
    return prompts().askYesNo(text(messageId) + suffix, text(titleId));
}

void PageBase::setConfigFile(const std::string& path) {
    configPath_ = path;
    config_.setFile(path);
}

double PageBase::readReal(std::string_view section, std::string_view key, double fallback) const {
    return config_.readReal(section, key, fallback);
}

std::string PageBase::readString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
    return config_.readString(section, key, fallback);
}

int PageBase::writeReal(std::string_view section, std::string_view key, double value) const {
    return config_.writeReal(section, key, value);
}

int PageBase::writeString(std::string_view section, std::string_view key,
                          std::string_view value) const {
    return config_.writeString(section, key, value);
}

}  // namespace flowcfg
