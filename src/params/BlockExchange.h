#pragma once

#include "link/Bytes.h"

namespace flowcfg {

// What the parameter engines need of the instrument: whole register blocks read with function 3
// and written with function 16, on a line opened for a run of exchanges. The desktop tool and
// the command-line tool give their InstrumentLink (LinkBlockExchange); tests may give a
// simulated instrument directly.
//
// Results are the link's codes: 0 success, 251 no answer, 201/202 a bad reply, 101 ... 104 a
// reply that does not match, 150 + code an exception reply; kCannotOpen when the port cannot be
// opened.
class BlockExchange {
public:
    static constexpr int kCannotOpen = 500;

    virtual ~BlockExchange() = default;

    // Opens the line (a line already open stays as it is): 0 or kCannotOpen.
    virtual int open() = 0;
    // Ends a run of exchanges.
    virtual void close() = 0;
    // Reads `count` registers from `start` into `data` (2 bytes per register).
    virtual int read(int start, int count, Bytes& data) = 0;
    // Writes `data` (an even number of bytes) from register `start`.
    virtual int write(int start, const Bytes& data) = 0;
};

}  // namespace flowcfg
