// The plug-in's key in the real registry, exchanged with the host's registry state.
#pragma once

#include <string>

#include "core/host_state.h"

namespace standin {
// Replaces the key under HKEY_CURRENT_USER with the state: deleted, then created only when the
// state has it, with each value written with its type. Empty on success, else what failed.
std::string writePluginKey(const RegistryKeyState &state);
// The key as it is now: absent, without values, or its values with their types.
RegistryKeyState readPluginKey();
} // namespace standin
