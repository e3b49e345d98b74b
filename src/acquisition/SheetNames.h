#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace flowcfg {

// The names of a workbook's sheets. A spreadsheet refuses a name longer than 31 characters,
// one holding [ ] : * ? / \, one that starts or ends with an apostrophe, "History", or one
// that another sheet has already (letter case aside): take() turns any wished name into an
// accepted one, "(2)", "(3)" ... telling apart names that would be the same.
class SheetNames {
public:
    // An accepted, unique name for `wished` (`fallback` when nothing is left of it).
    std::string take(std::string_view wished, std::string_view fallback);

private:
    bool taken(const std::string& name) const;
    std::vector<std::string> names_;
};

}  // namespace flowcfg
