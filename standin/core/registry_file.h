// The registry file: the state of the plug-in's key under HKEY_CURRENT_USER.
#pragma once

#include <string>

#include "host_state.h"
#include "input_error.h"

namespace standin {

constexpr const char *kPluginKeyPath = "Software\\ZOZaduzev\\DIVazivir";

// `{}` is no key; the key with `{}` is a key without values.
InputResult parseRegistry(const std::string &text, const std::string &fileName,
                          RegistryKeyState &registry);
// A file that does not exist is a registry without the key.
InputResult loadRegistryFile(const std::string &path, RegistryKeyState &registry);
std::string registryJson(const RegistryKeyState &registry);

} // namespace standin
