#include "acquisition/RecordFileHeader.h"

#include <cctype>
#include <cstdio>

#include "acquisition/LittleEndian.h"

namespace flowcfg {
namespace {

// The number written by up to two digits at `pos`; 0 when there is none.
int twoDigits(std::string_view text, std::size_t pos) {
    int value = 0;
    for (std::size_t i = pos; i < pos + 2 && i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) break;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::string RecordFileHeader::dateText() const {
    return dateLine.substr(0, 10);
}

std::string RecordFileHeader::timeText() const {
    return dateLine.size() >= 21 ? dateLine.substr(13, 8) : std::string();
}

std::string RecordFileHeader::formatDateLine(const std::tm& created) {
    int year = created.tm_year + 1900;
    bool inRange = year >= 0 && year <= 9999 && created.tm_mon >= 0 && created.tm_mon <= 11 &&
                   created.tm_mday >= 1 && created.tm_mday <= 31 && created.tm_hour >= 0 &&
                   created.tm_hour <= 23 && created.tm_min >= 0 && created.tm_min <= 59 &&
                   created.tm_sec >= 0 && created.tm_sec <= 60;
    if (!inRange) return {};
    char line[80];
    std::snprintf(line, sizeof line, "%02d/%02d/%04d - %02d:%02d:%02d", created.tm_mday,
                  created.tm_mon + 1, year, created.tm_hour, created.tm_min, created.tm_sec);
    return line;
}

std::string RecordFileHeader::build(std::string_view description, const std::tm& created) {
    if (description.size() > static_cast<std::size_t>(kMaxLength - kFixedLength)) return {};
    auto length = static_cast<std::int32_t>(kFixedLength + description.size());
    std::string bytes(4, '\0');
    le::writeInt32(reinterpret_cast<unsigned char*>(bytes.data()), length);
    std::string dateLine = formatDateLine(created);
    if (dateLine.empty()) return {};  // a time out of range
    bytes += "\n\n";
    bytes += dateLine;
    bytes += '\n';
    bytes += description;
    bytes += '\n';
    return bytes;
}

bool RecordFileHeader::plausibleLength(std::int32_t length, std::int64_t fileSize) {
    return length >= kFixedLength && length <= kMaxLength && length <= fileSize;
}

RecordStatus RecordFileHeader::parse(std::string_view bytes, RecordFileHeader& header) {
    if (bytes.size() < static_cast<std::size_t>(kFixedLength)) return RecordStatus::IncorrectFile;
    std::int32_t length = le::readInt32(reinterpret_cast<const unsigned char*>(bytes.data()));
    if (length < kFixedLength || length > kMaxLength || bytes.size() != std::size_t(length))
        return RecordStatus::IncorrectFile;
    // Two empty lines, then the date line of exactly 21 characters.
    if (bytes[4] != '\n' || bytes[5] != '\n') return RecordStatus::IncorrectFile;
    std::string_view dateLine = bytes.substr(6, kDateLineLength + 1);
    if (dateLine.find('\n') != kDateLineLength) return RecordStatus::IncorrectFile;
    dateLine.remove_suffix(1);

    header.length = length;
    header.dateLine = std::string(dateLine);
    header.day = twoDigits(dateLine, 0);
    header.month = twoDigits(dateLine, 3);
    int shortYear = twoDigits(dateLine, 8);
    header.year = shortYear <= 38 ? 2000 + shortYear : 1900 + shortYear;
    header.hour = twoDigits(dateLine, 13);
    header.minute = twoDigits(dateLine, 16);
    header.second = twoDigits(dateLine, 19);

    std::string_view description = bytes.substr(28, std::size_t(length) - 29);
    if (!description.empty() && description.back() == '\n') description.remove_suffix(1);
    header.description = std::string(description);
    return RecordStatus::Ok;
}

}  // namespace flowcfg
