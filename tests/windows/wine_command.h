// How the Wine tests start orvane.exe: under a time limit, so that a dialog or message box that
// never ends fails its test instead of holding up the whole run.
#pragma once

#include <string>

#include "../scenarios/scenario_runner.h"

namespace scenarios {

// Far beyond any run's few hundred milliseconds; the process is killed 5 s after the signal.
constexpr int kWineRunLimitSeconds = 120;

inline std::string wineCommand(const std::string &program) {
    return "timeout -k 5 " + std::to_string(kWineRunLimitSeconds) + " wine " + shellQuoted(program);
}

} // namespace scenarios
