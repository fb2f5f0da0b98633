// The state of an open dialog as the report shows it, written the same way by both builds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "strict_json.h"

namespace standin {

// What the report shows of a control beyond enabled and text depends on its class.
enum class ReportedKind { Plain, Button, List, Edit };

// Window class names compare without regard to case.
bool sameClass(const std::string &className, const char *name);
ReportedKind reportedKindOfClass(const std::string &className);

struct ControlState {
    uint32_t id = 0;
    ReportedKind kind = ReportedKind::Plain;
    bool enabled = true;
    std::string text;               // the window text, as bytes
    int32_t checked = 0;            // buttons
    int32_t selected = -1;          // list and combo boxes
    std::vector<std::string> items; // list and combo boxes
    uint32_t selectionStart = 0;    // edits
    uint32_t selectionEnd = 0;      // edits
};

struct DialogState {
    std::optional<uint32_t> focus;      // none when no control of the dialog has the focus
    std::vector<ControlState> controls; // in template order
};

// One dialog of an invocation: its id, the snapshots taken while it was open, its final state.
std::string dialogRecordJson(int32_t id, const std::vector<DialogState> &snapshots,
                             const DialogState &final);

} // namespace standin
