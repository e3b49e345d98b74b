#pragma once

#include <string>
#include <string_view>

namespace flowcfg {

// The program's version block (set at build time) and what follows from it: the program
// variant, its family code, and which instrument firmware this build accepts.

// "InternalName", "FileVersion", "LegalCopyright" or "ProductName"; empty for any other key.
std::string versionString(std::string_view key);

// Row of the variant table (0 ... 6) that `name` belongs to, -1 for none. The first row whose
// variant name occurs in `name`, without regard to case, wins.
int variantIndexOf(std::string_view name);

// As variantIndexOf; an empty name means this program's "InternalName". The first call's result
// is kept for the life of the process, as the variant cannot change while the program runs.
int variantIndex(std::string_view name = {});

// Family code of a variant row ("12" for row 6); empty for -1 or an unknown row.
std::string familyCode(int variantRow);

// Variant name of a row ("Zq4xxKRw" for row 6); empty for an unknown row.
std::string variantTableName(int variantRow);

// First two characters of "FileVersion", "-", the family code, "-": "03-12-" for this tool.
std::string familyTag();
// The same rule for given values, so other variants can be checked.
std::string familyTagFor(std::string_view fileVersion, int variantRow);

// True when the instrument's firmware version text begins with the family tag.
bool firmwareCompatible(std::string_view firmwareVersion);

}  // namespace flowcfg
