// Redirection of one function that a loaded module imports from a DLL.
#pragma once

#include <windows.h>

namespace standin {
// Points the module's import address table entry for dllName!function at replacement; gives the
// address it held. False when the module imports no such function.
bool patchImport(HMODULE module, const char *dllName, const char *function, FARPROC replacement,
                 FARPROC *original);
} // namespace standin
