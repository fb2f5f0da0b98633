// The module's heap allocations, counted and made to fail by --fail malloc:N.
#pragma once

#include <windows.h>

namespace standin {
// Routes the module's imports of the system's and the C runtime's allocation functions through the
// host's count; those it does not import stay as they are.
void countModuleAllocations(HMODULE module);
} // namespace standin
