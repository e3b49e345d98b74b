#pragma once

#include <string>

#include "params/SettingsFile.h"
#include "params/VariableTable.h"

namespace flowcfg {

// The file of a page other than the settings page ("rsp", "rus", "fct"): a record file whose
// header description is the page's tag and whose records are the blocks of the page's group 3,
// one per block, in the group's order, each the block's register bytes. The tag keeps a file of
// one page from being opened by another.
class PageFile {
public:
    using Status = SettingsFile::Status;

    // Nothing is stored unless the tag is the page's and every record is read and has its
    // block's size. `afterStore` is called after each block is stored, with its address.
    static Status Load(const std::string& path, const std::string& tag, VariableTable& table,
                       const std::function<void(int)>& afterStore = {});
    // Written beside its final name and renamed over it only when complete.
    static Status Save(const std::string& path, const std::string& tag, VariableTable& table);
};

}  // namespace flowcfg
