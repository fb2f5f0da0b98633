// Runs the module's dialogs on the native dialog model with a scripted user, and reads back what
// the host recorded: the module's answer, the dialogs' states, the message boxes.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/host_state.h"
#include "dialogs/final_layout_warning.h"
#include "dialogs/settings_dialog.h"
#include "dividers/divider_templates.h"
#include "document_builder.h"
#include "native/windows_api.h"
#include "script_steps.h"

namespace dialogtest {

using Json = nlohmann::ordered_json;
using namespace scriptstep;

// A control in a dialog's snapshot or final state, by its resource id.
inline const Json &controlOf(const Json &dialogState, int id) {
    return dialogState["controls"][std::to_string(id)];
}

// A fresh host whose document has pages 1 to pageCount; a unit of 0 means no options record.
inline void freshDocument(int16_t pageCount, int16_t measurementUnit = 0) {
    standin::resetHost();
    for (int16_t page = 1; page <= pageCount; ++page)
        docbuild::putPage(page, page);
    if (measurementUnit != 0)
        docbuild::putDocumentOptions(measurementUnit);
    buildDividerTemplates();
}

struct Outcome {
    int32_t result = 0;
    std::vector<Json> dialogs;
    std::vector<standin::MessageRecord> messages;
    std::vector<std::string> skippedSteps;

    // The final state of the last dialog shown.
    const Json & final() const { return dialogs.back()["final"]; }
    const Json &control(int id) const { return controlOf(final(), id); }
    const Json &snapshot(size_t index) const { return dialogs.back()["snapshots"][index]; }
    std::string text(int id) const { return control(id)["text"].get<std::string>(); }
};

inline Outcome finish(int32_t result) {
    standin::finishInvocation(result);
    const standin::InvocationRecord &record = standin::host().invocations.back();
    Outcome outcome;
    outcome.result = record.result;
    for (const auto &text : record.dialogsJson)
        outcome.dialogs.push_back(Json::parse(text));
    outcome.messages = record.messages;
    outcome.skippedSteps = record.skippedSteps;
    return outcome;
}

inline Outcome runSettings(DividerSettings &settings, const std::vector<std::string> &steps) {
    standin::beginInvocation(steps);
    return finish(runSettingsDialog(standin::hostMainWindow(), &settings));
}

inline Outcome runWarning(int16_t &flag, const std::vector<std::string> &steps) {
    standin::beginInvocation(steps);
    return finish(runFinalLayoutWarning(standin::hostMainWindow(), &flag));
}

inline int64_t calls(const char *service) {
    const auto &counts = standin::host().callCounts;
    const auto found = counts.find(service);
    return found == counts.end() ? 0 : found->second;
}

inline std::vector<int> selection(const Json &control) {
    return control["editSelection"].get<std::vector<int>>();
}

} // namespace dialogtest
