#include "report.h"

#include "strict_json.h"

namespace standin {

const char *const kHostServiceNames[13] = {
    "OX_LoadEData",     "OX_NextEData",      "OX_CreateEData",    "OX_DeleteEData",
    "OX_UpdateLayout",  "OX_Dialog",         "OX_EndDialog",      "OX_GetDlgItemVal",
    "OX_SetDlgItemVal", "OX_GetDlgItemUser", "OX_SetDlgItemUser", "OX_EnableDlgItem",
    "OX_SetDlgFocus"};

namespace {

// A dialog owns a message by its id, the host window by the word "host".
Json ownerOf(const std::string &owner) {
    const bool isId = !owner.empty() && owner.size() <= 9 &&
                      owner.find_first_not_of("0123456789") == std::string::npos;
    return isId ? Json(std::stol(owner)) : Json(utf8FromBytes(owner));
}

// A dialog's JSON as the dialog model wrote it; text that does not parse is kept as a string
// so that the fault shows in the report.
Json dialogOf(const std::string &text) {
    Json dialog = Json::parse(text, nullptr, false);
    return dialog.is_discarded() ? Json(utf8FromBytes(text)) : dialog;
}

Json invocationOf(const InvocationRecord &invocation) {
    Json dialogs = Json::array();
    for (const auto &dialog : invocation.dialogsJson)
        dialogs.push_back(dialogOf(dialog));
    Json messages = Json::array();
    for (const auto &message : invocation.messages)
        messages.push_back(Json{{"caption", utf8FromBytes(message.caption)},
                                {"text", utf8FromBytes(message.text)},
                                {"style", message.style},
                                {"owner", ownerOf(message.owner)},
                                {"answer", message.answer}});
    Json skipped = Json::array();
    for (const auto &step : invocation.skippedSteps)
        skipped.push_back(utf8FromBytes(step));
    Json result = Json::object();
    result["result"] = invocation.result;
    result["dialogs"] = std::move(dialogs);
    result["messages"] = std::move(messages);
    result["updateLayoutCalls"] = invocation.layoutUpdates.size();
    result["skippedSteps"] = std::move(skipped);
    return result;
}

} // namespace

std::string reportJson(const EntryAnswers &answers, const Host &host) {
    Json commands = Json::array();
    for (const auto &command : answers.commands)
        commands.push_back(Json{{"menuText", utf8FromBytes(command.menuText)},
                                {"description", utf8FromBytes(command.description)},
                                {"shortName", utf8FromBytes(command.shortName)}});
    Json invocations = Json::array();
    for (const auto &invocation : host.invocations)
        invocations.push_back(invocationOf(invocation));
    Json calls = Json::object();
    for (const char *service : kHostServiceNames) {
        auto count = host.callCounts.find(service);
        calls[service] = count == host.callCounts.end() ? 0 : count->second;
    }
    Json report = Json::object();
    report["version"] = answers.version;
    report["init"] = answers.init;
    report["commands"] = std::move(commands);
    report["menuStatus"] = answers.menuStatus;
    report["invocations"] = std::move(invocations);
    report["hostCalls"] = std::move(calls);
    // Counted in every run, reported where allocations were made to fail.
    if (host.allocations.firstFailing != 0)
        report["allocations"] = host.allocations.count;
    report["terminated"] = answers.terminated;
    return dumpJson(report);
}

} // namespace standin
