#include "fault_run.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "core/document_file.h"
#include "core/host_files.h"
#include "core/options.h"
#include "core/run.h"
#include "native/linked_module.h"
#include "native/windows_api.h"
#include "settings/module_state.h"

namespace faults {

namespace {

std::string readFile(const std::string &path) {
    std::string contents;
    std::string problem;
    if (standin::readWholeFile(path, contents, problem) != standin::FileRead::Read)
        throw std::runtime_error(path + ": " + problem);
    return contents;
}

std::string keyText(const standin::KeyWords &key) {
    std::ostringstream text;
    text << "(";
    for (size_t word = 0; word < key.size(); ++word)
        text << (word ? ", " : "") << key[word];
    text << ")";
    return text.str();
}

std::string tagText(uint32_t tag) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((tag >> shift) & 0xFF);
        text += c >= 0x20 && c < 0x7F ? c : '.';
    }
    return "'" + text + "'";
}

// Equal but for the vertical position at bytes 4 and 5.
bool sameButVertical(const standin::Bytes &a, const standin::Bytes &b) {
    if (a.size() != b.size() || a.size() < 6)
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if ((i < 4 || i > 5) && a[i] != b[i])
            return false;
    return true;
}

} // namespace

int32_t RunResult::result() const { return report.at("invocations").at(0).at("result"); }

const Json &RunResult::messages() const { return report.at("invocations").at(0).at("messages"); }

int64_t RunResult::hostCalls(Service service) const { return hostCalls(serviceName(service)); }

int64_t RunResult::hostCalls(const std::string &service) const {
    return report.at("hostCalls").at(service);
}

RunResult runDocument(const std::string &documentPath, const std::string &script,
                      const std::optional<FailurePoint> &failure, const std::string &directory) {
    std::filesystem::create_directories(directory);
    const std::string reportPath = directory + "/report.json";
    std::filesystem::remove(reportPath);
    std::vector<std::string> arguments = {documentPath, "--report", reportPath, "--do", script};
    if (failure) {
        arguments.push_back("--fail");
        arguments.push_back(failure->service + ":" + std::to_string(failure->call));
    }
    const standin::CommandLine commandLine = standin::parseCommandLine("orvane-sim", arguments);
    if (commandLine.exitStatus != standin::kGoOn)
        throw std::runtime_error("command line refused: " + commandLine.message);

    // What the module holds when the host has just loaded it, as in a fresh orvane-sim process.
    resetModuleState();
    trace().clear();
    standin::RunHooks hooks;
    const standin::RunOutcome outcome =
        standin::runHost(commandLine.options, standin::linkedModule(), hooks);
    if (outcome.exitStatus != 0)
        throw std::runtime_error("the run failed: " + outcome.errors);

    RunResult run;
    run.report = standin::parseStrictJson(readFile(reportPath));
    run.document = standin::host().store;
    run.calls = trace();
    return run;
}

standin::RecordStore loadDocument(const std::string &path) {
    standin::RecordStore document;
    standin::PendingLayout pending;
    if (const standin::InputResult refused = standin::loadDocumentFile(path, document, pending))
        throw std::runtime_error(refused->line());
    if (pending)
        throw std::runtime_error(path + ": a fault run keeps no layout update");
    return document;
}

void writeDocument(const std::string &path, const standin::RecordStore &document) {
    std::string problem;
    if (!standin::writeWholeFile(path, standin::documentJson(document, std::nullopt), problem))
        throw std::runtime_error(path + ": " + problem);
}

Json message(const std::string &caption, const std::string &text, int style, const Json &owner,
             const std::string &answer) {
    Json box = Json::object();
    box["caption"] = caption;
    box["text"] = text;
    box["style"] = style;
    box["owner"] = owner;
    box["answer"] = answer;
    return box;
}

std::string documentDifference(const standin::RecordStore &expected,
                               const standin::RecordStore &actual, const Leeway &leeway) {
    std::set<uint32_t> tags;
    for (uint32_t tag : expected.tags())
        tags.insert(tag);
    for (uint32_t tag : actual.tags())
        tags.insert(tag);
    std::ostringstream lines;
    int shown = 0;
    auto note = [&](const std::string &line) {
        if (shown++ < 6)
            lines << line << "\n";
    };
    for (uint32_t tag : tags) {
        std::map<standin::KeyWords, standin::Bytes> wanted;
        std::map<standin::KeyWords, standin::Bytes> found;
        for (auto &[key, bytes] : expected.records(tag))
            wanted[key] = bytes;
        for (auto &[key, bytes] : actual.records(tag))
            found[key] = bytes;
        for (const auto &[key, bytes] : wanted) {
            const auto other = found.find(key);
            if (other == found.end())
                note(tagText(tag) + " " + keyText(key) + " is missing");
            else if (other->second != bytes &&
                     !(leeway.count(key) && sameButVertical(bytes, other->second)))
                note(tagText(tag) + " " + keyText(key) + " has other bytes");
        }
        for (const auto &[key, bytes] : found)
            if (!wanted.count(key))
                note(tagText(tag) + " " + keyText(key) + " should not be there");
    }
    if (shown > 6)
        lines << "... " << shown - 6 << " more\n";
    return lines.str();
}

DocumentChange changeBetween(const standin::RecordStore &before,
                             const standin::RecordStore &after) {
    DocumentChange change;
    std::set<uint32_t> tags;
    for (uint32_t tag : before.tags())
        tags.insert(tag);
    for (uint32_t tag : after.tags())
        tags.insert(tag);
    for (uint32_t tag : tags) {
        for (auto &[key, bytes] : after.records(tag)) {
            const standin::Bytes *old = before.find(tag, key);
            if (old == nullptr || *old != bytes)
                change.added.push_back({tag, {key, bytes}});
        }
        for (auto &[key, bytes] : before.records(tag))
            if (after.find(tag, key) == nullptr)
                change.removed.push_back({tag, key});
    }
    return change;
}

standin::RecordStore applyChange(standin::RecordStore document, const DocumentChange &change) {
    for (const auto &[tag, key] : change.removed)
        document.remove(tag, key);
    for (const auto &[tag, record] : change.added)
        document.put(tag, record.first, record.second);
    return document;
}

} // namespace faults
