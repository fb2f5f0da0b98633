// orvane-sim: the stand-in host with the module's sources linked in.
#include "core/run.h"
#include "native/linked_module.h"

int main(int argc, char **argv) {
    return standin::runFromCommandLine("orvane-sim", argc, argv, standin::linkedModule(), {});
}
