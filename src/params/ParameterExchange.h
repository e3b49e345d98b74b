#pragma once

#include <functional>

#include "params/BlockExchange.h"
#include "params/PageMessages.h"
#include "params/ProgressView.h"
#include "params/VariableTable.h"

namespace flowcfg {

// Moves the blocks of a parameter page between its variable table and the instrument: single
// blocks, the read of the identification block and of read group 1, and the write of group 2,
// with the page's progress bar, status line and messages.
class ParameterExchange {
public:
    static constexpr int kWritePauseMs = 100;

    ParameterExchange(VariableTable& table, BlockExchange& line, PageMessages& messages,
                      ProgressView& progress);

    // Called after each block that was read, with its address (the page keeps the chord
    // mapping in step with the pipe and chord counts it has just decoded).
    void setAfterRead(std::function<void(int address)> afterRead) {
        afterRead_ = std::move(afterRead);
    }
    // Called before each write with the pause to make (tests and benchmarks replace it).
    void setPause(std::function<void(int milliseconds)> pause) { pause_ = std::move(pause); }

    // One block with function 3: the block's register count from its address; the reply is
    // decoded into the fields (a raw block stores it) and the block is present. The link's
    // result code; 0 also for an optional block the instrument answers with exception 2, which
    // is then marked absent and keeps its fields' values.
    int ReadBlock(int address);
    // One block with function 16: (block bytes + 1) / 2 registers from the block's address,
    // encoded from the fields into a zero-filled buffer (a raw block sends its stored bytes).
    // An optional block the instrument answers with exception 2 is marked absent: 0.
    int WriteBlock(int address);

    // The read of a parameter page: the identification block, the firmware check, then the
    // blocks of group 1 in their order, the first failure stopping it. Failures are reported
    // ("Cannot open COM port !", "connection failure! ...", the firmware message). 0 or -1.
    int ReadParameterSet();
    // Writes the blocks of group 2 in their order, each tried up to `attempts` times after a
    // pause of 100 ms; a block that fails every try stops the write and is reported. 0 or -1.
    int WriteGroup(int attempts);

    // The firmware version the last identification read found.
    const std::string& firmware() const { return firmware_; }

private:
    int openLine(int titleId);
    void reportWriteFailure(int result);

    VariableTable& table_;
    BlockExchange& line_;
    PageMessages& messages_;
    ProgressView& progress_;
    std::function<void(int)> afterRead_;
    std::function<void(int)> pause_;
    std::string firmware_;
};

}  // namespace flowcfg
