// orvane-sim: the stand-in host with the module's sources linked in.
#include "core/run.h"
#include "native/linked_module.h"
#include "native/windows_api.h"

int main(int argc, char **argv) {
    const standin::ModuleEntryPoints module = standin::linkedModule();
    standin::RunHooks hooks;
    hooks.ownerWindow = [] { return standin::hostMainWindow(); };
    return standin::runFromCommandLine("orvane-sim", argc, argv, module, hooks);
}
