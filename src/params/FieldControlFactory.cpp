#include "params/FieldControlFactory.h"

namespace flowcfg {

// A page without tab pages has no titles to set.
void FieldControlFactory::setTabTitle(int, const std::string&) {}

}  // namespace flowcfg
