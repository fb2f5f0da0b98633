// The host's dialog services of the native build, on the dialog model.
#include <cerrno>
#include <cstdlib>

#include "core/dialog_units.h"
#include "core/host_state.h"
#include "dialog_model.h"
#include "windows_api.h"

using namespace standin;

namespace {

ModelControl *itemOf(HWND dialogWindow, int32_t id) {
    ModelDialog *dialog = dialogOfWindow(dialogWindow);
    return dialog == nullptr ? nullptr : controlById(*dialog, static_cast<uint32_t>(id));
}

// The platform's signed GetDlgItemInt: spaces, a sign and digits, whatever follows; 0 when no
// digit comes first or the number does not fit in 32 bits.
int32_t dialogItemInt(const ModelControl &control) {
    const std::string text = windowText(control).substr(0, 29);
    char *end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || errno == ERANGE || value >= INT32_MAX || value <= INT32_MIN)
        return 0;
    return static_cast<int32_t>(value);
}

// Names a message box's owner; the box also hands the focus back as the dialog manager does when
// it closes: to the control that had it, or to the first tab stop when none had.
std::string ownerOfMessageBox(HWND owner) {
    ModelDialog *dialog = dialogOfWindow(owner);
    if (dialog == nullptr)
        if (ModelControl *control = controlOfWindow(owner))
            dialog = control->dialog;
    if (dialog == nullptr)
        return "unknown";
    if (dialog->focus == nullptr && !dialog->ended)
        focusWithSelection(*dialog, firstTabItem(*dialog));
    return std::to_string(dialog->resourceId);
}

} // namespace

extern "C" int32_t WINAPI OX_Dialog(int32_t resourceId, OXDialogProc procedure, HWND owner, int32_t,
                                    int32_t) {
    if (host().countCallAndCheckFailure("OX_Dialog"))
        return 0;
    const DialogTemplate *dialogTemplate = moduleDialogTemplate(resourceId);
    if (dialogTemplate == nullptr || procedure == nullptr)
        return -1;
    standin::dialogOwnerName = ownerOfMessageBox;
    // The report lists dialogs in the order they opened.
    auto &records = host().currentInvocation().dialogsJson;
    const size_t slot = records.size();
    records.emplace_back();
    ModelDialog &dialog = openModelDialog(*dialogTemplate, resourceId, procedure, owner);
    ModelControl *first = firstTabItem(dialog);
    const LRESULT defaultFocus = callProcedure(
        dialog, WM_INITDIALOG, first == nullptr ? 0 : reinterpret_cast<WPARAM>(&first->window), 0);
    if (defaultFocus != 0 && !dialog.ended)
        focusWithSelection(dialog, firstTabItem(dialog));
    runScriptedUser(dialog);
    host().currentInvocation().dialogsJson[slot] =
        dialogRecordJson(resourceId, dialog.snapshots, dialog.finalState);
    closeModelDialog(dialog);
    return 1;
}

extern "C" int32_t WINAPI OX_EndDialog(HWND dialogWindow) {
    if (host().countCallAndCheckFailure("OX_EndDialog"))
        return 0;
    ModelDialog *dialog = dialogOfWindow(dialogWindow);
    if (dialog == nullptr)
        return 0;
    endModelDialog(*dialog);
    return 1;
}

extern "C" int32_t WINAPI OX_GetDlgItemVal(HWND dialog, int32_t id, int32_t kind) {
    if (host().countCallAndCheckFailure("OX_GetDlgItemVal"))
        return 0;
    ModelControl *control = itemOf(dialog, id);
    if (control == nullptr)
        return 0;
    switch (kind) {
    case kDropDownListValue:
        return static_cast<int32_t>(controlMessage(*control, CB_GETCURSEL, 0, 0)) + 1;
    case kCheckBoxValue:
    case kRadioButtonValue:
        return static_cast<int32_t>(controlMessage(*control, BM_GETCHECK, 0, 0));
    case kEditNumberValue:
        return dialogItemInt(*control);
    default:
        return 0;
    }
}

extern "C" int32_t WINAPI OX_SetDlgItemVal(HWND dialog, int32_t id, int32_t kind, int32_t value) {
    if (host().countCallAndCheckFailure("OX_SetDlgItemVal"))
        return 0;
    ModelControl *control = itemOf(dialog, id);
    if (control == nullptr)
        return 0;
    // Message parameters are 32 bits wide on the platform.
    const uint32_t bits = static_cast<uint32_t>(value);
    switch (kind) {
    case kDropDownListValue:
        controlMessage(*control, CB_SETCURSEL, static_cast<uint32_t>(bits - 1u), 0);
        break;
    case kCheckBoxValue:
    case kRadioButtonValue:
        controlMessage(*control, BM_SETCHECK, bits, 0);
        break;
    case kEditNumberValue: {
        const std::string text = std::to_string(value);
        controlMessage(*control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        break;
    }
    default:
        return 0;
    }
    return 1;
}

extern "C" int32_t WINAPI OX_GetDlgItemUser(HWND dialog, int32_t id, int32_t unit, double *orvu) {
    if (host().countCallAndCheckFailure("OX_GetDlgItemUser") || orvu == nullptr)
        return 0;
    ModelControl *control = itemOf(dialog, id);
    *orvu = control == nullptr ? 0.0 : parseUserValue(windowText(*control), unit);
    return control == nullptr ? 0 : 1;
}

extern "C" int32_t WINAPI OX_SetDlgItemUser(HWND dialog, int32_t id, int32_t unit, double orvu) {
    if (host().countCallAndCheckFailure("OX_SetDlgItemUser"))
        return 0;
    ModelControl *control = itemOf(dialog, id);
    if (control == nullptr)
        return 0;
    const std::string text = formatUserValue(orvu, unit);
    controlMessage(*control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return 1;
}

extern "C" int32_t WINAPI OX_EnableDlgItem(HWND dialog, int32_t id, int32_t enable) {
    if (host().countCallAndCheckFailure("OX_EnableDlgItem"))
        return 0;
    ModelControl *control = itemOf(dialog, id);
    if (control == nullptr)
        return 0;
    enableControl(*control, enable != 0);
    return 1;
}

extern "C" int32_t WINAPI OX_SetDlgFocus(HWND dialog, int32_t id) {
    if (host().countCallAndCheckFailure("OX_SetDlgFocus"))
        return 0;
    ModelControl *control = itemOf(dialog, id);
    if (control == nullptr)
        return 0;
    setFocus(*control->dialog, control);
    return 1;
}
