// orvane.exe: the stand-in host on Windows, driving the real divazivir.dll.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <windows.h>

#include <commctrl.h>

#include "core/host_state.h"
#include "core/options.h"
#include "core/run.h"
#include "dialog_runs.h"
#include "key_state.h"
#include "message_boxes.h"
#include "module_heap.h"
#include "module_loader.h"
#include "plugin_registry_key.h"

namespace {

constexpr const char *kProgramName = "orvane.exe";
// The host itself failed, not the module or the input.
constexpr int kHostFailure = 1;
// An input that cannot be read, as the run reports a bad command line or file.
constexpr int kBadInput = 2;

// What the host cannot do without, as it says so on standard error.
constexpr const char *kNoUpDownClass = "cannot register the up-down control class";
constexpr const char *kNoMessageBoxImport = "the module imports no MessageBoxA from USER32.dll";
constexpr const char *kNoMainWindow = "cannot create the main window";
constexpr const char *kNoKeyboardState = "cannot set the keyboard state";

[[noreturn]] void giveUp(const std::string &problem) {
    std::fprintf(stderr, "%s: %s\n", kProgramName, problem.c_str());
    std::exit(kHostFailure);
}

// The command line as UTF-8, as orvane-sim gets it on Linux: file names and the scripted user's
// texts then read the same in both builds, whatever the ANSI code page.
std::vector<std::string> utf8Arguments(int argc, wchar_t **argv) {
    std::vector<std::string> arguments;
    for (int index = 0; index < argc; ++index) {
        const int size =
            WideCharToMultiByte(CP_UTF8, 0, argv[index], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(size > 0 ? static_cast<size_t>(size) : 1, '\0');
        WideCharToMultiByte(CP_UTF8, 0, argv[index], -1, argument.data(), size, nullptr, nullptr);
        argument.resize(argument.size() - 1);
        arguments.push_back(argument);
    }
    return arguments;
}

// The module's settings dialog uses the up-down control, which the host provides.
bool registerCommonControls() {
    INITCOMMONCONTROLSEX classes = {};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_UPDOWN_CLASS;
    return InitCommonControlsEx(&classes) != FALSE;
}

// Other components of the host, loaded before the module as --preload names them. A command line
// that cannot be read loads none: the run then says what is wrong with it.
bool preload(const std::vector<std::string> &arguments) {
    const standin::CommandLine commandLine = standin::parseCommandLine(
        kProgramName, {arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end()});
    for (const auto &dll : commandLine.options.preloads) {
        if (LoadLibraryA(dll.c_str()) == nullptr) {
            std::fprintf(stderr, "%s: --preload %s: cannot load it (error %lu)\n", kProgramName,
                         dll.c_str(), GetLastError());
            return false;
        }
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t **wideArgv) {
    if (!registerCommonControls())
        giveUp(kNoUpDownClass);
    std::vector<std::string> arguments = utf8Arguments(argc, wideArgv);
    if (!preload(arguments))
        return kBadInput;
    HMODULE module = nullptr;
    standin::ModuleEntryPoints entryPoints;
    const std::string loadProblem = standin::loadModule(module, entryPoints);
    if (!loadProblem.empty())
        giveUp(loadProblem);
    standin::setDialogModule(module);
    standin::countModuleAllocations(module);
    if (!standin::recordMessageBoxes(module))
        giveUp(kNoMessageBoxImport);
    if (standin::hostMainWindow() == nullptr)
        giveUp(std::string(kNoMainWindow) + " (error " + std::to_string(GetLastError()) + ")");

    standin::RunHooks hooks;
    hooks.applyRegistry = [] {
        const std::string problem = standin::writePluginKey(standin::host().registry);
        if (!problem.empty())
            giveUp(problem);
    };
    hooks.beforeInvocation = [] {
        if (!standin::holdKeys(standin::host().controlHeld, standin::host().shiftHeld))
            giveUp(kNoKeyboardState);
    };
    hooks.readRegistryBack = [] { standin::host().registry = standin::readPluginKey(); };
    std::vector<char *> argv;
    for (auto &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    return standin::runFromCommandLine(kProgramName, argc, argv.data(), entryPoints, hooks);
}
