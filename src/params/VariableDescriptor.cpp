#include "params/VariableDescriptor.h"

#include "params/EncodingCode.h"

namespace flowcfg {

bool VariableDescriptor::isNumeric() const {
    char c = valueClass();
    return c == 'c' || c == 'f' || c == 'h' || c == 'l' || isAuto();
}

int VariableDescriptor::textLength() const {
    if (!(high > 0)) return 0;
    return high > 0xFFFF ? 0xFFFF : static_cast<int>(high);
}

int VariableDescriptor::width() const {
    if (offset < 0) return 0;
    return EncodingCode::width(encoding, textLength());
}

}  // namespace flowcfg
