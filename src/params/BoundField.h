#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "params/FieldControl.h"
#include "params/FieldControlFactory.h"
#include "params/InstrumentDate.h"
#include "params/VariableDescriptor.h"

namespace flowcfg {

class LanguageTable;

// The run-time object made from one descriptor: the value of one field of a page, shown in up to
// three controls (caption, value, unit) or, for a field without window, held as text.
//
// Values are read and set as reals, integers or text. A list field's value is the position of
// the chosen entry in its list text; setting it clamps into the entries the field shows. Numeric
// values are shown with the field's format and limits (shell/ValueDisplay.h). A date field keeps
// the raw bytes it was read from and shows the date they stand for.
class BoundField {
public:
    BoundField(const VariableDescriptor& descriptor, int language);

    // Creates the field's controls through the page's factory (none when the field has no
    // window), fills them with texts and the initial value and applies the presentation flags.
    // 0, or -1 when a control cannot be created.
    int attach(FieldControlFactory* factory, LanguageTable& texts);
    // Re-loads caption, unit and list texts in another language.
    void reloadTexts(int language, LanguageTable& texts);

    const VariableDescriptor& descriptor() const { return descriptor_; }
    int controlId() const { return descriptor_.controlId; }
    int language() const { return language_; }
    bool hasWindow() const { return value_ || caption_ || unit_; }

    // The value as a real: lists give their position, 'h' formats the hexadecimal number, dates
    // the seconds since 1980-01-01 00:00:00, everything else the number the text starts with.
    double value() const;
    // The value as an integer (truncated toward zero).
    long long integer() const;
    // The value's text: what the value control holds, the position for lists, the date text.
    std::string text() const;
    // What the user sees: the entry text for lists, otherwise text().
    std::string shownText() const;

    void setValue(double value);
    void setInteger(long long value);
    void setText(const std::string& text);

    // Dates: the raw bytes kept (least significant first) and the date they stand for. A
    // valid date the user typed into an edit box replaces the kept one.
    std::uint64_t rawDate() const;
    void setRawDate(std::uint64_t raw);
    InstrumentDate date() const;
    void setDate(const InstrumentDate& date);

    void show(bool visible);
    void enable(bool enabled);
    bool isVisible() const { return visible_; }
    bool isEnabled() const { return enabled_; }
    // Printouts leave out fields with flag 0x01 or 0x02; 0x01 is switched at run time.
    bool isPrinted() const;
    void setPrinted(bool printed);

    FieldControl* captionControl() const { return caption_.get(); }
    FieldControl* valueControl() const { return value_.get(); }
    FieldControl* unitControl() const { return unit_.get(); }

private:
    bool isDateField() const;
    bool readsControlText() const;
    int firstShown() const;
    int shownCount() const;
    long long clampToList(long long position) const;
    std::string currentText() const;
    void showValueText();
    void loadTexts(LanguageTable& texts);

    VariableDescriptor descriptor_;
    int language_;
    std::unique_ptr<FieldControl> caption_, value_, unit_;
    std::string text_;                  // the value text (the value itself when windowless)
    std::vector<std::string> entries_;  // the list text's entries in the current language
    std::uint64_t rawDate_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool printed_ = true;
};

}  // namespace flowcfg
