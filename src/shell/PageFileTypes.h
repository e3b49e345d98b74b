#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "texts/LanguageTable.h"

namespace flowcfg {

// The kinds of files the pages save, each named by a text of the form "name|extension"
// ("Setting File|eta"). The extension is part of the translated text: the special probe
// files are "sp" in French and Portuguese, "ssp" in the other languages.
class PageFileTypes {
public:
    // Text ids of the file types, in the order the open dialog lists them.
    static const std::vector<int>& textIds();
    static constexpr int kFileTextId = 223;  // "Fichier"

    struct Type {
        int textId = -1;
        std::string name;
        std::string extension;
    };

    explicit PageFileTypes(int language) : language_(language) {}

    // The type of a text id; the name and extension are split at the first '|' (no '|': the
    // whole text is the name and there is no extension).
    Type type(int textId);
    static Type split(int textId, const std::string& text);

    // "name (*.ext)|*.ext|" for one type.
    static std::string filterEntry(const Type& type);
    // The open dialog's filter: every extension in one entry, then one entry per type.
    std::string openFilter();
    // A single entry named "Fichier" for the files of several pages (the save-all sequence):
    // "Fichier (*.eta;*.rsp)|*.eta;*.rsp|".
    std::string combinedFilter(const std::vector<std::string>& extensions);

    // The file type whose extension is that of `path` (without regard to case); textId -1
    // when no page owns it.
    Type typeOfFile(std::string_view path);

private:
    LanguageTable texts_;
    int language_;
};

}  // namespace flowcfg
