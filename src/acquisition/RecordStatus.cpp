#include "acquisition/RecordStatus.h"

namespace flowcfg {

const char* recordStatusText(RecordStatus status) {
    switch (status) {
        case RecordStatus::Ok:
            return "OK";
        case RecordStatus::CannotOpen:
            return "Cannot open the file";
        case RecordStatus::IncorrectFile:
            return "Incorrect File";
        case RecordStatus::ReadFailed:
            return "Read error";
        case RecordStatus::WriteFailed:
            return "Write error";
        case RecordStatus::NoSuchRecord:
            return "No such record";
        case RecordStatus::NotOpen:
            return "File not open for this operation";
        case RecordStatus::InvalidArgument:
            return "Too long for a record file";
    }
    return "Unknown error";
}

}  // namespace flowcfg
