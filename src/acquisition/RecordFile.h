#pragma once

#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "acquisition/FileReadCache.h"
#include "acquisition/PosixFile.h"
#include "acquisition/RecordFileHeader.h"
#include "acquisition/RecordStatus.h"

namespace flowcfg {

// A file of raw register blocks: the parameter sets of the settings page and the samples of the
// recording pages. After the header (RecordFileHeader) come the records, each
//
//   4 bytes  k, the number of records before this one
//   4 bytes  n, the payload length
//   n bytes  the payload: one register block as received
//   4 bytes  n again
//
// and the file ends with the record count (4 bytes). All numbers are little-endian 32-bit.
// Appending writes n, the payload, n and the new count after the old count, which so becomes
// the index field of the new record; a new file is the header and a count of 0.
//
// Records are indexed by one forward walk over the lengths, each record walked at most once;
// any record indexed is then read directly. A file whose end has the documented shape (the count
// after two consistent records) is indexed as its records are reached, so opening it costs the
// header and the tail and reading it through costs one pass; indexAll() walks the rest at once.
// Any other file is walked completely when it is opened.
//
// The walk makes damaged files safe to read: a length that does not fit in the file ends it,
// nothing is ever allocated or read beyond the file, and every complete record before the
// damage stays readable. A file cut off in the middle of an append (power loss, full disk,
// killed process) is recognised as a torn tail: reading it gives the complete records, and
// appending to it first cuts the torn bytes off, so the file is back in the documented layout.
// Files this class writes are always in that layout.
//
// The file is closed by close() or the destructor.
class RecordFile {
public:
    enum class Mode {
        Read,    // read-only: every record indexed at once
        Append,  // read-write, for adding records; the records are indexed on the first read
    };
    // What follows the last complete record.
    enum class Tail {
        Clean,    // the record count, as documented
        Torn,     // the remains of an interrupted append; cut off by the next append
        Damaged,  // bytes that do not form records although the file ends like a record file,
                  // or a count that disagrees with the records; readable up to the damage,
                  // never appended to
    };

    // `window`: bytes of the file kept in memory at a time for reading.
    explicit RecordFile(std::size_t window = FileReadCache::kDefaultWindow) : cache_(window) {}
    ~RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    RecordFile(RecordFile&&) noexcept = default;
    RecordFile& operator=(RecordFile&&) noexcept = default;

    // Creates `path` (emptying an existing file), writes the header with the given creation
    // time (PC clock) and description and a record count of 0; the file stays open for
    // appending.
    RecordStatus create(const std::string& path, std::string_view description,
                        const std::tm& created);
    // The same with the current local time.
    RecordStatus create(const std::string& path, std::string_view description);
    // Opens an existing file and reads its header. A file that is not a record file (too short
    // for its header, H outside 29 ... 2000, a date line that is not 21 characters) gives
    // IncorrectFile. In Append mode a damaged file is refused with IncorrectFile as well.
    RecordStatus open(const std::string& path, Mode mode = Mode::Read);
    // Indexes every record now; count() and tail() are then final.
    RecordStatus indexAll();
    void close();
    bool isOpen() const { return file_.isOpen(); }

    // Appends one record holding `payload` (not empty).
    RecordStatus append(std::span<const std::uint8_t> payload);
    // Reads the payload of record `index` (0 = first) into `payload`.
    RecordStatus read(int index, std::vector<std::uint8_t>& payload);
    // The same for a file whose records from `first` on come in groups of `period` records
    // with the same lengths group after group (the samples of a recording): the record is
    // looked for where the first group's lengths put it, without walking the records before
    // it, and reached by the usual walk when it is not there.
    RecordStatus readRepeating(int index, int first, int period,
                               std::vector<std::uint8_t>& payload);
    // The payload length of record `index`; -1 when there is no such record.
    std::int64_t payloadLength(int index);

    // Number of complete records: the count the file ends with while records are indexed as
    // they are reached, less when the walk finds damage before it.
    int count() const { return count_; }
    // Final once every record is indexed (indexAll, or a read of the last record).
    Tail tail() const { return tail_; }
    // Bytes after the last complete record that are neither a record nor the record count.
    std::int64_t strayBytes() const;
    const RecordFileHeader& header() const { return header_; }
    const std::string& path() const { return path_; }
    std::int64_t fileSize() const { return size_; }
    // errno of the last system failure (0 when the failure was the file's content).
    int systemError() const { return systemError_; }

private:
    RecordStatus fail(RecordStatus status);
    RecordStatus readHeader();
    RecordStatus walk(std::int64_t through);
    void finishWalk(std::int64_t pos, Tail tail);
    bool documentedTail(std::int32_t& count);
    bool readInt(std::int64_t offset, std::int32_t& value);
    bool recordFrameAt(std::int64_t start, std::int32_t index, std::int32_t length);
    bool readNextInWindow(int index, std::vector<std::uint8_t>& payload);
    RecordStatus readFrame(int index, std::int64_t start, std::int64_t length,
                           std::vector<std::uint8_t>& payload);

    PosixFile file_;
    FileReadCache cache_;
    std::string path_;
    RecordFileHeader header_;
    bool writable_ = false;
    bool complete_ = false;  // every record indexed
    // The index is sparse: where every kMarkEvery-th record starts (its index field). A record
    // between two marks is found by stepping over the lengths from the mark before it, or from
    // the record found last, so reading a file through steps over one record at a time. A
    // dense index of a long recording (8 bytes a record) cost more in fresh memory than the
    // reading itself.
    static constexpr std::int32_t kMarkEvery = 16;
    void addIndexed(std::int64_t start);
    // Where indexed record `index` starts, and its payload length; -1 when its frame cannot
    // be read.
    std::int64_t recordStart(std::int32_t index, std::int32_t& length);
    std::vector<std::int64_t> marks_;
    std::int32_t indexed_ = 0;      // records indexed
    std::int32_t foundIndex_ = -1;  // the record found last, where it starts and its length
    std::int64_t foundStart_ = 0;
    std::int32_t foundLength_ = 0;
    std::int64_t walked_ = 0;    // end of the last indexed record
    std::int32_t trusted_ = -1;  // the count the file ends with, while it is believed
    std::int64_t size_ = 0;      // file size
    std::int64_t end_ = 0;       // end of the last complete record
    std::int32_t count_ = 0;
    Tail tail_ = Tail::Clean;
    int systemError_ = 0;
};

}  // namespace flowcfg
