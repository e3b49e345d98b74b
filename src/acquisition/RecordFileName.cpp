#include "acquisition/RecordFileName.h"

#include <filesystem>

namespace flowcfg {
namespace {

struct PathParts {
    std::string directory;  // with its trailing separator
    std::string name;
    std::string extension;  // with its dot; empty when the name has none
};

PathParts split(const std::string& path) {
    PathParts parts;
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    parts.directory = path.substr(0, nameStart);
    std::string file = path.substr(nameStart);
    const std::size_t dot = file.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        parts.extension = file.substr(dot);
        file.resize(dot);
    }
    parts.name = file;
    return parts;
}

bool exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() !=
           std::filesystem::file_type::not_found;
}

}  // namespace

std::string RecordFileName::splitPath(const std::string& path, const std::tm& now) {
    PathParts parts = split(path);
    const std::size_t underscore = parts.name.rfind('_');
    if (underscore != std::string::npos) parts.name.resize(underscore);
    char stamp[64];
    if (std::strftime(stamp, sizeof stamp, "_ %Y-%m-%d %H-%M-%S", &now) == 0) stamp[0] = '\0';
    return parts.directory + parts.name + stamp + parts.extension;
}

std::string RecordFileName::unusedPath(const std::string& path) {
    if (!exists(path)) return path;
    const PathParts parts = split(path);
    for (int n = 2;; ++n) {
        std::string candidate =
            parts.directory + parts.name + " (" + std::to_string(n) + ")" + parts.extension;
        if (!exists(candidate)) return candidate;
    }
}

}  // namespace flowcfg
