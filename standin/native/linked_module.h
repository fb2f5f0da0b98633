// The module's entry points as the native build links them in.
#pragma once

#include "core/run.h"
#include "shell/entry_points.h"

namespace standin {

inline ModuleEntryPoints linkedModule() {
    ModuleEntryPoints module;
    module.version = &OrvaneExtensionVersion;
    module.init = &OrvaneExtensionInit;
    module.enumerate = &OrvaneExtensionEnumerate;
    module.invoke = &OrvaneExtensionInvoke;
    module.terminate = &OrvaneExtensionTerminate;
    module.menuStatus = &OrvaneExtensionGetMenuStatus;
    return module;
}

} // namespace standin
