#pragma once

#include <string>
#include <string_view>

namespace flowcfg {

// Machine-wide values that the desktop platform keeps in its registry. Here they live in one
// profile file: the section is the sub-key, the key is the value name. The file is
// /etc/flowcfg/registry.ini unless the environment variable FLOWCFG_REGISTRY names another.
class RegistryStore {
public:
    static constexpr const char* kDefaultPath = "/etc/flowcfg/registry.ini";
    static constexpr const char* kPathVariable = "FLOWCFG_REGISTRY";

    RegistryStore();  // the path from the environment or the default
    explicit RegistryStore(std::string path) : path_(std::move(path)) {}

    // The string value `name` of `subkey`, or `fallback` when it cannot be read.
    std::string readMachineString(std::string_view subkey, std::string_view name,
                                  std::string_view fallback) const;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace flowcfg
