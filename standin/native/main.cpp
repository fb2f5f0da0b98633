// orvane-sim: the stand-in host with the module's sources linked in.
#include "core/run.h"
#include "native/windows_api.h"

int main(int argc, char **argv) {
    standin::ModuleEntryPoints module;
    module.version = &OrvaneExtensionVersion;
    module.init = &OrvaneExtensionInit;
    module.enumerate = &OrvaneExtensionEnumerate;
    module.invoke = &OrvaneExtensionInvoke;
    module.terminate = &OrvaneExtensionTerminate;
    module.menuStatus = &OrvaneExtensionGetMenuStatus;
    standin::RunHooks hooks;
    hooks.ownerWindow = [] { return standin::hostMainWindow(); };
    return standin::runFromCommandLine("orvane-sim", argc, argv, module, hooks);
}
