#pragma once

#include <string>
#include <string_view>

#include "shell/Application.h"
#include "shell/IniFile.h"
#include "shell/PageCaption.h"
#include "shell/Prompts.h"
#include "shell/WindowPlacement.h"
#include "texts/LanguageTable.h"

namespace flowcfg {

// What every page has in common, with or without a window: the current configuration file, the
// language read from it, texts by id, the caption, message boxes by text id and the memory of
// where its window was.
//
// A page reads the language once, when it is made; a page that is open while the language
// changes keeps its own.
class PageBase {
public:
    // Opens the application's current configuration file and reads "Language" from it.
    // `prompts` answers the page's message boxes and file dialogs; it is only used once the
    // page runs, so a window may pass one of its own members.
    PageBase(Application& application, Prompts& prompts);
    virtual ~PageBase() = default;

    PageBase(const PageBase&) = delete;
    PageBase& operator=(const PageBase&) = delete;

    Application& application() { return application_; }
    const Application& application() const { return application_; }
    const AppSettings& settings() const { return application_.settings(); }

    // Language code 1 (French) ... 5 (Spanish).
    int language() const { return language_; }
    // Re-reads "Language" from the configuration file (after the options page).
    void reloadLanguage();
    // The language stored in a configuration file: "Language" + 1; French when the key is
    // missing or names no language of the table.
    static int storedLanguage(const IniFile& config);

    std::string text(int id);
    std::string item(int id, int position);
    LanguageTable& texts() { return texts_; }

    // Caption.
    void setCaptionId(int id);
    void setCaptionText(const std::string& text);
    // Shortened to 40 characters (see PageCaption).
    void setCaptionFile(const std::string& name);
    void setCaptionFileRaw(const std::string& name);
    void setCaptionExtra(const std::string& text);
    void refreshCaption();
    std::string caption() const { return captionShown_; }
    const PageCaption& captionParts() const { return caption_; }

    // Message boxes by text id.
    void showError(int messageId, int titleId);
    void showErrorWith(int messageId, const std::string& suffix, int titleId);
    bool askYesNo(int messageId, const std::string& suffix, int titleId);
    Prompts& prompts() { return prompts_; }

    // The configuration file.
    const IniFile& config() const { return config_; }
    const std::string& configPath() const { return configPath_; }
    void setConfigFile(const std::string& path);
    double readReal(std::string_view section, std::string_view key, double fallback) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    int writeReal(std::string_view section, std::string_view key, double value) const;
    int writeString(std::string_view section, std::string_view key, std::string_view value) const;

    // Window placement memory; a page without a section remembers nothing.
    WindowPlacement& placement() { return placement_; }
    const WindowPlacement& placement() const { return placement_; }

protected:
    // The caption changed; a window shows it as its title.
    virtual void captionChanged(const std::string& caption) { (void)caption; }

private:
    Application& application_;
    Prompts& prompts_;
    IniFile config_;
    LanguageTable texts_;
    std::string configPath_;
    WindowPlacement placement_;
    int language_ = 1;
    PageCaption caption_;
    std::string captionShown_;
};

}  // namespace flowcfg
