// Every scenario of tests/scenarios through orvane-sim and through orvane.exe under Wine: both runs
// must go as the scenario expects, and write the same report, registry and document byte for byte.
// Runs inside scripts/wine-env.sh, which provides the prefix, the display and the wineserver.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "wine_command.h"

namespace scenarios {
// Failures name the scenario, not its bytes.
void PrintTo(const Scenario &scenario, std::ostream *out) { *out << scenario.name; }
} // namespace scenarios

namespace {

namespace fs = scenarios::fs;

// ctest counts this exit status as a skipped test.
constexpr int kSkipped = 77;

struct TimedRun {
    int exitStatus = 0;
    long milliseconds = 0;
};

TimedRun timedRun(const scenarios::Scenario &scenario, const std::string &program,
                  const fs::path &directory) {
    scenarios::prepareScenario(scenario, directory);
    const auto start = std::chrono::steady_clock::now();
    TimedRun run;
    run.exitStatus = scenarios::runPreparedScenario(scenario, program, directory);
    run.milliseconds = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                             std::chrono::steady_clock::now() - start)
                                             .count());
    return run;
}

class WineScenario : public testing::TestWithParam<scenarios::Scenario> {};

TEST_P(WineScenario, SameFilesAsTheNativeHost) {
    const scenarios::Scenario &scenario = GetParam();
    const fs::path directory = fs::path(WINE_SCENARIO_OUTPUT_DIR) / scenario.name;
    const fs::path nativeDirectory = directory / "native";
    const fs::path windowsDirectory = directory / "windows";

    const TimedRun native =
        timedRun(scenario, scenarios::shellQuoted(ORVANE_SIM_PATH), nativeDirectory);
    // Options of orvane.exe alone, such as --preload: its files must still be orvane-sim's.
    std::string windowsProgram = scenarios::wineCommand(ORVANE_EXE_PATH);
    for (const auto &argument :
         scenario.definition.value("wineArguments", scenarios::Json::array()))
        windowsProgram += " " + scenarios::shellQuoted(argument.get<std::string>());
    const TimedRun windows = timedRun(scenario, windowsProgram, windowsDirectory);
    std::printf("%-40s orvane-sim %5ld ms, wine orvane.exe %5ld ms\n", scenario.name.c_str(),
                native.milliseconds, windows.milliseconds);

    EXPECT_EQ(native.exitStatus, windows.exitStatus) << scenario.name;
    for (const auto &mismatch :
         scenarios::checkScenario(scenario, windows.exitStatus, windowsDirectory))
        ADD_FAILURE() << scenario.name << " under Wine: " << mismatch;
    for (const auto &output : scenarios::differingOutputs(nativeDirectory, windowsDirectory))
        ADD_FAILURE() << scenario.name << ": " << output << " differs between "
                      << (nativeDirectory / output) << " and " << (windowsDirectory / output);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, WineScenario,
                         testing::ValuesIn(scenarios::loadScenarios(SCENARIO_SOURCE_DIR)),
                         [](const testing::TestParamInfo<scenarios::Scenario> &info) {
                             return info.param.name;
                         });

} // namespace

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!fs::exists(ORVANE_EXE_PATH) ||
        !fs::exists(fs::path(ORVANE_EXE_PATH).parent_path() / "divazivir.dll")) {
        std::printf("The Windows build is not built (%s): skipped.\n", ORVANE_EXE_PATH);
        return kSkipped;
    }
    return RUN_ALL_TESTS();
}
