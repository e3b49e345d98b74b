#pragma once

#include "params/LayoutOptions.h"
#include "params/PageMessages.h"
#include "params/ParameterExchange.h"
#include "params/VariableTable.h"

namespace flowcfg {

// The "Transfer" command of the parameter dialog: the checks against the connected instrument,
// the write group, the confirmation and the write.
//
// 1. Pre-check read of blocks 0x1041, 0xFD00 and 0xE050 (with the identification and firmware
//    check). The set's own 0xE050 and 0xFD00 are put back afterwards: the instrument's values
//    are only compared, so the set shown (and saved later) stays the one the user had.
// 2. Instrument type: the set's "Selection Type" against the pipes of the instrument's 0xFD00;
//    a difference is shown as "%s=%s\n%s=%s" ("Device connected", the instrument's type, "File",
//    the set's type) and nothing is written.
// 3. Modules (inputs-outputs shown): the slots whose module words differ are listed ("%d "
//    each) and the module blocks are left out of the write.
// 4. Logger (logger shown): when the instrument's logger mode or count of logged parameters
//    differs from the set's and "Reset logger" is not set, the user is asked whether to erase
//    the logger; No keeps the instrument's logger settings.
// 5. Group 2: 0xE010 (clock, set to the PC's time) when synchronisation is chosen, 0x1040
//    unless the answer was No, 0x1080, 0x1000, 0x1200, 0x1400, the profile curves 0x1300 and
//    0x1500 that the set has (an instrument that refuses one has none), 0x1100 ... 0x1170, 0xE800,
//    0xD000 and 0x1800 (functions shown), the 24 module blocks (modules matching), 0xE030,
//    0xE020 ("Reset logger" set to 1) when the logger is to be reset, and 0xEFFF last.
// 6. "Do you want to transfer data to the device ?" unless the no-confirmation flag is set.
// 7. The write, one attempt per block.
class ParameterTransfer {
public:
    enum Result { kWritten = 0, kFailed = -1, kRefused = -2, kDeclined = -3 };

    struct Flags {
        bool noConfirmation = false;
        bool synchronise = false;  // the caller asks for the clock to be set
        bool resetLogger = false;  // the caller asks for the logger to be erased
    };

    ParameterTransfer(VariableTable& table, const LayoutOptions& options, PageMessages& messages,
                      ParameterExchange& exchange, Flags flags);

    // kWritten when every block was written; kFailed when the pre-check read or a write
    // failed, kRefused when the instrument type differs, kDeclined when the user said No.
    int TransferToInstrument();

    // The slots (1 ... 24) whose module words differed at the last transfer.
    const std::vector<int>& differingSlots() const { return differing_; }

private:
    int field(int controlId);
    bool typeMatches();
    bool modulesMatch(const Bytes& ownModules);
    int askLogger();
    void buildWriteGroup(bool modules, int loggerAnswer);

    VariableTable& table_;
    const LayoutOptions& options_;
    PageMessages& messages_;
    ParameterExchange& exchange_;
    Flags flags_;
    std::vector<int> differing_;
};

}  // namespace flowcfg
