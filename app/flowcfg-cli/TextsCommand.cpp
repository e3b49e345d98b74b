#include <optional>
#include <ostream>

#include "CliCommands.h"
#include "CliOptions.h"
#include "texts/LanguageTable.h"

namespace flowcfg::cli {
namespace {

constexpr const char* kUsage = "usage: flowcfg-cli texts [--lang 1-5] [--id 1-582]\n";

// One line per string, so that control characters inside a text are written as escapes and a
// backslash is doubled: every line reads back to exactly the stored text.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Reads --name as a number within [low, high]; nullopt with `error` set when it is not.
std::optional<int> boundedOption(const CliOptions& options, const std::string& name, int low,
                                 int high, std::string& error) {
    auto value = options.integer(name, error);
    if (!value) return std::nullopt;
    if (*value < low || *value > high) {
        error = "--" + name + " must be " + std::to_string(low) + " to " + std::to_string(high);
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

}  // namespace

// Prints the language table as tab-separated lines "id, position, text" for review by translators
// and for scripts; without --lang every language is printed with its code in a leading column.
int runTextsCommand(const std::vector<std::string>& args, CliContext& context) {
    CliOptions options(args, {"lang", "id"}, {});
    std::string error = options.ok() ? "" : options.error();
    if (error.empty() && !options.positional().empty())
        error = "unexpected argument " + options.positional()[0];
    std::optional<int> language, id;
    if (error.empty() && options.has("lang"))
        language = boundedOption(options, "lang", 1, LanguageTable::kLanguages, error);
    if (error.empty() && options.has("id"))
        id = boundedOption(options, "id", LanguageTable::kFirstId, LanguageTable::kLastId, error);
    if (!error.empty()) {
        context.err << "flowcfg-cli texts: " << error << "\n" << kUsage;
        return 2;
    }

    LanguageTable table;
    const int firstLanguage = language.value_or(1),
              lastLanguage = language.value_or(LanguageTable::kLanguages);
    const int firstId = id.value_or(LanguageTable::kFirstId);
    const int lastId = id.value_or(LanguageTable::kLastId);
    for (int code = firstLanguage; code <= lastLanguage; ++code) {
        for (int textId = firstId; textId <= lastId; ++textId) {
            const auto& entry = table.lookup(textId, code);
            for (std::size_t position = 0; position < entry.size(); ++position) {
                if (!language) context.out << code << '\t';
                context.out << textId << '\t' << position << '\t' << escaped(entry[position])
                            << '\n';
            }
        }
    }
    return 0;
}

}  // namespace flowcfg::cli
