#pragma once

#include <functional>
#include <string>

#include "params/LayoutOptions.h"
#include "params/VariableTable.h"

namespace flowcfg {

// A settings file ("eta"): a record file whose header description is the layout line
// (LayoutLine) and whose records are the blocks of a parameter page's group 3, one record per
// block, in the group's order, each the block's register bytes.
class SettingsFile {
public:
    enum class Status {
        Ok = 0,
        CannotOpen,     // the file cannot be opened or created
        IncorrectFile,  // not a record file, a broken layout line, or records that do not fit
        WriteFailed,    // the system refused a write; an existing file is left as it was
    };

    // The layout options of the file's header.
    static Status ReadLayout(const std::string& path, LayoutOptions& options);

    // Loads the blocks of group 3 from the file's records, in order. The file holds one record
    // per block, each of the block's size; or it lacks the optional blocks at the end of the
    // group (the profile curves), which are then absent. A file of that shorter kind whose pipe
    // records are 102 registers (earlier versions) holds each pipe's curve after the pipe's
    // 62 registers. Nothing is stored unless every record is read and fits. `afterStore` is
    // called after each block is stored, with its address.
    static Status Load(const std::string& path, VariableTable& table,
                       const std::function<void(int)>& afterStore = {});

    // Writes the blocks of group 3, encoded from the fields (raw blocks as stored), under a
    // header carrying `options`; the optional blocks only when the set has one of them. The
    // file is written beside its final name and renamed over it only when complete, so a failed
    // save leaves an existing file untouched.
    static Status Save(const std::string& path, VariableTable& table, const LayoutOptions& options);
};

}  // namespace flowcfg
