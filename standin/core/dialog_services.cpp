// The host's dialog services, over the Win32 calls both builds have: orvane.exe's are the
// platform's, on real controls; orvane-sim answers them from the dialog model.
#include <map>
#include <windows.h>

#include "dialog_units.h"
#include "host_state.h"
#include "host_windows.h"

using namespace standin;

namespace standin {

std::string windowText(HWND window) {
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    return text;
}

bool DialogRecord::end(const std::function<DialogState()> &readState) {
    if (ended)
        return false;
    finalState = readState();
    ended = true;
    return true;
}

} // namespace standin

namespace {

// The module's template with this id, read once; null when it has none.
const DialogTemplate *moduleDialogTemplate(int32_t id) {
    static std::map<int32_t, std::optional<DialogTemplate>> parsed;
    if (id < 0 || id > 0xFFFF)
        return nullptr;
    auto known = parsed.find(id);
    if (known == parsed.end()) {
        std::optional<DialogTemplate> dialog;
        if (auto bytes = moduleDialogBytes(static_cast<uint16_t>(id)))
            dialog = parseDialogTemplate(*bytes);
        known = parsed.emplace(id, std::move(dialog)).first;
    }
    return known->second ? &*known->second : nullptr;
}

// The control a dialog service acts on; null when the call is made to fail or the dialog has no
// control with the id.
HWND serviceControl(const char *service, HWND dialog, int32_t id) {
    return host().countCallAndCheckFailure(service) ? nullptr : GetDlgItem(dialog, id);
}

void setWindowText(HWND window, const std::string &text) {
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace

extern "C" int32_t WINAPI OX_Dialog(int32_t resourceId, OXDialogProc procedure, HWND owner, int32_t,
                                    int32_t) {
    if (host().countCallAndCheckFailure("OX_Dialog"))
        return 0;
    const DialogTemplate *dialogTemplate = moduleDialogTemplate(resourceId);
    if (dialogTemplate == nullptr || procedure == nullptr)
        return -1;
    // The report lists dialogs in the order they opened.
    auto &records = host().currentInvocation().dialogsJson;
    const size_t slot = records.size();
    records.emplace_back();
    const ShownDialog shown = showModuleDialog(*dialogTemplate, resourceId, procedure, owner);
    host().currentInvocation().dialogsJson[slot] =
        dialogRecordJson(resourceId, shown.record.snapshots, shown.record.finalState);
    return shown.result;
}

extern "C" int32_t WINAPI OX_EndDialog(HWND dialog) {
    if (host().countCallAndCheckFailure("OX_EndDialog"))
        return 0;
    return endModuleDialog(dialog) ? 1 : 0;
}

extern "C" int32_t WINAPI OX_GetDlgItemVal(HWND dialog, int32_t id, int32_t kind) {
    HWND control = serviceControl("OX_GetDlgItemVal", dialog, id);
    if (control == nullptr)
        return 0;
    switch (kind) {
    case kDropDownListValue:
        return static_cast<int32_t>(SendMessageA(control, CB_GETCURSEL, 0, 0)) + 1;
    case kCheckBoxValue:
    case kRadioButtonValue:
        return static_cast<int32_t>(SendMessageA(control, BM_GETCHECK, 0, 0));
    case kEditNumberValue:
        // Signed: a leading minus sign reads as a negative number.
        return static_cast<int32_t>(GetDlgItemInt(dialog, id, nullptr, TRUE));
    default:
        return 0;
    }
}

extern "C" int32_t WINAPI OX_SetDlgItemVal(HWND dialog, int32_t id, int32_t kind, int32_t value) {
    HWND control = serviceControl("OX_SetDlgItemVal", dialog, id);
    if (control == nullptr)
        return 0;
    // Message parameters are 32 bits wide on the platform.
    const uint32_t bits = static_cast<uint32_t>(value);
    switch (kind) {
    case kDropDownListValue:
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(bits - 1u), 0);
        return 1;
    case kCheckBoxValue:
    case kRadioButtonValue:
        SendMessageA(control, BM_SETCHECK, bits, 0);
        return 1;
    case kEditNumberValue:
        setWindowText(control, std::to_string(value));
        return 1;
    default:
        return 0;
    }
}

extern "C" int32_t WINAPI OX_GetDlgItemUser(HWND dialog, int32_t id, int32_t unit, double *orvu) {
    if (host().countCallAndCheckFailure("OX_GetDlgItemUser") || orvu == nullptr)
        return 0;
    HWND control = GetDlgItem(dialog, id);
    // A failure leaves the caller's value as it was.
    if (control == nullptr)
        return 0;
    // Nothing is kept between the two services: the text is read anew each time.
    *orvu = parseUserValue(windowText(control), unit);
    return 1;
}

extern "C" int32_t WINAPI OX_SetDlgItemUser(HWND dialog, int32_t id, int32_t unit, double orvu) {
    HWND control = serviceControl("OX_SetDlgItemUser", dialog, id);
    if (control == nullptr)
        return 0;
    setWindowText(control, formatUserValue(orvu, unit));
    return 1;
}

extern "C" int32_t WINAPI OX_EnableDlgItem(HWND dialog, int32_t id, int32_t enable) {
    HWND control = serviceControl("OX_EnableDlgItem", dialog, id);
    if (control == nullptr)
        return 0;
    EnableWindow(control, enable != 0);
    return 1;
}

extern "C" int32_t WINAPI OX_SetDlgFocus(HWND dialog, int32_t id) {
    HWND control = serviceControl("OX_SetDlgFocus", dialog, id);
    if (control == nullptr)
        return 0;
    // SetFocus, not the dialog manager's WM_NEXTDLGCTL: an edit keeps its selection as it is.
    SetFocus(control);
    return 1;
}
