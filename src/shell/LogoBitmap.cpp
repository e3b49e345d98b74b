#include "shell/LogoBitmap.h"

#include <climits>
#include <cstdint>
#include <fstream>

namespace flowcfg {
namespace {

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

std::optional<LogoBitmap::Header> LogoBitmap::readHeader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char h[30] = {};
    if (!in.read(reinterpret_cast<char*>(h), sizeof h)) return std::nullopt;
    if (h[0] != 'B' || h[1] != 'M') return std::nullopt;
    std::uint32_t infoSize = le32(h + 14);
    Header header;
    if (infoSize == 12) {  // the old core header: 16-bit sizes
        header.width = le16(h + 18);
        header.height = le16(h + 20);
        header.bitsPerPixel = le16(h + 24);
    } else if (infoSize >= 40) {
        header.width = static_cast<std::int32_t>(le32(h + 18));
        auto height = static_cast<std::int32_t>(le32(h + 22));
        if (height == INT32_MIN) return std::nullopt;
        header.height = height < 0 ? -height : height;
        header.bitsPerPixel = le16(h + 28);
    } else {
        return std::nullopt;
    }
    return header;
}

bool LogoBitmap::acceptable(const Header& header) {
    return header.width == kWidth && header.height == kHeight && header.bitsPerPixel >= 1 &&
           header.bitsPerPixel <= kMaxBitsPerPixel;
}

bool LogoBitmap::usable(const std::string& path) {
    auto header = readHeader(path);
    return header && acceptable(*header);
}

}  // namespace flowcfg
