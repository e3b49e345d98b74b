#include "shell/IniFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <locale.h>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace flowcfg {
namespace {

std::string_view trim(std::string_view s) {
    const char* blanks = " \t\r\n\v\f";
    auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    auto last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca < 0x80) ca = static_cast<unsigned char>(std::tolower(ca));
        if (cb < 0x80) cb = static_cast<unsigned char>(std::tolower(cb));
        if (ca != cb) return false;
    }
    return true;
}

// A "[name]" line gives the section name; anything else gives nothing.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

// "key=value" (comments start with ';'); lines without '=' are kept but carry no key.
std::optional<KeyLine> keyLine(std::string_view line) {
    auto stripped = trim(line);
    if (stripped.empty() || stripped.front() == ';') return std::nullopt;
    auto eq = stripped.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyLine{trim(stripped.substr(0, eq)), trim(stripped.substr(eq + 1))};
}

bool readLines(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return !in.bad();
}

// The file a write replaces. A symbolic link is followed to its target, so that the target is
// rewritten in its own folder and the link stays a link; a path that does not resolve (a new
// file, a dangling link) is written as named.
std::string replacedFile(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return path;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

// Whether an existing file may be replaced by this user. access() says yes to root whatever the
// mode, so a file without any write bit counts as protected for root too: a write-protected
// configuration stays as it is for every user.
bool mayReplace(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return true;  // a new file
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    return ::access(path.c_str(), W_OK) == 0;
}

bool isDanglingLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0;
}

bool writeDirectly(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

// Writes the whole file through a temporary beside it and renames it into place, so that a full
// disk or a crash leaves either the old file or the new one, never half of each. A file this
// user may not write is left as it is (the write fails). When the directory refuses a temporary
// file the file itself is rewritten.
bool writeLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\n';
    }
    // A dangling link is written through, which creates its target and keeps the link.
    if (isDanglingLink(path)) return writeDirectly(path, text);
    const std::string target = replacedFile(path);
    if (!mayReplace(target)) return false;
    std::string temp = target + ".tmp" + std::to_string(::getpid());
    {
        std::FILE* f = std::fopen(temp.c_str(), "wb");
        if (f) {
            bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
            ok = (std::fflush(f) == 0) && ok;
            ok = (std::fclose(f) == 0) && ok;
            std::error_code ec;
            if (ok) {
                // Keep the permissions of an existing file.
                auto perms = std::filesystem::status(target, ec).permissions();
                if (!ec && std::filesystem::exists(target, ec))
                    std::filesystem::permissions(temp, perms, ec);
                if (std::rename(temp.c_str(), target.c_str()) == 0) return true;
            }
            std::remove(temp.c_str());
            if (!ok) return false;
        }
    }
    return writeDirectly(target, text);
}

std::string unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

}  // namespace

int IniFile::setFile(std::string path) {
    path_ = std::move(path);
    return 0;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    std::string result(fallback);
    if (!path_.empty()) {
        std::vector<std::string> lines;
        if (readLines(path_, lines)) {
            bool inSection = false;
            for (const auto& line : lines) {
                if (auto name = sectionName(line)) {
                    inSection = equalsNoCase(*name, trim(section));
                    continue;
                }
                if (!inSection) continue;
                auto kv = keyLine(line);
                if (kv && equalsNoCase(kv->key, trim(key))) {
                    result = unquote(kv->value);
                    break;
                }
            }
        }
    }
    if (result.size() > kMaxValueLength) result.resize(kMaxValueLength);
    return result;
}

int IniFile::writeString(std::string_view section, std::string_view key,
                         std::string_view value) const {
    if (path_.empty()) return -1;
    std::vector<std::string> lines;
    std::error_code ec;
    if (std::filesystem::exists(path_, ec) && !readLines(path_, lines)) return -1;

    std::string newLine = std::string(trim(key)) + "=" + std::string(value);
    // Find the first matching section, the key within it, and the last non-blank line of it.
    std::optional<std::size_t> sectionLine;
    std::optional<std::size_t> insertAfter;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i])) {
            if (inSection) break;
            if (!sectionLine && equalsNoCase(*name, trim(section))) {
                inSection = true;
                sectionLine = i;
                insertAfter = i;
            }
            continue;
        }
        if (!inSection) continue;
        auto kv = keyLine(lines[i]);
        if (kv && equalsNoCase(kv->key, trim(key))) {
            // The key keeps the spelling it already has in the file.
            lines[i] = std::string(kv->key) + "=" + std::string(value);
            return writeLines(path_, lines) ? 0 : -1;
        }
        if (!trim(lines[i]).empty()) insertAfter = i;
    }
    if (sectionLine) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*insertAfter + 1), newLine);
    } else {
        lines.push_back("[" + std::string(trim(section)) + "]");
        lines.push_back(newLine);
    }
    return writeLines(path_, lines) ? 0 : -1;
}

double IniFile::readReal(std::string_view section, std::string_view key, double fallback) const {
    if (path_.empty()) return fallback;
    return parseReal(readString(section, key, formatReal(fallback)));
}

int IniFile::writeReal(std::string_view section, std::string_view key, double value) const {
    return writeString(section, key, formatReal(value));
}

// Both conversions ignore the process locale (the desktop tool runs under the user's locale,
// whose decimal separator may be a comma), so files read the same on every machine.
std::string IniFile::formatReal(double value) {
    char buffer[400];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (ec != std::errc()) return "0.000000";
    return std::string(buffer, end);
}

double IniFile::parseReal(std::string_view text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    std::string copy(text);
    return strtod_l(copy.c_str(), nullptr, cLocale);
}

}  // namespace flowcfg
