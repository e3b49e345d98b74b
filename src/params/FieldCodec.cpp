#include "params/FieldCodec.h"

#include <cmath>
#include <string>

#include "params/BoundField.h"
#include "params/EncodingCode.h"
#include "params/InstrumentDate.h"
#include "shell/ValueDisplay.h"

namespace flowcfg {

void FieldCodec::decode(BoundField& field, const std::uint8_t* block, std::size_t size) {
    const VariableDescriptor& d = field.descriptor();
    if (!d.isCoded()) return;
    if (d.isNumeric()) {
        double raw = 0;
        if (!EncodingCode::readNumber(d.encoding, block, size, d.offset, raw)) return;
        int decimals = formatDecimals(d.format);
        double value = EncodingCode::isScaled(d.encoding) && decimals > 0
                           ? raw / std::pow(10.0, decimals)
                           : raw;
        if (d.showsListPosition())
            field.setInteger(EncodingCode::toInteger(value));
        else
            field.setValue(value);
        return;
    }
    if (d.valueClass() != 's') return;
    if (EncodingCode::isText(d.encoding)) {
        if (EncodingCode::fits(size, d.offset, 1))
            field.setText(EncodingCode::readText(block, size, d.offset, d.textLength()));
    } else if (EncodingCode::isDate(d.encoding)) {
        std::uint64_t raw = 0;
        if (InstrumentDate::readRaw(d.encoding, block, size, d.offset, raw)) field.setRawDate(raw);
    }
}

long long FieldCodec::wireInteger(const BoundField& field) {
    const VariableDescriptor& d = field.descriptor();
    switch (d.valueClass()) {
        case 'c':
        case 'l':
            return field.integer();
        case 'h':
            return EncodingCode::leadingInteger(formatPrintf(field.value(), "%0.f"));
        case 'f': {
            // The shown text without its decimal point: the value scaled by 10^decimals. The
            // text is made afresh with the field's format so that a value typed with fewer
            // decimals than the format shows ("12.3" for "%0.2f") still scales right.
            std::string shown = displayValue(field.value(), d.format, d.low, d.high);
            std::string digits;
            for (char c : shown)
                if (c != '.') digits += c;
            return EncodingCode::leadingInteger(digits);
        }
        default:  // automatic formats
            return EncodingCode::toInteger(field.value());
    }
}

void FieldCodec::encode(const BoundField& field, std::uint8_t* block, std::size_t size) {
    const VariableDescriptor& d = field.descriptor();
    if (!d.isCoded()) return;
    if (d.valueClass() == 's' && !d.isAuto()) {
        if (EncodingCode::isText(d.encoding))
            EncodingCode::writeText(field.text(), d.textLength(), block, size, d.offset);
        else if (EncodingCode::isDate(d.encoding))
            InstrumentDate::writeRaw(d.encoding, field.rawDate(), block, size, d.offset);
        return;
    }
    if (!d.isNumeric()) return;
    if (EncodingCode::takesReal(d.encoding))
        EncodingCode::writeReal(d.encoding, field.value(), block, size, d.offset);
    else
        EncodingCode::writeInteger(d.encoding, wireInteger(field), block, size, d.offset);
}

}  // namespace flowcfg
