// The registry file: the state of the plug-in's key under HKEY_CURRENT_USER.
#pragma once

#include <string>

#include "host_state.h"
#include "input_error.h"
#include "settings/persistence.h"

namespace standin {

// The plug-in's key, as the module names it.
constexpr const char *kPluginKeyPath = kSettingsKeyPath;

// `{}` is no key; the key with `{}` is a key without values.
InputResult parseRegistry(const std::string &text, const std::string &fileName,
                          RegistryKeyState &registry);
// A file that does not exist is a registry without the key.
InputResult loadRegistryFile(const std::string &path, RegistryKeyState &registry);
std::string registryJson(const RegistryKeyState &registry);

} // namespace standin
