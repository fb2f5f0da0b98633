// divazivir.dll, loaded from the host's directory, and its six entry points found by name.
#pragma once

#include <string>
#include <windows.h>

#include "core/run.h"

namespace standin {

// Empty on success, else what went wrong; the handle is the loaded module.
std::string loadModule(HMODULE &handle, ModuleEntryPoints &entryPoints);

} // namespace standin
