#pragma once

#include <string>

#include "texts/LanguageTable.h"

namespace flowcfg {

// How the program names itself in the main window's title and in the About box, from its
// version block.
class ProgramIdentity {
public:
    // "InternalName", a space, and "FileVersion" without its first two characters, trimmed and
    // upper-cased: "Zq4xxKRw 03 A".
    static std::string mainWindowTitle();
    static std::string mainWindowTitle(const std::string& internalName,
                                       const std::string& fileVersion);

    // "Application : <InternalName>", "Version : <FileVersion>" and the legal notice, separated
    // by blank lines, in the given language.
    static std::string aboutText(LanguageTable& texts, int language);

    static constexpr int kAboutCaptionTextId = 497;  // "A propos..."
    static constexpr int kApplicationTextId = 21;    // "Application"
    static constexpr int kVersionTextId = 564;       // "Version"
};

}  // namespace flowcfg
