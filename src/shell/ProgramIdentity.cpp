#include "shell/ProgramIdentity.h"

#include <cctype>

#include "shell/VersionInfo.h"

namespace flowcfg {

std::string ProgramIdentity::mainWindowTitle() {
    return mainWindowTitle(versionString("InternalName"), versionString("FileVersion"));
}

std::string ProgramIdentity::mainWindowTitle(const std::string& internalName,
                                             const std::string& fileVersion) {
    std::string version = fileVersion.size() > 2 ? fileVersion.substr(2) : std::string();
    auto first = version.find_first_not_of(" \t");
    auto last = version.find_last_not_of(" \t");
    version = first == std::string::npos ? std::string() : version.substr(first, last - first + 1);
    for (auto& c : version)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return internalName + " " + version;
}

std::string ProgramIdentity::aboutText(LanguageTable& texts, int language) {
    std::string text =
        texts.text(kApplicationTextId, language) + " : " + versionString("InternalName") + "\n\n";
    text += texts.text(kVersionTextId, language) + " : " + versionString("FileVersion") + "\n\n";
    text += versionString("LegalCopyright");
    return text;
}

}  // namespace flowcfg
