// Every scenario of tests/scenarios through the real orvane-sim. The run directories stay in the
// build tree so that the Windows build's runs can be compared with them.
#include <gtest/gtest.h>

#include "../scenarios/scenario_runner.h"

#if defined(ORVANE_SIM_PATH) && defined(SCENARIO_SOURCE_DIR) && defined(SCENARIO_OUTPUT_DIR)

namespace scenarios {
// Failures name the scenario, not its bytes.
void PrintTo(const Scenario &scenario, std::ostream *out) { *out << scenario.name; }
} // namespace scenarios

namespace {

std::vector<scenarios::Scenario> allScenarios() {
    return scenarios::loadScenarios(SCENARIO_SOURCE_DIR);
}

class ScenarioRun : public testing::TestWithParam<scenarios::Scenario> {};

TEST_P(ScenarioRun, GoesAsExpected) {
    const scenarios::Scenario &scenario = GetParam();
    const scenarios::fs::path directory = scenarios::fs::path(SCENARIO_OUTPUT_DIR) / scenario.name;
    scenarios::prepareScenario(scenario, directory);
    const int exitStatus = scenarios::runPreparedScenario(
        scenario, scenarios::shellQuoted(ORVANE_SIM_PATH), directory);
    for (const auto &mismatch : scenarios::checkScenario(scenario, exitStatus, directory))
        ADD_FAILURE() << scenario.name << ": " << mismatch;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioRun, testing::ValuesIn(allScenarios()),
                         [](const testing::TestParamInfo<scenarios::Scenario> &info) {
                             return info.param.name;
                         });

} // namespace

#endif
