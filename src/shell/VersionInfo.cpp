#include "shell/VersionInfo.h"

#include <array>
#include <cctype>

#include "flowcfg/BuildVersion.h"

namespace flowcfg {
namespace {

struct VariantRow {
    const char* name;
    const char* familyCode;
};

// Tried in this order; the first row whose name occurs in the program's name wins.
constexpr std::array<VariantRow, 7> kVariants{{
    {"Zq700W", "10"},
    {"ZqHTNW", "11"},
    {"Zq612KOW", "03"},
    {"ZqNovaW", "20"},
    {"Zq420RW", "12"},
    {"ZqmtW", "02"},
    {"Zq4xxKRw", "12"},
}};

std::string lower(std::string_view s) {
    std::string out(s);
    for (auto& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::string versionString(std::string_view key) {
    if (key == "InternalName") return build::kInternalName;
    if (key == "FileVersion") return build::kFileVersion;
    if (key == "LegalCopyright") return build::kLegalCopyright;
    if (key == "ProductName") return build::kProductName;
    return {};
}

int variantIndexOf(std::string_view name) {
    std::string haystack = lower(name);
    for (std::size_t row = 0; row < kVariants.size(); ++row) {
        if (haystack.find(lower(kVariants[row].name)) != std::string::npos)
            return static_cast<int>(row);
    }
    return -1;
}

int variantIndex(std::string_view name) {
    static const int kept =
        variantIndexOf(name.empty() ? versionString("InternalName") : std::string(name));
    return kept;
}

std::string familyCode(int variantRow) {
    if (variantRow < 0 || variantRow >= static_cast<int>(kVariants.size())) return {};
    return kVariants[static_cast<std::size_t>(variantRow)].familyCode;
}

std::string variantTableName(int variantRow) {
    if (variantRow < 0 || variantRow >= static_cast<int>(kVariants.size())) return {};
    return kVariants[static_cast<std::size_t>(variantRow)].name;
}

std::string familyTagFor(std::string_view fileVersion, int variantRow) {
    return std::string(fileVersion.substr(0, 2)) + "-" + familyCode(variantRow) + "-";
}

std::string familyTag() {
    return familyTagFor(versionString("FileVersion"), variantIndex());
}

bool firmwareCompatible(std::string_view firmwareVersion) {
    return firmwareVersion.starts_with(familyTag());
}

}  // namespace flowcfg
