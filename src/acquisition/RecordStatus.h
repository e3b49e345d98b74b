#pragma once

namespace flowcfg {

// Result of a record file operation. 0 is success, every failure is negative, as for the other
// files of the program; the detail tells the page which message to show.
enum class RecordStatus : int {
    Ok = 0,
    CannotOpen = -1,       // the system refused to open or create the file (see systemError)
    IncorrectFile = -2,    // not a record file, or a record that does not read back whole
    ReadFailed = -3,       // the system reported a read error
    WriteFailed = -4,      // the system refused a write (disk full...); the file is unchanged
    NoSuchRecord = -5,     // record index outside the file
    NotOpen = -6,          // no file open, or opened for reading only when appending
    InvalidArgument = -7,  // description or payload too long for the file layout
};

// The English wording of a status, for the command-line tool and logs.
const char* recordStatusText(RecordStatus status);

}  // namespace flowcfg
