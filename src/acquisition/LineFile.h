#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "acquisition/PosixFile.h"

namespace flowcfg {

// A text file written in whole lines: the exported text files and the ".log" files of the
// logger. Lines are gathered in memory and reach the file only by flush(), in one write at the
// end of what is already there; a write the system refuses part-way (disk full) is cut back,
// so the file always ends with a complete line, whenever the writing stops (a stop button, a
// lost line, a killed process between two flushes).
class LineFile {
public:
    // Bytes gathered before append() flushes by itself.
    static constexpr std::size_t kFlushSize = 256 * 1024;

    LineFile() = default;
    ~LineFile() { close(); }
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;

    // Creates `path`, emptying an existing file. False (and error()) when the system refuses.
    bool create(const std::string& path);
    // Adds text that ends with a complete line; flushes once kFlushSize bytes are waiting.
    bool append(std::string_view lines);
    // Writes what is waiting. False (and error()) when the system refused the write; the file
    // then holds what it held before this flush.
    bool flush();
    // Flushes and closes; false when the last flush failed.
    bool close();
    bool isOpen() const { return file_.isOpen(); }

    std::int64_t size() const { return written_; }
    int error() const { return error_; }
    const std::string& path() const { return path_; }

private:
    PosixFile file_;
    std::string path_;
    std::string pending_;
    std::int64_t written_ = 0;
    int error_ = 0;
};

}  // namespace flowcfg
