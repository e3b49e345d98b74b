#include "shell/RegistryStore.h"

#include <cstdlib>

#include "shell/IniFile.h"

namespace flowcfg {

RegistryStore::RegistryStore() {
    const char* fromEnvironment = std::getenv(kPathVariable);
    path_ = (fromEnvironment && *fromEnvironment) ? fromEnvironment : kDefaultPath;
}

std::string RegistryStore::readMachineString(std::string_view subkey, std::string_view name,
                                             std::string_view fallback) const {
    return IniFile(path_).readString(subkey, name, fallback);
}

}  // namespace flowcfg
