#pragma once

#include <string>
#include <string_view>

namespace flowcfg {

// One profile file: "[section]" headers and "key=value" lines, read and written key by key.
//
// Behaves like the classic profile-file functions the settings format comes from:
// - section and key names are compared without regard to case, and blanks around names and
//   values are ignored; a value between double quotes loses its quotes;
// - a missing file, section or key gives the caller's default; the first of duplicate keys wins;
// - a write creates the file, the section and the key as needed and keeps every other line;
// - a file without write permission (no write bit, even for root) is never replaced, and a
//   symbolic link is followed: its target is rewritten and the link stays;
// - a value read is cut to 999 characters;
// - reals (and the integers, flags and list positions stored as reals) are written with "%f".
// Every call reads the file afresh; nothing is cached, so two objects on one file always agree.
class IniFile {
public:
    static constexpr std::size_t kMaxValueLength = 999;

    IniFile() = default;
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    // Stores the path; returns 0.
    int setFile(std::string path);
    const std::string& path() const { return path_; }

    // The value of `key` in `section`, or `fallback` when the path is empty or the key is absent.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // 0 on success; -1 when the path is empty or the file cannot be written.
    int writeString(std::string_view section, std::string_view key, std::string_view value) const;

    // The value converted like strtod (leading number, 0 when none); `fallback` when absent.
    double readReal(std::string_view section, std::string_view key, double fallback) const;
    // Writes the value formatted with "%f"; 0 on success, -1 otherwise.
    int writeReal(std::string_view section, std::string_view key, double value) const;

    // "%f" formatting as stored by writeReal (2 -> "2.000000").
    static std::string formatReal(double value);
    // Leading number of `text` like strtod in the C locale; 0 when there is none.
    static double parseReal(std::string_view text);

private:
    std::string path_;
};

}  // namespace flowcfg
