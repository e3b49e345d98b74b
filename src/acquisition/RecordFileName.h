#pragma once

#include <ctime>
#include <string>

namespace flowcfg {

// The names of the files a long recording is split into.
class RecordFileName {
public:
    // The file that follows `path` once it holds its last sample: the same directory and
    // extension, the name up to its last "_" (so that the stamp of an earlier split is
    // replaced, not added to), then the PC time `now` as "_ %Y-%m-%d %H-%M-%S":
    // "/data/pump_ 2024-03-01 08-00-00.mes" -> "/data/pump_ 2024-03-01 09-12-45.mes".
    static std::string splitPath(const std::string& path, const std::tm& now);

    // `path` when no file has that name; otherwise the first of "name (2).ext", "name (3).ext"
    // ... that is free, so that two splits in the same second never overwrite a file.
    static std::string unusedPath(const std::string& path);
};

}  // namespace flowcfg
