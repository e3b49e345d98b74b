#pragma once

#include "link/Bytes.h"

namespace flowcfg {

// One exchange's parameters and, after it, its outcome.
struct JBusRequest {
    int slave = 0;        // slave address; 0 accepts a reply from any address
    int function = 3;     // 3 or 4 (read), 16 (write)
    int start = 0;        // first register
    int count = 0;        // number of registers
    Bytes data;           // function 16: the bytes to write; after an exchange its reply data,
                          // empty after a failure
    int elementSize = 2;  // bytes per register in a read reply (0 means 2)
    int result = 0;       // result code of the last exchange run for this request
};

}  // namespace flowcfg
