// divazivir.dll, loaded from the host's directory, and its six entry points found by name.
#pragma once

#include <string>
#include <windows.h>

#include "shell/entry_points.h"

namespace standin {

struct LoadedModule {
    HMODULE handle = nullptr;
    decltype(&OrvaneExtensionVersion) version = nullptr;
    decltype(&OrvaneExtensionInit) init = nullptr;
    decltype(&OrvaneExtensionEnumerate) enumerate = nullptr;
    decltype(&OrvaneExtensionInvoke) invoke = nullptr;
    decltype(&OrvaneExtensionTerminate) terminate = nullptr;
    decltype(&OrvaneExtensionGetMenuStatus) getMenuStatus = nullptr;
};

// Empty on success, else what went wrong.
std::string loadModule(LoadedModule &module);

} // namespace standin
