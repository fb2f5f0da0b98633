// One run of the stand-in host: load, drive the module's entry points, write what came of it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <windows.h>

#include "options.h"
#include "shell/entry_points.h"

namespace standin {

// The module's six entry points: linked in natively, found by name in the DLL on Windows.
struct ModuleEntryPoints {
    decltype(&OrvaneExtensionVersion) version = nullptr;
    decltype(&OrvaneExtensionInit) init = nullptr;
    decltype(&OrvaneExtensionEnumerate) enumerate = nullptr;
    decltype(&OrvaneExtensionInvoke) invoke = nullptr;
    decltype(&OrvaneExtensionTerminate) terminate = nullptr;
    decltype(&OrvaneExtensionGetMenuStatus) menuStatus = nullptr;
};

// What a build does around the run; every hook may be left empty.
struct RunHooks {
    // Both registry hooks run only when the command line names a registry file.
    std::function<void()> applyRegistry;    // before Init: host().registry becomes the registry
    std::function<void()> beforeInvocation; // e.g. hold the keys host().controlHeld/shiftHeld
    std::function<void()> readRegistryBack; // after Terminate: host().registry from the registry
};

// The host passes more room than the descriptor's 196 bytes, filled with a pattern, so that
// a module writing past its record shows.
constexpr size_t kDescriptorBufferSize = 256;
constexpr uint8_t kDescriptorFill = 0xA5;
using DescriptorBuffer = std::array<uint8_t, kDescriptorBufferSize>;
int32_t enumerateCommand(const ModuleEntryPoints &module, int32_t index, DescriptorBuffer &buffer);

struct RunOutcome {
    int exitStatus = 0; // 0 when the run went through, 2 on a bad input, 1 when an output failed
    std::string errors; // lines for standard error
};

// Starts from a fresh host(). Nothing is written when an input is refused.
RunOutcome runHost(const Options &options, const ModuleEntryPoints &module, const RunHooks &hooks);
// The whole program: command line, run, messages; returns the exit status.
int runFromCommandLine(const std::string &programName, int argc, char **argv,
                       const ModuleEntryPoints &module, const RunHooks &hooks);

} // namespace standin
