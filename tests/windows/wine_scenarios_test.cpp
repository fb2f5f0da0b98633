// Every scenario of tests/scenarios through orvane-sim and through orvane.exe under Wine: both runs
// must go as the scenario expects, and write the same report, registry and document byte for byte.
// Runs inside scripts/wine-env.sh, which provides the prefix, the display and the wineserver.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

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

// Runs the scenario through orvane-sim and through `hostExe` under Wine; both must go as the
// scenario expects and write the same files.
void expectSameFiles(const scenarios::Scenario &scenario, const fs::path &hostExe,
                     const std::string &variant) {
    const fs::path directory = fs::path(WINE_SCENARIO_OUTPUT_DIR) / variant / scenario.name;
    const fs::path nativeDirectory = directory / "native";
    const fs::path windowsDirectory = directory / "windows";

    const TimedRun native =
        timedRun(scenario, scenarios::shellQuoted(ORVANE_SIM_PATH), nativeDirectory);
    // Options of orvane.exe alone, such as --preload: its files must still be orvane-sim's.
    std::string windowsProgram = scenarios::wineCommand(hostExe.string());
    for (const auto &argument :
         scenario.definition.value("wineArguments", scenarios::Json::array()))
        windowsProgram += " " + scenarios::shellQuoted(argument.get<std::string>());
    const TimedRun windows = timedRun(scenario, windowsProgram, windowsDirectory);
    std::printf("%-8s %-40s orvane-sim %5ld ms, wine orvane.exe %5ld ms\n", variant.c_str(),
                scenario.name.c_str(), native.milliseconds, windows.milliseconds);

    EXPECT_EQ(native.exitStatus, windows.exitStatus) << scenario.name;
    for (const auto &mismatch :
         scenarios::checkScenario(scenario, windows.exitStatus, windowsDirectory))
        ADD_FAILURE() << scenario.name << " under Wine: " << mismatch;
    for (const auto &output : scenarios::differingOutputs(nativeDirectory, windowsDirectory))
        ADD_FAILURE() << scenario.name << ": " << output << " differs between "
                      << (nativeDirectory / output) << " and " << (windowsDirectory / output);
}

// Changes the prefix's registry with Wine's reg, under the same time limit as any Wine run.
void runReg(const std::string &arguments) {
    const std::string command =
        scenarios::wineCommand("reg") + " " + arguments + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

class WineScenario : public testing::TestWithParam<scenarios::Scenario> {};

TEST_P(WineScenario, SameFilesAsTheNativeHost) {
    expectSameFiles(GetParam(), ORVANE_EXE_PATH, "default");
}

// The same files where the host asks for version 6 of the common controls, by a manifest beside a
// copy of orvane.exe, as hosts built for later Windows do.
class WineScenarioCommonControls6 : public WineScenario {
  protected:
    static fs::path hostExe() {
        return fs::path(WINE_SCENARIO_OUTPUT_DIR) / "comctl6-host" / "orvane.exe";
    }
    static void SetUpTestSuite() {
        const fs::path folder = hostExe().parent_path();
        fs::create_directories(folder);
        const fs::path build = fs::path(ORVANE_EXE_PATH).parent_path();
        for (const char *file : {"orvane.exe", "divazivir.dll", "libgcc_s_dw2-1.dll"})
            fs::copy_file(build / file, folder / file, fs::copy_options::overwrite_existing);
        scenarios::writeFile(folder / "orvane.exe.manifest",
                             R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="x86" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>
</assembly>
)");
    }
};

TEST_P(WineScenarioCommonControls6, SameFilesAsTheNativeHost) {
    expectSameFiles(GetParam(), hostExe(), "comctl6");
}

// The same files where Wine plays Windows XP, the oldest system the plug-in runs on.
class WineScenarioWindowsXp : public WineScenario {
  protected:
    static void SetUpTestSuite() {
        runReg(R"(add "HKCU\Software\Wine" /v Version /t REG_SZ /d winxp /f)");
    }
    static void TearDownTestSuite() { runReg(R"(delete "HKCU\Software\Wine" /v Version /f)"); }
};

TEST_P(WineScenarioWindowsXp, SameFilesAsTheNativeHost) {
    expectSameFiles(GetParam(), ORVANE_EXE_PATH, "winxp");
}

std::string scenarioName(const testing::TestParamInfo<scenarios::Scenario> &info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, WineScenario,
                         testing::ValuesIn(scenarios::loadScenarios(SCENARIO_SOURCE_DIR)),
                         scenarioName);
INSTANTIATE_TEST_SUITE_P(Scenarios, WineScenarioCommonControls6,
                         testing::ValuesIn(scenarios::loadScenarios(SCENARIO_SOURCE_DIR)),
                         scenarioName);
INSTANTIATE_TEST_SUITE_P(Scenarios, WineScenarioWindowsXp,
                         testing::ValuesIn(scenarios::loadScenarios(SCENARIO_SOURCE_DIR)),
                         scenarioName);

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
