#include "dialog_state.h"

#include <cstring>
#include <string>

namespace standin {

namespace {

Json dialogStateJson(const DialogState &state) {
    Json controls = Json::object();
    for (const auto &control : state.controls) {
        Json entry = Json::object();
        entry["enabled"] = control.enabled;
        entry["text"] = utf8FromBytes(control.text);
        switch (control.kind) {
        case ReportedKind::Button:
            entry["checked"] = control.checked;
            break;
        case ReportedKind::List: {
            entry["selected"] = control.selected;
            Json items = Json::array();
            for (const auto &item : control.items)
                items.push_back(utf8FromBytes(item));
            entry["items"] = std::move(items);
            break;
        }
        case ReportedKind::Edit:
            entry["editSelection"] = Json::array({control.selectionStart, control.selectionEnd});
            break;
        case ReportedKind::Plain:
            break;
        }
        controls[std::to_string(control.id)] = std::move(entry);
    }
    Json result = Json::object();
    result["focus"] = state.focus ? Json(*state.focus) : Json(nullptr);
    result["controls"] = std::move(controls);
    return result;
}

} // namespace

bool sameClass(const std::string &className, const char *name) {
    return strcasecmp(className.c_str(), name) == 0;
}

ReportedKind reportedKindOfClass(const std::string &className) {
    if (sameClass(className, "BUTTON"))
        return ReportedKind::Button;
    if (sameClass(className, "LISTBOX") || sameClass(className, "COMBOBOX"))
        return ReportedKind::List;
    if (sameClass(className, "EDIT"))
        return ReportedKind::Edit;
    return ReportedKind::Plain;
}

std::string dialogRecordJson(int32_t id, const std::vector<DialogState> &snapshots,
                             const DialogState &final) {
    Json shots = Json::array();
    for (const auto &snapshot : snapshots)
        shots.push_back(dialogStateJson(snapshot));
    Json record = Json::object();
    record["id"] = id;
    record["snapshots"] = std::move(shots);
    record["final"] = dialogStateJson(final);
    return record.dump();
}

} // namespace standin
