#pragma once

#include <memory>
#include <string>

#include "params/LayoutOptions.h"
#include "params/ParameterPage.h"
#include "params/StartDialog.h"
#include "shell/IniFile.h"

namespace flowcfg {

// The start dialog's logic (`ChooseLayout`): the layout options the parameter dialog is built
// with, by open mode.
//
// - A settings file (mode 4, and 16): the options of the file's header; a header that cannot be
//   read ends with 255 and nothing opens.
// - Otherwise the instrument's parameter set is read first (a failed read cancels). The
//   functions option is derived from it: shown when the main value of block 0xD000 is not 0
//   and one of its ten function sources is set. In mode 1 every option comes from the set read
//   (instrument type from 0xFD00, level, groups and pipes from 0x1000, chords from the pipe
//   blocks, maximum chords from 0xFD00, modules from 0xE050) and the dialog confirms itself.
// On confirmation the options are written to the settings; in mode 2 without the chord and
// module keys.
class LayoutChooser {
public:
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    static constexpr int kUnreadable = 255;

    // `dialog` may be null: the options are then confirmed as filled.
    LayoutChooser(const IniFile& config, PageContext context, StartDialog* dialog);

    int ChooseLayout(int mode, const std::string& source);

    const LayoutOptions& options() const { return options_; }
    // The page of the instrument read (modes 1 and 2), to hand its blocks to the parameter
    // dialog; null otherwise.
    ParameterPage* readPage() { return readPage_.get(); }

    // The options a set read from the instrument asks for.
    static LayoutOptions FromInstrument(ParameterPage& page, LayoutOptions options);
    // Shown (0) when the function block's main value and one of its sources are set, else 1.
    static int FunctionsOption(ParameterPage& page);

private:
    const IniFile& config_;
    PageContext context_;
    StartDialog* dialog_;
    LayoutOptions options_;
    std::unique_ptr<ParameterPage> readPage_;
};

}  // namespace flowcfg
