#include "options.h"

#include <algorithm>

#include <CLI/CLI.hpp>

#include "host_code_page.h"
#include "host_windows.h"
#include "report.h"
#include "script.h"

namespace standin {

namespace {

void readKeys(const std::string &value, Options &options) {
    if (value.empty() || value == "none")
        return;
    size_t start = 0;
    while (start <= value.size()) {
        const size_t end = std::min(value.find(',', start), value.size());
        const std::string word = value.substr(start, end - start);
        if (word == "ctrl")
            options.controlHeld = true;
        else if (word == "shift")
            options.shiftHeld = true;
        else
            throw CLI::ValidationError("--keys: \"" + word +
                                       "\" is not ctrl or shift (use ctrl, shift, " +
                                       "ctrl,shift or none)");
        start = end + 1;
    }
}

// The module's heap allocations, rather than a host service.
constexpr const char *kAllocations = "malloc";

void readFailRule(const std::string &value, Options &options) {
    const size_t colon = value.rfind(':');
    const std::string service = colon == std::string::npos ? value : value.substr(0, colon);
    const std::string call = colon == std::string::npos ? "" : value.substr(colon + 1);
    if (service != kAllocations &&
        std::find(std::begin(kHostServiceNames), std::end(kHostServiceNames), service) ==
            std::end(kHostServiceNames))
        throw CLI::ValidationError(
            "--fail " + value +
            ": SERVICE must be malloc or one of the host's OX_ services, such as OX_LoadEData or "
            "OX_Dialog");
    const bool digits = !call.empty() && call.size() <= 18 &&
                        call.find_first_not_of("0123456789") == std::string::npos;
    const int64_t number = digits ? std::stoll(call) : 0;
    if (number < 1)
        throw CLI::ValidationError("--fail " + value + ": N must be a whole number of at least 1");
    if (service != kAllocations)
        options.failRules.push_back({service, number});
    else if (options.failAllocationsFrom == 0 || number < options.failAllocationsFrom)
        options.failAllocationsFrom = number; // from the first failing one on, all fail
}

// The command line is UTF-8; the person types and picks the host's own characters.
std::vector<std::string> readScript(const std::string &value) {
    std::vector<ScriptStep> steps;
    std::string problem;
    const std::optional<std::string> script = windows1252FromUtf8(value, &problem);
    if (!script || !parseScript(*script, steps, problem))
        throw CLI::ValidationError("--do: " + problem);
    std::vector<std::string> texts;
    for (const auto &step : steps)
        texts.push_back(stepText(step));
    return texts;
}

} // namespace

CommandLine parseCommandLine(const std::string &programName,
                             const std::vector<std::string> &arguments) {
    CommandLine result;
    Options &options = result.options;
    std::string keys;
    std::vector<std::string> scripts;
    std::vector<std::string> failRules;

    CLI::App app("Plays the host program for the divider plug-in: loads the document, runs the "
                 "plug-in's command with a scripted user and writes what came of it.",
                 programName);
    // Absolute paths under Wine start with a slash: never read them as Windows-style options.
    app.allow_windows_style_options(false);
    app.add_option("DOCUMENT.json", options.documentPath, "The document to load")->required();
    app.add_option("--registry", options.registryPath,
                   "Registry state: read before Init (a missing file is no key), written after "
                   "Terminate");
    app.add_option("--out", options.outPath, "The document after the run");
    app.add_option("--report", options.reportPath, "The report; - for standard output");
    app.add_option("--svg", options.svgPath, "A picture of the pages after the run");
    app.add_option("--keys", keys,
                   "Keys held during every invocation: ctrl, shift, ctrl,shift or none");
    app.add_option("--do", scripts, "The scripted user of one invocation; repeat for more")
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option("--fail", failRules,
                   "SERVICE:N makes the N-th call of an OX_ service fail; malloc:N the module's "
                   "N-th heap allocation and those after it in the same invocation; repeatable")
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option("--preload", options.preloads,
                   "A DLL to load before the module, as another component of the host would "
                   "(orvane.exe only); repeatable")
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);

    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
        app.parse(reversed);
        if (options.documentPath.empty())
            throw CLI::ValidationError("DOCUMENT.json: the file name is empty");
        for (const char *name : {"--registry", "--out", "--report", "--svg"})
            if (app.count(name) > 0 && app.get_option(name)->as<std::string>().empty())
                throw CLI::ValidationError(std::string(name) + ": the file name is empty");
        readKeys(keys, options);
        for (const auto &script : scripts)
            options.scripts.push_back(readScript(script));
        if (options.scripts.empty())
            options.scripts.emplace_back();
        for (const auto &rule : failRules)
            readFailRule(rule, options);
        if (!options.preloads.empty() && !hostLoadsDlls())
            throw CLI::ValidationError("--preload: " + programName +
                                       " loads no DLL: the module is linked into it");
        for (const auto &dll : options.preloads)
            if (dll.empty())
                throw CLI::ValidationError("--preload: the file name is empty");
    } catch (const CLI::CallForHelp &) {
        result.exitStatus = 0;
        result.message = app.help();
        return result;
    } catch (const CLI::ParseError &error) {
        result.exitStatus = 2;
        result.message = programName + ": " + error.what();
        return result;
    }
    return result;
}

} // namespace standin
