#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "acquisition/RecordStatus.h"

namespace flowcfg {

// The header at the start of every record file:
//
//   offset 0   4 bytes   H, the header length counting these 4 bytes (little-endian)
//   offset 4   "\n\n"
//   offset 6   the creation time "dd/mm/yyyy - hh:mm:ss" (21 characters) and "\n"
//   offset 28  the description, one item per line, each ended by "\n"
//   H - 1      "\n"
//
// so H = 29 + the description's length. Readers refuse H above 2000.
struct RecordFileHeader {
    static constexpr std::int32_t kFixedLength = 29;
    static constexpr std::int32_t kMaxLength = 2000;
    static constexpr std::size_t kDateLineLength = 21;

    std::int32_t length = 0;  // H
    std::string dateLine;     // the 21 characters of the creation time
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    // The description as written, without the header's closing "\n" and without the "\n"
    // that ends its last line.
    std::string description;

    // The creation time as "dd/mm/yyyy" and "hh:mm:ss", from the date line.
    std::string dateText() const;
    std::string timeText() const;

    // The H bytes of a header with this creation time and description; empty when the
    // description is too long for H to stay within kMaxLength.
    static std::string build(std::string_view description, const std::tm& created);
    // The date line for a time: "%d/%m/%Y - %H:%M:%S"; empty for a time out of range.
    static std::string formatDateLine(const std::tm& created);
    // Checks a declared header length against the limits and the file size.
    static bool plausibleLength(std::int32_t length, std::int64_t fileSize);
    // Reads the header from its H bytes (the declared length already checked).
    static RecordStatus parse(std::string_view bytes, RecordFileHeader& header);
};

}  // namespace flowcfg
