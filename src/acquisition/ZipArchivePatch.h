#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/PosixFile.h"

namespace flowcfg {

// Replaces parts of a finished zip archive (a workbook) in place. The archive's central
// directory is read (ZIP64 archives included); replacing parts cuts the file at the first part
// replaced, writes the parts that followed it back unchanged, the new contents (stored), and a
// new central directory. The parts before the cut (a workbook's large sheets come first) are
// neither read nor copied, so patching costs what follows them.
class ZipArchivePatch {
public:
    // Reads the central directory; false and error() when the file is not a readable archive.
    bool open(const std::string& path);

    std::vector<std::string> partNames() const;
    // The uncompressed content of a part (stored or deflated), or nothing.
    std::optional<std::string> read(const std::string& name);

    // Replaces the parts named in `contents` (every one must exist), then closes the archive.
    bool replace(const std::map<std::string, std::string>& contents);

    const std::string& error() const { return error_; }

private:
    struct Entry {
        std::string name;
        std::uint16_t versionMadeBy = 0, versionNeeded = 0, flags = 0, method = 0;
        std::uint16_t time = 0, date = 0, internalAttributes = 0;
        std::uint32_t crc = 0, externalAttributes = 0;
        std::uint64_t compressedSize = 0, size = 0, offset = 0;
    };

    bool fail(const std::string& text);
    bool readDirectory();
    std::int64_t dataOffset(const Entry& entry);
    const Entry* find(const std::string& name) const;

    std::string path_;
    PosixFile file_;
    std::vector<Entry> entries_;
    std::uint64_t directoryOffset_ = 0;
    std::string error_;
};

}  // namespace flowcfg
