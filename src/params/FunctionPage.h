#pragma once

#include <functional>
#include <vector>

#include "params/BlockPage.h"
#include "params/FunctionDefinitions.h"
#include "params/FunctionEditor.h"
#include "params/ParameterRows.h"
#include "shell/PrintReport.h"

namespace flowcfg {

// The function page without its window: the calculation rows of block 0xD000 ("Constant
// value"), the 20 function definitions (block 0xD200, FunctionDefinitions) with their type
// lists, summaries and, online, current values and default states (0x03CD), the function
// outputs of 0xD100 ("Output"), and the transfer: 0xD200, 0xD000, 0xD100 and the end marker,
// then, 4 s later, the status word of 0x0200, whose bit 0x40 says the instrument refused the
// functions.
//
// A block 0xD200 that does not parse opens with the functions that did; the others are marked
// "Not readable" and are only written back (as "Off") after the user has agreed.
class FunctionPage : public BlockPage {
public:
    static constexpr int kTitleText = 239;     // "Function"
    static constexpr int kFileTypeText = 225;  // "Function File|fct"
    static constexpr const char* kExtension = "fct";
    static constexpr const char* kFileTag = "Function File";
    static constexpr int kFunctions = FunctionDefinitions::kFunctions;
    static constexpr int kRows = 10;
    static constexpr int kOutputs = 10;
    static constexpr int kTransferWaitMs = 4000;
    static constexpr std::uint32_t kFunctionErrorBit = 0x40;

    // Tabs, in their order.
    enum Tab { kConstantTab = 0, kFirstFunctionsTab = 1, kLastFunctionsTab = 2, kOutputTab = 3 };

    // Blocks.
    static constexpr int kCalculations = 0xD000;
    static constexpr int kOutputsBlock = 0xD100;
    static constexpr int kDefinitionsBlock = FunctionDefinitions::kBlock;
    static constexpr int kValuesBlock = 0x03CD;
    static constexpr int kStatusBlock = 0x0200;

    // Control ids.
    static constexpr int kMainValue = 2066;
    static constexpr int kEndMarker = 1198;
    static constexpr int kStatusWord = 1620;
    static constexpr int rowSource(int k) { return 1908 + 4 * k; }
    static constexpr int rowSource2(int k) { return 1907 + 4 * k; }
    static constexpr int rowUnit(int k) { return 1909 + 4 * k; }
    static constexpr int outputSource(int k) { return 2069 + 5 * k; }
    static constexpr int outputFunction(int k) { return 2067 + 5 * k; }
    static constexpr int outputUnit(int k) { return 2071 + 5 * k; }
    static constexpr int settingsButton(int k) { return 1946 + 6 * k; }
    static constexpr int defaultState(int k) { return 1947 + 6 * k; }
    static constexpr int typeList(int k) { return 1948 + 6 * k; }
    static constexpr int currentValue(int k) { return 1950 + 6 * k; }
    static constexpr int summary(int k) { return 1951 + 6 * k; }
    // The function whose type list, button or summary has this id; -1 for none.
    static int functionOf(int controlId);

    // Texts.
    static constexpr int kDoesNotFit = 91;
    static constexpr int kNotReadable = 97;
    static constexpr int kWriteUnreadable = 98;

    FunctionPage(PageContext context, int mode, const std::string& fileName = {});

    // Mode 1 shows the instrument's current values; a file or a new set does not.
    bool online() const { return (mode_ & kModeRead) != 0; }

    int Build(FieldControlFactory* factory = nullptr);
    Result Open();
    Result Start(FieldControlFactory* factory) {
        return Build(factory) != 0 ? (result_ = kCancel) : Open();
    }
    int Read();
    int Load(const std::string& path);
    int Save(const std::string& path);

    // The definitions as the page holds them.
    const FunctionDefinitions::Definition& definition(int k) const {
        return definitions_[std::size_t(k)];
    }
    // False for a function block 0xD200 did not give.
    bool readable(int k) const { return readable_[std::size_t(k)]; }
    bool allReadable() const;
    int type(int k) const { return definition(k).type; }

    // The type list of function k changed: a new type empties the parameters and resets the
    // row. A type that would make the definitions overflow the block is refused ("does not
    // fit") and the list goes back. 0, or -1 when refused.
    int TypeChanged(int k);
    // Sets the type list and runs TypeChanged.
    int SetType(int k, int type);
    // The "Settings" button with type "Off": parameters and summary emptied.
    void ClearFunction(int k);
    // The editor of function k, or nullptr when its type has no parameters ("Off", whose
    // button clears the function, and "Not Used") or the function was not readable.
    std::unique_ptr<FunctionEditor> EditorFor(int k);
    // The editor ended with OK: its parameters and summary go into the row, unless the
    // definitions would overflow the block, which is said and the previous parameters kept.
    // 0 or -1.
    int ApplyEditor(int k, FunctionEditor& editor);
    int ApplyParameters(int k, const std::vector<std::uint8_t>& parameters);

    // The transfer; the page closes with OK unless the instrument's status word shows the
    // functions' error. 0 written and accepted, -1 otherwise.
    int TransferToInstrument();
    // The wait after the write (tests replace it) and the wait state shown meanwhile.
    void setWait(std::function<void(int ms)> wait) { wait_ = std::move(wait); }
    void setWaitState(std::function<void(bool waiting)> state) { waitState_ = std::move(state); }

    // The page's fields as lines, tab by tab: what "show", "diff", "Comparer" and the printout
    // use. Functions give their type and summary.
    std::vector<ParameterRow> Rows();
    PrintReport Report(const std::string& title) override;
    // A page on a ".fct" file that is only looked at; null when it cannot be read (said why).
    static std::unique_ptr<FunctionPage> OpenFile(const std::string& path, Prompts& prompts,
                                                  int language);

private:
    void parseDefinitions();
    void showFunction(int k);
    void registerFields();
    std::string functionCaption(int k);

    FunctionDefinitions::Set definitions_{};
    std::array<bool, kFunctions> readable_ = filled(true);
    static std::array<bool, kFunctions> filled(bool value) {
        std::array<bool, kFunctions> a;
        a.fill(value);
        return a;
    }
    std::function<void(int)> wait_;
    std::function<void(bool)> waitState_;
};

}  // namespace flowcfg
