// Runs the scenarios of this folder through a stand-in host program and checks what came of them.
// Each run happens in its own directory with relative file names, so the same inputs can be given
// to orvane-sim and to orvane.exe under Wine, and their output files compared byte for byte.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

#include <nlohmann/json.hpp>

namespace scenarios {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

// File names inside a scenario's run directory.
constexpr const char *kDocumentFile = "document.json";
constexpr const char *kRegistryBeforeFile = "registry-before.json";
constexpr const char *kRegistryFile = "registry.json";
constexpr const char *kOutFile = "out.json";
constexpr const char *kReportFile = "report.json";
constexpr const char *kPictureFile = "pages.svg";
constexpr const char *kArgumentsFile = "arguments.json";
constexpr const char *kStderrFile = "stderr.txt";

struct Scenario {
    std::string name; // the file's name without .json
    Json definition;
};

inline std::string readFile(const fs::path &path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline void writeFile(const fs::path &path, const std::string &text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A scenario may name its document by a file of the repository ("documentFrom", relative to the
// repository root two folders above the scenarios) with an RFC 7386 merge patch ("documentPatch"),
// so that the sample score is written once. The loaded definition then holds the document itself.
inline Json withNamedDocument(Json definition, const fs::path &folder) {
    if (!definition.contains("documentFrom"))
        return definition;
    if (definition.contains("document") || definition.contains("documentText"))
        throw std::runtime_error("documentFrom goes without document and documentText");
    const fs::path file = folder / ".." / ".." / definition["documentFrom"].get<std::string>();
    if (!fs::is_regular_file(file))
        throw std::runtime_error("documentFrom names no file: " + file.string());
    Json document = Json::parse(readFile(file));
    if (definition.contains("documentPatch"))
        document.merge_patch(definition["documentPatch"]);
    definition.erase("documentFrom");
    definition.erase("documentPatch");
    definition["document"] = std::move(document);
    return definition;
}

inline std::vector<Scenario> loadScenarios(const fs::path &folder) {
    std::vector<Scenario> found;
    for (const auto &entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".json")
            continue;
        try {
            found.push_back({entry.path().stem().string(),
                             withNamedDocument(Json::parse(readFile(entry.path())), folder)});
        } catch (const std::exception &problem) {
            throw std::runtime_error(entry.path().filename().string() + ": " + problem.what());
        }
    }
    std::sort(found.begin(), found.end(),
              [](const Scenario &a, const Scenario &b) { return a.name < b.name; });
    return found;
}

// The program's arguments, with the file names relative to the run directory.
inline std::vector<std::string> argumentsOf(const Scenario &scenario) {
    std::vector<std::string> arguments = {kDocumentFile, "--registry", kRegistryFile,
                                          "--out",       kOutFile,     "--report",
                                          kReportFile,   "--svg",      kPictureFile};
    for (const auto &argument : scenario.definition.value("arguments", Json::array()))
        arguments.push_back(argument.get<std::string>());
    return arguments;
}

// Writes the inputs into a clean run directory and puts the registry file in its starting state.
inline void prepareScenario(const Scenario &scenario, const fs::path &directory) {
    fs::remove_all(directory);
    fs::create_directories(directory);
    const Json &definition = scenario.definition;
    if (definition.contains("documentText"))
        writeFile(directory / kDocumentFile, definition["documentText"].get<std::string>());
    else
        writeFile(directory / kDocumentFile,
                  definition.value("document", Json::object()).dump(2) + "\n");
    if (definition.contains("registry")) {
        const std::string registry = definition["registry"].dump(2) + "\n";
        writeFile(directory / kRegistryBeforeFile, registry);
        writeFile(directory / kRegistryFile, registry);
    }
    writeFile(directory / kArgumentsFile, Json(argumentsOf(scenario)).dump(2) + "\n");
}

inline std::string shellQuoted(const std::string &text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs a prepared scenario; `program` is a shell command prefix such as a quoted path to
// orvane-sim, or "wine /path/orvane.exe". Returns the exit status.
inline int runPreparedScenario(const Scenario &scenario, const std::string &program,
                               const fs::path &directory) {
    std::string command = "cd " + shellQuoted(directory.string()) + " && " + program;
    for (const auto &argument : argumentsOf(scenario))
        command += " " + shellQuoted(argument);
    command += " >stdout.txt 2>" + std::string(kStderrFile);
    const int status = std::system(command.c_str());
    const int exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    writeFile(directory / "exit-status.txt", std::to_string(exitStatus) + "\n");
    return exitStatus;
}

// Every member of an expected object must be there and match; arrays match item by item and
// have the same length; anything else must be equal.
inline void matchFragment(const Json &expected, const Json &actual, const std::string &where,
                          std::vector<std::string> &mismatches) {
    if (expected.is_object() && actual.is_object()) {
        for (const auto &member : expected.items()) {
            const std::string inner = where + "." + member.key();
            if (!actual.contains(member.key()))
                mismatches.push_back(inner + ": missing");
            else
                matchFragment(member.value(), actual[member.key()], inner, mismatches);
        }
    } else if (expected.is_array() && actual.is_array() && expected.size() == actual.size()) {
        for (size_t i = 0; i < expected.size(); ++i)
            matchFragment(expected[i], actual[i], where + "[" + std::to_string(i) + "]",
                          mismatches);
    } else if (expected != actual) {
        mismatches.push_back(where + ": expected " + expected.dump() + ", found " + actual.dump());
    }
}

inline Json parsedOutput(const fs::path &path, std::vector<std::string> &mismatches) {
    if (!fs::exists(path)) {
        mismatches.push_back(path.filename().string() + ": not written");
        return nullptr;
    }
    Json output = Json::parse(readFile(path), nullptr, false);
    if (output.is_discarded())
        mismatches.push_back(path.filename().string() + ": not JSON");
    return output;
}

// What differs from the scenario's "expect"; empty when the run is as expected.
inline std::vector<std::string> checkScenario(const Scenario &scenario, int exitStatus,
                                              const fs::path &directory) {
    std::vector<std::string> mismatches;
    const Json expect = scenario.definition.value("expect", Json::object());
    const int expectedStatus = expect.value("exitStatus", 0);
    if (exitStatus != expectedStatus)
        mismatches.push_back("exit status " + std::to_string(exitStatus) + ", expected " +
                             std::to_string(expectedStatus) +
                             "; stderr: " + readFile(directory / kStderrFile));
    if (expect.contains("stderr") &&
        readFile(directory / kStderrFile).find(expect["stderr"].get<std::string>()) ==
            std::string::npos)
        mismatches.push_back("stderr lacks " + expect["stderr"].dump() + ": " +
                             readFile(directory / kStderrFile));
    for (const auto &name : expect.value("unwritten", Json::array()))
        if (fs::exists(directory / name.get<std::string>()))
            mismatches.push_back(name.get<std::string>() + ": written, expected none");
    if (expect.contains("report"))
        matchFragment(expect["report"], parsedOutput(directory / kReportFile, mismatches), "report",
                      mismatches);
    if (expect.contains("document") || expect.contains("documentLacks")) {
        const Json written = parsedOutput(directory / kOutFile, mismatches);
        if (expect.contains("document"))
            matchFragment(expect["document"], written, "document", mismatches);
        for (const auto &name : expect.value("documentLacks", Json::array()))
            if (written.is_object() && written.contains(name.get<std::string>()))
                mismatches.push_back("document." + name.get<std::string>() +
                                     ": written, expected none");
    }
    if (expect.contains("registry")) {
        // The whole registry file, member order aside.
        const nlohmann::json expected = nlohmann::json::parse(expect["registry"].dump());
        const Json written = parsedOutput(directory / kRegistryFile, mismatches);
        if (nlohmann::json::parse(written.dump()) != expected)
            mismatches.push_back("registry: expected " + expected.dump() + ", found " +
                                 written.dump());
    }
    return mismatches;
}

} // namespace scenarios
