#pragma once

#include "link/Bytes.h"
#include "link/LinkResult.h"

namespace flowcfg {

// What the parameter engines need of the instrument: whole register blocks read with function 3
// and written with function 16, on a line opened for a run of exchanges. The desktop tool and
// the command-line tool give their InstrumentLink (LinkBlockExchange); tests may give a
// simulated instrument directly.
//
// Results are the link's codes (link/LinkResult.h): 0 success, no answer, a bad or mismatched
// reply, an exception reply; linkresult::kCannotOpen when the line cannot be opened.
class BlockExchange {
public:
    virtual ~BlockExchange() = default;

    // Opens the line (a line already open stays as it is): 0 or linkresult::kCannotOpen.
    virtual int open() = 0;
    // Ends a run of exchanges.
    virtual void close() = 0;
    // Reads `count` registers from `start` into `data` (2 bytes per register).
    virtual int read(int start, int count, Bytes& data) = 0;
    // Writes `data` (an even number of bytes) from register `start`.
    virtual int write(int start, const Bytes& data) = 0;
};

// The line of a set that is only looked at (a file shown or compared): no port opens on it.
class OfflineExchange : public BlockExchange {
public:
    int open() override { return linkresult::kCannotOpen; }
    void close() override {}
    int read(int, int, Bytes&) override { return linkresult::kCannotOpen; }
    int write(int, const Bytes&) override { return linkresult::kCannotOpen; }
};

}  // namespace flowcfg
