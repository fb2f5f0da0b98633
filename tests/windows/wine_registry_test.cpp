// The plug-in's choices of one run of orvane.exe reach the next run through the real Wine
// registry, and are what orvane-sim keeps in its registry file for the same runs.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "script_steps.h"
#include "settings/persistence.h"
#include "wine_command.h"

namespace {

namespace fs = scenarios::fs;
using Json = nlohmann::json;
using namespace scriptstep;

constexpr const char *kPluginKey = kSettingsKeyPath;
// The warning's "don't show" box ticked and "&Yes"; H set to 12 and OK: both values are written.
const std::string kFirstRun = script({click(IDC_DONT_SHOW_AGAIN), click(IDC_WARNING_YES),
                                      type(IDC_H_ADJUST, "12"), click(IDC_SETTINGS_OK)});
// No warning any more; the settings dialog opens with H at 12.
constexpr const char *kSecondRun = "snapshot; key esc";

int run(const fs::path &directory, const std::string &program, const std::string &arguments) {
    const std::string command = "cd " + scenarios::shellQuoted(directory.string()) + " && " +
                                program + " document.json " + arguments +
                                " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string wine() { return scenarios::wineCommand(ORVANE_EXE_PATH); }
std::string sim() { return scenarios::shellQuoted(ORVANE_SIM_PATH); }

fs::path freshDirectory(const fs::path &directory) {
    fs::remove_all(directory);
    fs::create_directories(directory);
    fs::copy_file(SAMPLE_SCORE_PATH, directory / "document.json");
    return directory;
}

// The plug-in's key as `reg query` lists it, in the form of the host's registry file; binary
// values only, which is all the plug-in writes.
Json realRegistryKey(const fs::path &directory) {
    const fs::path listing = directory / "reg-query.txt";
    const std::string command = "timeout 60 wine reg query " +
                                scenarios::shellQuoted(std::string("HKCU\\") + kPluginKey) + " >" +
                                scenarios::shellQuoted(listing.string()) + " 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return Json::object();
    Json values = Json::object();
    std::istringstream lines(scenarios::readFile(listing));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string name, type, hex;
        if (!(words >> name >> type) || type.rfind("REG_", 0) != 0)
            continue;
        words >> hex;
        EXPECT_EQ(type, "REG_BINARY") << name;
        for (char &c : hex)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        values[name] = Json{{"type", 3}, {"hex", hex}};
    }
    return Json{{kPluginKey, values}};
}

TEST(WineRegistry, OneRunsChoicesReachTheNextThroughTheRealRegistry) {
    const fs::path root = fs::path(WINE_SCENARIO_OUTPUT_DIR) / "registry_across_runs";
    const fs::path nativeFirst = freshDirectory(root / "native-first");
    const fs::path windowsFirst = freshDirectory(root / "windows-first");
    const std::string firstArguments =
        "--registry registry.json --report report.json --do " + scenarios::shellQuoted(kFirstRun);
    // No registry file yet: the run starts without the key, in the real registry too.
    ASSERT_EQ(run(nativeFirst, sim(), firstArguments), 0);
    ASSERT_EQ(run(windowsFirst, wine(), firstArguments), 0);
    for (const char *file : {"registry.json", "report.json"})
        EXPECT_EQ(scenarios::readFile(windowsFirst / file), scenarios::readFile(nativeFirst / file))
            << file << " of the first run";
    EXPECT_EQ(realRegistryKey(windowsFirst),
              Json::parse(scenarios::readFile(nativeFirst / "registry.json")));

    // orvane-sim is given the registry file of its first run; orvane.exe no file at all, so that
    // the module reads what the first run left in the real registry.
    const fs::path nativeSecond = freshDirectory(root / "native-second");
    const fs::path windowsSecond = freshDirectory(root / "windows-second");
    fs::copy_file(nativeFirst / "registry.json", nativeSecond / "registry.json");
    const std::string secondSteps = "--do " + scenarios::shellQuoted(kSecondRun);
    ASSERT_EQ(
        run(nativeSecond, sim(), "--registry registry.json --report report.json " + secondSteps),
        0);
    ASSERT_EQ(run(windowsSecond, wine(), "--report report.json " + secondSteps), 0);
    const std::string report = scenarios::readFile(windowsSecond / "report.json");
    EXPECT_EQ(report, scenarios::readFile(nativeSecond / "report.json"));
    const Json dialogs = Json::parse(report)["invocations"][0]["dialogs"];
    ASSERT_EQ(dialogs.size(), 1u) << "the warning was switched off by the first run";
    EXPECT_EQ(dialogs[0]["id"], IDD_DIVIDER_SETTINGS);
    EXPECT_EQ(dialogs[0]["snapshots"][0]["controls"][std::to_string(IDC_H_ADJUST)]["text"], "12");
    // What the second run left in the real registry is what orvane-sim wrote after it.
    EXPECT_EQ(realRegistryKey(windowsSecond),
              Json::parse(scenarios::readFile(nativeSecond / "registry.json")));
}

} // namespace
