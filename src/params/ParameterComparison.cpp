#include "params/ParameterComparison.h"

#include <map>
#include <set>

#include "params/ParameterTexts.h"
#include "params/SettingsFile.h"

namespace flowcfg {
namespace {

// Neither keeps any state, so every page that is only looked at shares them.
OfflineExchange noInstrument;
NoProgress noProgress;

ParameterDifference differenceOf(const ParameterRow* row, const ParameterRow* other) {
    const ParameterRow& named = row ? *row : *other;
    ParameterDifference difference;
    difference.controlId = named.controlId;
    difference.tab = named.tab;
    difference.caption = named.caption;
    if (row) difference.value = ParameterComparison::ValueWithUnit(*row);
    if (other) difference.otherValue = ParameterComparison::ValueWithUnit(*other);
    return difference;
}

}  // namespace

std::unique_ptr<ParameterPage> ParameterComparison::OpenSettingsFile(const std::string& path,
                                                                     PageContext context) {
    LayoutOptions options;
    SettingsFile::Status status = SettingsFile::ReadLayout(path, options);
    if (status != SettingsFile::Status::Ok) {
        PageMessages messages(context.prompts, context.language);
        if (status == SettingsFile::Status::CannotOpen)
            messages.showError(216, paramtext::kError, path);  // "Couldn't open source file : "
        else
            messages.showError(paramtext::kIncorrectFile, paramtext::kError, " (" + path + ")");
        return nullptr;
    }
    auto page = std::make_unique<ParameterPage>(options, context, ParameterPage::kModeFile, path);
    if (page->Start(nullptr) != ParameterPage::kStayOpen) return nullptr;
    return page;
}

std::unique_ptr<ParameterPage> ParameterComparison::OpenSettingsFile(const std::string& path,
                                                                     Prompts& prompts,
                                                                     int language) {
    return OpenSettingsFile(path, PageContext{prompts, noProgress, noInstrument, language});
}

std::vector<ParameterDifference> ParameterComparison::Compare(ParameterPage& set,
                                                              ParameterPage& other) {
    return Compare(ParameterRows::Rows(set), ParameterRows::Rows(other));
}

std::vector<ParameterDifference> ParameterComparison::Compare(
    const std::vector<ParameterRow>& set, const std::vector<ParameterRow>& other) {
    std::map<int, std::size_t> otherAt;
    for (std::size_t j = 0; j < other.size(); ++j)
        otherAt.emplace(other[j].controlId, j);
    std::set<int> inSet;
    for (const ParameterRow& row : set)
        inSet.insert(row.controlId);

    std::vector<ParameterDifference> differences;
    // The other set's own fields go in where they stand among its fields: before the first
    // field both sets have that follows them there.
    std::size_t next = 0;
    auto placeOtherUpTo = [&](std::size_t end) {
        for (; next < end; ++next)
            if (!inSet.count(other[next].controlId))
                differences.push_back(differenceOf(nullptr, &other[next]));
    };
    for (const ParameterRow& row : set) {
        auto found = otherAt.find(row.controlId);
        if (found == otherAt.end()) {
            differences.push_back(differenceOf(&row, nullptr));
            continue;
        }
        const ParameterRow& theirs = other[found->second];
        if (found->second >= next) {
            placeOtherUpTo(found->second);
            next = found->second + 1;
        }
        if (row.value != theirs.value || row.unit != theirs.unit)
            differences.push_back(differenceOf(&row, &theirs));
    }
    placeOtherUpTo(other.size());
    return differences;
}

std::string ParameterComparison::ValueWithUnit(const ParameterRow& row) {
    return row.unit.empty() ? row.value : row.value + " " + row.unit;
}

}  // namespace flowcfg
