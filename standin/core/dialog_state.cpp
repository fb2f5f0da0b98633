#include "dialog_state.h"

#include <string>

namespace standin {

namespace {

Json textJson(const std::string &bytes) { return utf8FromBytes(Bytes(bytes.begin(), bytes.end())); }

Json dialogStateJson(const DialogState &state) {
    Json controls = Json::object();
    for (const auto &control : state.controls) {
        Json entry = Json::object();
        entry["enabled"] = control.enabled;
        entry["text"] = textJson(control.text);
        switch (control.kind) {
        case ReportedKind::Button:
            entry["checked"] = control.checked;
            break;
        case ReportedKind::List: {
            entry["selected"] = control.selected;
            Json items = Json::array();
            for (const auto &item : control.items)
                items.push_back(textJson(item));
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
    if (className.size() != std::char_traits<char>::length(name))
        return false;
    for (size_t i = 0; i < className.size(); ++i) {
        const char a = className[i], b = name[i];
        const char lowerA = a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a;
        const char lowerB = b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b;
        if (lowerA != lowerB)
            return false;
    }
    return true;
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
