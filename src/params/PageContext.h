#pragma once

#include "params/BlockExchange.h"
#include "params/ProgressView.h"
#include "shell/Prompts.h"

namespace flowcfg {

// What a parameter page talks through: the person (message boxes, questions), its progress bar
// and status line, the instrument, and the language of its texts.
struct PageContext {
    Prompts& prompts;
    ProgressView& progress;
    BlockExchange& line;
    int language = 1;
};

}  // namespace flowcfg
