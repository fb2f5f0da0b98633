// The host's control services on the real controls of an open dialog.
#include <string>

#include "core/dialog_units.h"
#include "core/host_state.h"
#include "host/host_services.h"

using standin::host;

namespace {

std::string controlText(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

} // namespace

extern "C" int32_t WINAPI OX_GetDlgItemVal(HWND dialog, int32_t id, int32_t kind) {
    if (host().countCallAndCheckFailure("OX_GetDlgItemVal"))
        return 0;
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr)
        return 0;
    switch (kind) {
    case kDropDownListValue:
        return static_cast<int32_t>(SendMessageA(control, CB_GETCURSEL, 0, 0)) + 1;
    case kCheckBoxValue:
    case kRadioButtonValue:
        return static_cast<int32_t>(IsDlgButtonChecked(dialog, id));
    case kEditNumberValue:
        // Signed: a leading minus sign reads as a negative number.
        return static_cast<int32_t>(GetDlgItemInt(dialog, id, nullptr, TRUE));
    default:
        return 0;
    }
}

extern "C" int32_t WINAPI OX_SetDlgItemVal(HWND dialog, int32_t id, int32_t kind, int32_t value) {
    if (host().countCallAndCheckFailure("OX_SetDlgItemVal"))
        return 0;
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr)
        return 0;
    const uint32_t bits = static_cast<uint32_t>(value);
    switch (kind) {
    case kDropDownListValue:
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(bits - 1u), 0);
        return 1;
    case kCheckBoxValue:
    case kRadioButtonValue:
        CheckDlgButton(dialog, id, bits);
        return 1;
    case kEditNumberValue:
        SetDlgItemInt(dialog, id, bits, TRUE);
        return 1;
    default:
        return 0;
    }
}

extern "C" int32_t WINAPI OX_GetDlgItemUser(HWND dialog, int32_t id, int32_t unit, double *orvu) {
    if (host().countCallAndCheckFailure("OX_GetDlgItemUser") || orvu == nullptr)
        return 0;
    HWND control = GetDlgItem(dialog, id);
    // Nothing is kept between the two services: the text is read anew each time.
    *orvu = control == nullptr ? 0.0 : standin::parseUserValue(controlText(control), unit);
    return control == nullptr ? 0 : 1;
}

extern "C" int32_t WINAPI OX_SetDlgItemUser(HWND dialog, int32_t id, int32_t unit, double orvu) {
    if (host().countCallAndCheckFailure("OX_SetDlgItemUser"))
        return 0;
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr)
        return 0;
    SetWindowTextA(control, standin::formatUserValue(orvu, unit).c_str());
    return 1;
}

extern "C" int32_t WINAPI OX_EnableDlgItem(HWND dialog, int32_t id, int32_t enable) {
    if (host().countCallAndCheckFailure("OX_EnableDlgItem"))
        return 0;
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr)
        return 0;
    EnableWindow(control, enable != 0);
    return 1;
}

extern "C" int32_t WINAPI OX_SetDlgFocus(HWND dialog, int32_t id) {
    if (host().countCallAndCheckFailure("OX_SetDlgFocus"))
        return 0;
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr)
        return 0;
    // SetFocus, not the dialog manager's WM_NEXTDLGCTL: an edit keeps its selection as it is.
    SetFocus(control);
    return 1;
}
