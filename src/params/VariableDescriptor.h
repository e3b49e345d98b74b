#pragma once

#include <string>

namespace flowcfg {

// One value of the instrument as a page registers it: where its controls sit, what they show,
// and where and how the value lies in a register block. Fields in registration order.
struct VariableDescriptor {
    // Presentation flags.
    static constexpr int kNotPrinted = 0x01;  // left out of printouts (switched at run time)
    static constexpr int kNeverPrinted = 0x02;
    static constexpr int kWindowless = 0x04;     // no controls: the value is held as text
    static constexpr int kAllDisabled = 0x08;    // caption, value and unit disabled
    static constexpr int kHidden = 0x10;         // value control hidden; exactly 0x10: all three
    static constexpr int kValueDisabled = 0x20;  // only the value control disabled

    // Control kinds (low bits: the value control; higher bits only steer layout and printing).
    static constexpr int kList = 0x1;
    static constexpr int kEdit = 0x2;
    static constexpr int kSpin = 0x4;
    static constexpr int kDisplay = 0x8;
    static constexpr int kGauge = 0x800;
    static constexpr int kValueKinds = kList | kEdit | kSpin | kDisplay;

    int tab = -1;              // tab page of the controls; -1 on the page itself
    int controlId = 0;         // dialog item of the field; 0 without controls
    int flags = 0;             // presentation flags
    int captionText = 0;       // text id of the caption; 0 = none
    int kind = 0;              // control kind; 0 = no value control
    int listText = 0;          // text id of the list of choices
    std::string initialValue;  // value shown before anything is read
    int unitText = 0;          // text id of the unit label; 0 = none
    int unitEntry = 0;         // kept with the unit; nothing in the table reads it
    double low = 0;            // lowest value; for lists the first entry shown
    double high = 0;           // highest value; lists: entries shown (0 or -1 all); 0x500: length
    std::string format;        // display format; its last character gives the value class
    int encoding = 0;          // EncodingCode; 0 = not encoded
    int offset = -1;           // first byte in the block; -1 = not bound to a register
    int block = -1;            // block address (JBus start register); -1 = none

    // The value class: the format's last character ('f', 'l', 'c', 'h', 's'), 0 when empty.
    char valueClass() const { return format.empty() ? '\0' : format.back(); }
    bool isAuto() const { return format.find("auto") != std::string::npos; }
    bool isList() const { return (kind & kList) != 0; }
    // Values shown as a position in the list text: lists and 'l' formats.
    bool showsListPosition() const { return isList() || valueClass() == 'l'; }
    // Numeric values: 'c', 'f', 'h' and 'l' formats and automatic ones.
    bool isNumeric() const;
    // Decoded from and encoded into the block: bound to an offset, with a value control kind.
    bool isCoded() const { return offset >= 0 && (kind & kValueKinds) != 0; }
    // Characters of a text value (0x500): the high limit.
    int textLength() const;
    // Bytes the variable occupies in its block (the block size rule); 0 when unbound.
    int width() const;
};

}  // namespace flowcfg
