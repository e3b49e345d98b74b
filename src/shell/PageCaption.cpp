#include "shell/PageCaption.h"

#include <vector>

namespace flowcfg {
namespace {

// Byte offsets where each UTF-8 character starts, so that a name is never cut inside one.
std::vector<std::size_t> characterStarts(const std::string& s) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) starts.push_back(i);
    return starts;
}

}  // namespace

std::string PageCaption::shortenFileName(const std::string& name) {
    auto starts = characterStarts(name);
    if (starts.size() <= kMaxFileLength) return name;
    constexpr std::size_t kHead = 3;
    constexpr std::size_t kTail = 34;
    return name.substr(0, starts[kHead]) + "..." + name.substr(starts[starts.size() - kTail]);
}

std::string PageCaption::compose(const std::string& title) const {
    std::string caption = title;
    if (!file.empty()) caption += kSeparator + file;
    if (!extra.empty()) caption += extra;
    return caption;
}

}  // namespace flowcfg
