#pragma once

#include <string>
#include <string_view>

#include "params/LayoutOptions.h"

namespace flowcfg {

// The line that heads every settings file (the description of its record file header): the
// eleven layout options written with "%0d" and separated by spaces, in the order parameter
// level, logger, totalizers, inputs-outputs, sequencer, number of pipes, instrument type,
// functions, maximum chords, chords of pipe A, chords of pipe B; then "_"; then the 24 module
// words, each written with "%06d_":
//
//   2 0 0 0 0 2 1 0 4 2 2_000001_000001_000002_..._000000_
class LayoutLine {
public:
    static std::string Format(const LayoutOptions& options);

    // Reads the options back from a header's description: the eleven values as "%d" each
    // (blanks between them skipped), the text through the first '_' dropped, then the 24
    // module words, each a number ended by '_'. A line that does not have them all, or whose
    // values no dialog could have been built with, is refused: false, `options` unchanged.
    static bool Parse(std::string_view line, LayoutOptions& options);
};

}  // namespace flowcfg
