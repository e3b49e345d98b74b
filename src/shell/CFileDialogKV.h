#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/Prompts.h"

namespace flowcfg {

class PageBase;

// A save dialog that will not overwrite a file without asking. The dialog is shown again until
// the person accepts a name or cancels:
// - with a default extension, the name gets ".ext" unless it already ends with it, and an
//   existing file of that name needs a Yes to text 207 ("Le fichier existe déjà, voulez vous
//   le remplacer ?");
// - without one, each of the given extensions is tried on the name (the save-all sequence
//   writes one file per page), and each existing file needs a Yes; a name that ends with one
//   of them ("site.eta") is taken without it ("site").
// An open dialog is shown once, as it is.
class CFileDialogKV {
public:
    static constexpr int kExistsTextId = 207;
    static constexpr int kCautionTextId = 22;

    CFileDialogKV(PageBase& page, FileRequest request);

    // The chosen name; nothing when cancelled.
    std::optional<std::string> run(const std::vector<std::string>& extensions = {});

    const FileRequest& request() const { return request_; }

private:
    bool confirmReplace(const std::string& path);

    PageBase& page_;
    FileRequest request_;
};

}  // namespace flowcfg
