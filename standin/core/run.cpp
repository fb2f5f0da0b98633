#include "run.h"

#include <cstdio>
#include <exception>
#include <vector>

#include "document_file.h"
#include "host_files.h"
#include "host_windows.h"
#include "registry_file.h"
#include "report.h"
#include "svg_picture.h"

namespace standin {

namespace {

// Far more commands than any module offers; a module that never answers 0 is stopped here.
constexpr int32_t kEnumerationLimit = 1000;
constexpr size_t kTextFieldSize = 64;

std::string fieldText(const DescriptorBuffer &buffer, size_t offset) {
    std::string text;
    for (size_t i = offset; i < offset + kTextFieldSize && buffer[i] != 0; ++i)
        text += static_cast<char>(buffer[i]);
    return text;
}

void writeOutput(const std::string &path, const std::string &contents, RunOutcome &outcome) {
    std::string problem;
    if (path.empty() || writeWholeFile(path, contents, problem))
        return;
    outcome.exitStatus = 1;
    outcome.errors += path + ": " + problem + "\n";
}

} // namespace

int32_t enumerateCommand(const ModuleEntryPoints &module, int32_t index, DescriptorBuffer &buffer) {
    buffer.fill(kDescriptorFill);
    return module.enumerate(0, index, reinterpret_cast<CommandDescriptor *>(buffer.data()));
}

RunOutcome runHost(const Options &options, const ModuleEntryPoints &module, const RunHooks &hooks) {
    resetHost();
    Host &theHost = host();
    InputResult refused =
        loadDocumentFile(options.documentPath, theHost.store, theHost.pendingLayout);
    if (!refused && !options.registryPath.empty())
        refused = loadRegistryFile(options.registryPath, theHost.registry);
    if (refused) {
        resetHost();
        return {2, refused->line() + "\n"};
    }
    theHost.controlHeld = options.controlHeld;
    theHost.shiftHeld = options.shiftHeld;
    theHost.failRules = options.failRules;
    theHost.allocations.firstFailing = options.failAllocationsFrom;
    // Without a registry file a build keeps the registry it has: orvane.exe the real one, as it
    // stands, from one run to the next.
    const bool registryFromFile = !options.registryPath.empty();
    if (hooks.applyRegistry && registryFromFile)
        hooks.applyRegistry();

    EntryAnswers answers;
    answers.version = module.version(0);
    answers.init = module.init(0, 0);
    for (int32_t index = 0; index < kEnumerationLimit; ++index) {
        DescriptorBuffer buffer;
        if (enumerateCommand(module, index, buffer) == 0)
            break;
        answers.commands.push_back({fieldText(buffer, offsetof(CommandDescriptor, menuText)),
                                    fieldText(buffer, offsetof(CommandDescriptor, description)),
                                    fieldText(buffer, offsetof(CommandDescriptor, shortName))});
    }
    answers.menuStatus = module.menuStatus(0);
    for (const auto &script : options.scripts) {
        beginInvocation(script);
        if (hooks.beforeInvocation)
            hooks.beforeInvocation();
        finishInvocation(module.invoke(hostMainWindow(), 0, 0, 0));
    }
    module.terminate(0);
    answers.terminated = true;
    if (hooks.readRegistryBack && registryFromFile)
        hooks.readRegistryBack();

    RunOutcome outcome;
    writeOutput(options.outPath, documentJson(theHost.store, theHost.pendingLayout), outcome);
    writeOutput(options.registryPath, registryJson(theHost.registry), outcome);
    writeOutput(options.reportPath, reportJson(answers, theHost), outcome);
    if (!options.svgPath.empty())
        writeOutput(options.svgPath, renderPagesSvg(theHost.store), outcome);
    return outcome;
}

int runFromCommandLine(const std::string &programName, int argc, char **argv,
                       const ModuleEntryPoints &module, const RunHooks &hooks) {
    try {
        const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        const CommandLine commandLine = parseCommandLine(programName, arguments);
        if (commandLine.exitStatus != kGoOn) {
            std::fputs((commandLine.message + "\n").c_str(),
                       commandLine.exitStatus == 0 ? stdout : stderr);
            return commandLine.exitStatus;
        }
        const RunOutcome outcome = runHost(commandLine.options, module, hooks);
        std::fputs(outcome.errors.c_str(), stderr);
        return outcome.exitStatus;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s: %s\n", programName.c_str(), error.what());
        return 1;
    }
}

} // namespace standin
