// The command line of the stand-in host, the same for both builds.
#pragma once

#include <string>
#include <vector>

#include "host_state.h"

namespace standin {

struct Options {
    std::string documentPath;
    std::string registryPath; // each output: empty when not asked for
    std::string outPath;
    std::string reportPath; // "-" is standard output
    std::string svgPath;
    bool controlHeld = false;
    bool shiftHeld = false;
    // The steps of each invocation in canonical form; one empty script when no --do is given.
    std::vector<std::vector<std::string>> scripts;
    std::vector<FailRule> failRules;
    int64_t failAllocationsFrom = 0;   // --fail malloc:N; 0 when none
    std::vector<std::string> preloads; // --preload: DLLs loaded before the module (orvane.exe)
};

constexpr int kGoOn = -1;

struct CommandLine {
    int exitStatus = kGoOn; // 0 after --help, 2 for a bad command line
    std::string message;    // the help text, or the one line that says what is wrong
    Options options;
};

// The arguments after the program's name.
CommandLine parseCommandLine(const std::string &programName,
                             const std::vector<std::string> &arguments);

} // namespace standin
