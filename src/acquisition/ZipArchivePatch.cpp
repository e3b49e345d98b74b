#include "acquisition/ZipArchivePatch.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace flowcfg {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::uint32_t kZip64EndOfDirectory = 0x06064b50;
constexpr std::uint32_t kZip64Locator = 0x07064b50;
constexpr std::uint32_t k32 = 0xFFFFFFFFu;
constexpr std::size_t kMaxPart = std::size_t(1) << 30;  // parts read into memory

std::uint16_t get16(const unsigned char* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t get32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
std::uint64_t get64(const unsigned char* p) {
    return std::uint64_t(get32(p)) | (std::uint64_t(get32(p + 4)) << 32);
}

void put16(std::string& out, std::uint32_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char((v >> 8) & 0xFF));
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void put64(std::string& out, std::uint64_t v) {
    put32(out, std::uint32_t(v & k32));
    put32(out, std::uint32_t(v >> 32));
}

}  // namespace

bool ZipArchivePatch::fail(const std::string& text) {
    error_ = path_ + ": " + text;
    return false;
}

bool ZipArchivePatch::open(const std::string& path) {
    path_ = path;
    entries_.clear();
    error_.clear();
    if (!file_.open(path, PosixFile::Access::ReadWrite)) return fail(std::strerror(file_.error()));
    return readDirectory();
}

bool ZipArchivePatch::readDirectory() {
    std::int64_t size = file_.size();
    if (size < 22) return fail("not a zip archive");
    std::size_t tailLength = std::size_t(std::min<std::int64_t>(size, 65535 + 22));
    std::vector<unsigned char> tail(tailLength);
    std::int64_t tailStart = size - std::int64_t(tailLength);
    if (!file_.readAt(tailStart, tail.data(), tail.size())) return fail("cannot read the archive");
    std::int64_t end = -1;
    for (std::size_t i = tailLength - 22 + 1; i-- > 0;) {
        if (get32(&tail[i]) == kEndOfDirectory) {
            end = std::int64_t(i);
            break;
        }
    }
    if (end < 0) return fail("not a zip archive");
    const unsigned char* e = &tail[std::size_t(end)];
    std::uint64_t count = get16(e + 10);
    std::uint64_t directorySize = get32(e + 12);
    directoryOffset_ = get32(e + 16);
    if (count == 0xFFFF || directorySize == k32 || directoryOffset_ == k32) {
        unsigned char locator[20], record[56];
        std::int64_t at = tailStart + end - 20;
        if (at < 0 || !file_.readAt(at, locator, 20) || get32(locator) != kZip64Locator)
            return fail("ZIP64 locator missing");
        if (!file_.readAt(std::int64_t(get64(locator + 8)), record, 56) ||
            get32(record) != kZip64EndOfDirectory)
            return fail("ZIP64 directory end missing");
        count = get64(record + 32);
        directorySize = get64(record + 40);
        directoryOffset_ = get64(record + 48);
    }
    if (directoryOffset_ + directorySize > std::uint64_t(size) || directorySize > kMaxPart)
        return fail("central directory outside the file");
    std::vector<unsigned char> directory(static_cast<std::size_t>(directorySize));
    if (!file_.readAt(std::int64_t(directoryOffset_), directory.data(), directory.size()))
        return fail("cannot read the central directory");
    std::size_t at = 0;
    for (std::uint64_t n = 0; n < count; ++n) {
        if (at + 46 > directory.size() || get32(&directory[at]) != kCentralHeader)
            return fail("damaged central directory");
        const unsigned char* c = &directory[at];
        Entry entry;
        entry.versionMadeBy = get16(c + 4);
        entry.versionNeeded = get16(c + 6);
        entry.flags = get16(c + 8);
        entry.method = get16(c + 10);
        entry.time = get16(c + 12);
        entry.date = get16(c + 14);
        entry.crc = get32(c + 16);
        entry.compressedSize = get32(c + 20);
        entry.size = get32(c + 24);
        std::size_t nameLength = get16(c + 28), extraLength = get16(c + 30),
                    commentLength = get16(c + 32);
        entry.internalAttributes = get16(c + 36);
        entry.externalAttributes = get32(c + 38);
        entry.offset = get32(c + 42);
        if (at + 46 + nameLength + extraLength + commentLength > directory.size())
            return fail("damaged central directory");
        entry.name.assign(reinterpret_cast<const char*>(c + 46), nameLength);
        // ZIP64 extra field: the 64-bit values of the fields that hold 0xFFFFFFFF, in order.
        const unsigned char* extra = c + 46 + nameLength;
        for (std::size_t x = 0; x + 4 <= extraLength;) {
            std::uint16_t id = get16(extra + x), length = get16(extra + x + 2);
            if (x + 4 + length > extraLength) break;
            if (id == 1) {
                const unsigned char* v = extra + x + 4;
                std::size_t left = length;
                for (std::uint64_t* field : {&entry.size, &entry.compressedSize, &entry.offset}) {
                    if (*field != k32) continue;
                    if (left < 8) return fail("damaged ZIP64 field");
                    *field = get64(v);
                    v += 8;
                    left -= 8;
                }
            }
            x += 4 + length;
        }
        if (entry.offset >= directoryOffset_) return fail("part outside the archive");
        entries_.push_back(std::move(entry));
        at += 46 + nameLength + extraLength + commentLength;
    }
    return true;
}

std::vector<std::string> ZipArchivePatch::partNames() const {
    std::vector<std::string> names;
    for (const Entry& entry : entries_)
        names.push_back(entry.name);
    return names;
}

const ZipArchivePatch::Entry* ZipArchivePatch::find(const std::string& name) const {
    for (const Entry& entry : entries_)
        if (entry.name == name) return &entry;
    return nullptr;
}

std::int64_t ZipArchivePatch::dataOffset(const Entry& entry) {
    unsigned char local[30];
    if (!file_.readAt(std::int64_t(entry.offset), local, 30) || get32(local) != kLocalHeader)
        return -1;
    return std::int64_t(entry.offset) + 30 + get16(local + 26) + get16(local + 28);
}

std::optional<std::string> ZipArchivePatch::read(const std::string& name) {
    const Entry* entry = find(name);
    if (!entry || entry->size > kMaxPart || entry->compressedSize > kMaxPart) return std::nullopt;
    std::int64_t start = dataOffset(*entry);
    if (start < 0) return std::nullopt;
    std::string packed(std::size_t(entry->compressedSize), '\0');
    if (!file_.readAt(start, packed.data(), packed.size())) return std::nullopt;
    if (entry->method == 0) return packed;
    if (entry->method != 8) return std::nullopt;
    std::string content(std::size_t(entry->size), '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_in = uInt(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(content.data());
    stream.avail_out = uInt(content.size());
    int status = inflate(&stream, Z_FINISH);
    std::size_t produced = content.size() - stream.avail_out;
    inflateEnd(&stream);
    if (status != Z_STREAM_END || produced != content.size()) return std::nullopt;
    return content;
}

bool ZipArchivePatch::replace(const std::map<std::string, std::string>& contents) {
    if (!file_.isOpen()) return fail("archive not open");
    for (const auto& [name, content] : contents) {
        if (!find(name)) return fail("no part " + name);
        if (content.size() >= k32) return fail("part too large: " + name);
    }
    if (contents.empty()) {
        file_.close();
        return true;
    }

    // Parts in file order; the cut is where the first replaced part starts.
    std::vector<std::size_t> order(entries_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return entries_[a].offset < entries_[b].offset;
    });
    std::uint64_t cut = directoryOffset_;
    for (const Entry& entry : entries_)
        if (contents.count(entry.name)) cut = std::min(cut, entry.offset);

    // Everything from the cut on is rebuilt in memory: unchanged parts byte for byte (local
    // header, data and any data descriptor), replaced ones as stored parts.
    std::string rebuilt;
    for (std::size_t k = 0; k < order.size(); ++k) {
        Entry& entry = entries_[order[k]];
        if (entry.offset < cut) continue;
        std::uint64_t next =
            k + 1 < order.size() ? entries_[order[k + 1]].offset : directoryOffset_;
        std::uint64_t newOffset = cut + rebuilt.size();
        auto replaced = contents.find(entry.name);
        if (replaced == contents.end()) {
            if (next - entry.offset > kMaxPart)
                return fail("part too large to move: " + entry.name);
            std::string raw(std::size_t(next - entry.offset), '\0');
            if (!file_.readAt(std::int64_t(entry.offset), raw.data(), raw.size()))
                return fail("cannot read part " + entry.name);
            rebuilt += raw;
        } else {
            const std::string& content = replaced->second;
            entry.crc = std::uint32_t(
                crc32(0L, reinterpret_cast<const Bytef*>(content.data()), uInt(content.size())));
            entry.method = 0;
            entry.flags = 0;
            entry.versionNeeded = std::max<std::uint16_t>(entry.versionNeeded, 20);
            entry.size = entry.compressedSize = content.size();
            put32(rebuilt, kLocalHeader);
            put16(rebuilt, 20);
            put16(rebuilt, entry.flags);
            put16(rebuilt, entry.method);
            put16(rebuilt, entry.time);
            put16(rebuilt, entry.date);
            put32(rebuilt, entry.crc);
            put32(rebuilt, std::uint32_t(content.size()));
            put32(rebuilt, std::uint32_t(content.size()));
            put16(rebuilt, std::uint32_t(entry.name.size()));
            put16(rebuilt, 0);
            rebuilt += entry.name;
            rebuilt += content;
        }
        entry.offset = newOffset;
    }

    std::uint64_t directoryStart = cut + rebuilt.size();
    std::size_t directoryFrom = rebuilt.size();
    for (const Entry& entry : entries_) {
        std::string zip64;
        for (std::uint64_t value : {entry.size, entry.compressedSize, entry.offset})
            if (value >= k32) put64(zip64, value);
        put32(rebuilt, kCentralHeader);
        put16(rebuilt, entry.versionMadeBy);
        put16(rebuilt, zip64.empty() ? entry.versionNeeded
                                     : std::max<std::uint16_t>(entry.versionNeeded, 45));
        put16(rebuilt, entry.flags);
        put16(rebuilt, entry.method);
        put16(rebuilt, entry.time);
        put16(rebuilt, entry.date);
        put32(rebuilt, entry.crc);
        put32(rebuilt, std::uint32_t(std::min<std::uint64_t>(entry.compressedSize, k32)));
        put32(rebuilt, std::uint32_t(std::min<std::uint64_t>(entry.size, k32)));
        put16(rebuilt, std::uint32_t(entry.name.size()));
        put16(rebuilt, zip64.empty() ? 0 : std::uint32_t(zip64.size() + 4));
        put16(rebuilt, 0);  // comment
        put16(rebuilt, 0);  // disk
        put16(rebuilt, entry.internalAttributes);
        put32(rebuilt, entry.externalAttributes);
        put32(rebuilt, std::uint32_t(std::min<std::uint64_t>(entry.offset, k32)));
        rebuilt += entry.name;
        if (!zip64.empty()) {
            put16(rebuilt, 1);
            put16(rebuilt, std::uint32_t(zip64.size()));
            rebuilt += zip64;
        }
    }
    std::uint64_t directorySize = rebuilt.size() - directoryFrom;
    std::uint64_t count = entries_.size();
    if (count >= 0xFFFF || directoryStart >= k32 || directorySize >= k32) {
        std::uint64_t recordAt = cut + rebuilt.size();
        put32(rebuilt, kZip64EndOfDirectory);
        put64(rebuilt, 44);
        put16(rebuilt, 45);
        put16(rebuilt, 45);
        put32(rebuilt, 0);
        put32(rebuilt, 0);
        put64(rebuilt, count);
        put64(rebuilt, count);
        put64(rebuilt, directorySize);
        put64(rebuilt, directoryStart);
        put32(rebuilt, kZip64Locator);
        put32(rebuilt, 0);
        put64(rebuilt, recordAt);
        put32(rebuilt, 1);
    }
    put32(rebuilt, kEndOfDirectory);
    put16(rebuilt, 0);
    put16(rebuilt, 0);
    put16(rebuilt, std::uint32_t(std::min<std::uint64_t>(count, 0xFFFF)));
    put16(rebuilt, std::uint32_t(std::min<std::uint64_t>(count, 0xFFFF)));
    put32(rebuilt, std::uint32_t(std::min<std::uint64_t>(directorySize, k32)));
    put32(rebuilt, std::uint32_t(std::min<std::uint64_t>(directoryStart, k32)));
    put16(rebuilt, 0);

    if (!file_.truncate(std::int64_t(cut)) ||
        !file_.writeAt(std::int64_t(cut), rebuilt.data(), rebuilt.size()))
        return fail(std::strerror(file_.error()));
    file_.close();
    return true;
}

}  // namespace flowcfg
