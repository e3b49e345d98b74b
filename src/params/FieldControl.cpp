#include "params/FieldControl.h"

namespace flowcfg {

// Controls that are not lists or edit boxes ignore the operations of those kinds.

void FieldControl::setItems(const std::vector<std::string>&, int) {}

int FieldControl::select(int) {
    return -1;
}

int FieldControl::selectedValue() const {
    return 0;
}

void FieldControl::setItemFlags(int, int) {}

int FieldControl::setFormat(double, double, const std::string& format) {
    return format.size() < 2 ? -1 : 0;
}

}  // namespace flowcfg
