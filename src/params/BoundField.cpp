#include "params/BoundField.h"

#include <algorithm>
#include <cctype>

#include "params/EncodingCode.h"
#include "shell/IniFile.h"
#include "shell/ValueDisplay.h"
#include "texts/LanguageTable.h"

namespace flowcfg {
namespace {

// "0x" texts are read from the right, one hexadecimal digit per character; characters that are
// not digits (the "0x" among them) count as 0.
double parseHex(const std::string& text) {
    std::uint64_t value = 0;
    for (char c : text) {
        int digit = 0;
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digit = std::isdigit(static_cast<unsigned char>(c))
                        ? c - '0'
                        : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        value = value << 4 | std::uint64_t(digit);
    }
    return double(value);
}

}  // namespace

BoundField::BoundField(const VariableDescriptor& descriptor, int language)
    : descriptor_(descriptor),
      language_(language),
      printed_((descriptor.flags & VariableDescriptor::kNotPrinted) == 0) {}

bool BoundField::isDateField() const {
    return EncodingCode::isDate(descriptor_.encoding) && descriptor_.valueClass() == 's' &&
           !descriptor_.isAuto();
}

// Edit and spin boxes hold what the user typed; every other control only shows the value.
bool BoundField::readsControlText() const {
    return value_ && !descriptor_.isList() &&
           (descriptor_.kind & (VariableDescriptor::kEdit | VariableDescriptor::kSpin)) != 0;
}

int BoundField::firstShown() const {
    long long first = EncodingCode::toInteger(descriptor_.low);
    return int(std::clamp<long long>(first, 0, (long long)entries_.size()));
}

int BoundField::shownCount() const {
    int remaining = int(entries_.size()) - firstShown();
    long long wanted = EncodingCode::toInteger(descriptor_.high);
    return wanted > 0 && wanted < remaining ? int(wanted) : remaining;
}

// A position outside the entries shown becomes the first or the last of them. Without a list
// text there is nothing to clamp into and the value is kept as it is.
long long BoundField::clampToList(long long position) const {
    if (descriptor_.listText == 0 || shownCount() <= 0) return position;
    return std::clamp<long long>(position, firstShown(), firstShown() + shownCount() - 1);
}

std::string BoundField::currentText() const {
    return readsControlText() ? value_->text() : text_;
}

void BoundField::loadTexts(LanguageTable& texts) {
    entries_.clear();
    if (descriptor_.showsListPosition() && descriptor_.listText != 0)
        entries_ = texts.lookup(descriptor_.listText, language_);
    if (caption_) caption_->setText(texts.text(descriptor_.captionText, language_));
    if (unit_) unit_->setText(texts.text(descriptor_.unitText, language_));
    if (value_ && descriptor_.isList()) {
        std::vector<std::string> shown(entries_.begin() + firstShown(),
                                       entries_.begin() + firstShown() + shownCount());
        value_->setItems(shown, 0);
    }
}

int BoundField::attach(FieldControlFactory* factory, LanguageTable& texts) {
    const VariableDescriptor& d = descriptor_;
    bool windowless =
        !factory || (d.flags & VariableDescriptor::kWindowless) != 0 || d.controlId == 0;
    if (!windowless) {
        auto create = [&](FieldControlSpec::Role role, int id, int kind) {
            FieldControlSpec request;
            request.role = role;
            request.controlId = id;
            request.tab = d.tab;
            request.kind = kind;
            request.fieldId = d.controlId;
            return factory->createControl(request);
        };
        int valueId = d.controlId;
        if (d.captionText != 0) {
            caption_ = create(FieldControlSpec::Role::Caption, d.controlId, 0);
            if (!caption_) return -1;
            ++valueId;
        }
        if (d.kind & (VariableDescriptor::kValueKinds | VariableDescriptor::kGauge)) {
            value_ = create(FieldControlSpec::Role::Value, valueId, d.kind);
            if (!value_) return -1;
        }
        if (d.unitText != 0) {
            unit_ = create(FieldControlSpec::Role::Unit, valueId + 1, 0);
            if (!unit_) return -1;
        }
        if (value_ && !d.isList() &&
            (d.kind & (VariableDescriptor::kEdit | VariableDescriptor::kSpin)))
            value_->setFormat(d.low, d.high, d.format);
    }
    loadTexts(texts);
    if (isDateField()) setRawDate(0);
    setText(d.initialValue);

    if (d.flags == VariableDescriptor::kHidden) {
        show(false);
    } else if ((d.flags & VariableDescriptor::kHidden) && value_) {
        value_->setVisible(false);
    }
    if (d.flags & VariableDescriptor::kAllDisabled) {
        enable(false);
    } else if ((d.flags & VariableDescriptor::kValueDisabled) && value_) {
        value_->setEnabled(false);
    }
    return 0;
}

void BoundField::reloadTexts(int language, LanguageTable& texts) {
    long long position = integer();
    language_ = language;
    loadTexts(texts);
    if (descriptor_.showsListPosition()) setInteger(position);
}

double BoundField::value() const {
    if (isDateField()) return double(date().secondsSince1980());
    if (descriptor_.isList() && value_) return value_->selectedValue() + firstShown();
    std::string text = currentText();
    if (descriptor_.valueClass() == 'h') return parseHex(text);
    return IniFile::parseReal(text);
}

long long BoundField::integer() const {
    return EncodingCode::toInteger(value());
}

std::string BoundField::text() const {
    if (descriptor_.isList() && value_) return std::to_string(integer());
    return currentText();
}

std::string BoundField::shownText() const {
    if (!descriptor_.showsListPosition()) return text();
    long long position = integer();
    if (position >= 0 && position < (long long)entries_.size()) return entries_[position];
    return text();
}

void BoundField::showValueText() {
    if (!value_) return;
    if (descriptor_.isList())
        value_->select(int(EncodingCode::leadingInteger(text_)) - firstShown());
    else
        value_->setText(descriptor_.showsListPosition() ? shownText() : text_);
}

void BoundField::setValue(double value) {
    if (descriptor_.showsListPosition()) {
        setInteger(EncodingCode::toInteger(value));
        return;
    }
    if (isDateField()) return;  // dates are set as dates or as text
    if (descriptor_.isNumeric())
        text_ = displayValue(value, descriptor_.format, descriptor_.low, descriptor_.high);
    else
        text_ = formatPrintf(value, "%g");
    showValueText();
}

void BoundField::setInteger(long long value) {
    if (!descriptor_.showsListPosition()) {
        setValue(double(value));
        return;
    }
    text_ = std::to_string(clampToList(value));
    showValueText();
}

void BoundField::setText(const std::string& text) {
    if (descriptor_.showsListPosition()) {
        setInteger(EncodingCode::leadingInteger(text));
        return;
    }
    if (isDateField()) {
        InstrumentDate date;
        if (InstrumentDate::parse(text, date)) setDate(date);
        return;  // a text that is no date leaves the kept date alone
    }
    text_ = text;
    showValueText();
}

void BoundField::setRawDate(std::uint64_t raw) {
    rawDate_ = raw;
    text_ = InstrumentDate::fromRaw(descriptor_.encoding, raw).text();
    showValueText();
}

std::uint64_t BoundField::rawDate() const {
    if (isDateField() && readsControlText()) {
        std::string typed = value_->text();
        InstrumentDate date;
        if (typed != text_ && InstrumentDate::parse(typed, date))
            return date.toRaw(descriptor_.encoding);
    }
    return rawDate_;
}

InstrumentDate BoundField::date() const {
    return InstrumentDate::fromRaw(descriptor_.encoding, rawDate());
}

void BoundField::setDate(const InstrumentDate& date) {
    setRawDate(date.toRaw(descriptor_.encoding));
}

void BoundField::show(bool visible) {
    visible_ = visible;
    for (FieldControl* control : {caption_.get(), value_.get(), unit_.get()})
        if (control) control->setVisible(visible);
}

void BoundField::enable(bool enabled) {
    enabled_ = enabled;
    for (FieldControl* control : {caption_.get(), value_.get(), unit_.get()})
        if (control) control->setEnabled(enabled);
}

bool BoundField::isPrinted() const {
    return printed_ && (descriptor_.flags & VariableDescriptor::kNeverPrinted) == 0;
}

void BoundField::setPrinted(bool printed) {
    printed_ = printed;
}

}  // namespace flowcfg
