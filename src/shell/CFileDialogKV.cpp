#include "shell/CFileDialogKV.h"

#include <cstdio>
#include <utility>

#include "shell/PageBase.h"

namespace flowcfg {
namespace {

bool readable(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

CFileDialogKV::CFileDialogKV(PageBase& page, FileRequest request)
    : page_(page), request_(std::move(request)) {}

bool CFileDialogKV::confirmReplace(const std::string& path) {
    if (!readable(path)) return true;
    return page_.prompts().askYesNo(path + " \n\n" + page_.text(kExistsTextId),
                                    page_.text(kCautionTextId));
}

std::optional<std::string> CFileDialogKV::run(const std::vector<std::string>& extensions) {
    for (;;) {
        std::optional<std::string> chosen = page_.prompts().chooseFile(request_);
        if (!chosen || request_.mode == FileRequest::Mode::Open) return chosen;
        std::string name = std::move(*chosen);
        if (name.empty()) return std::nullopt;
        if (!request_.defaultExtension.empty()) {
            std::string suffix = "." + request_.defaultExtension;
            if (!endsWith(name, suffix)) name += suffix;
            if (confirmReplace(name)) return name;
            continue;
        }
        // A name typed with one of the extensions stands for the same set of files.
        for (const auto& extension : extensions) {
            if (name.size() > extension.size() + 1 && endsWith(name, "." + extension)) {
                name.erase(name.size() - extension.size() - 1);
                break;
            }
        }
        bool accepted = true;
        for (const auto& extension : extensions) {
            if (!confirmReplace(name + "." + extension)) {
                accepted = false;
                break;
            }
        }
        if (accepted) return name;
    }
}

}  // namespace flowcfg
