// The dialog model as the host's windows (core/host_windows.h), and the Win32 calls the host's
// dialog services make that the model answers.
#include <cerrno>
#include <cstdlib>

#include "dialog_model.h"

namespace standin {

namespace {

// The open dialog that is the window or holds it.
ModelDialog *dialogHolding(HWND window) {
    ModelDialog *dialog = dialogOfWindow(window);
    if (dialog == nullptr)
        if (ModelControl *control = controlOfWindow(window))
            dialog = control->dialog;
    return dialog;
}

} // namespace

std::optional<std::vector<uint8_t>> moduleDialogBytes(uint16_t id) {
    const std::vector<uint8_t> file(kModuleResourceBytes,
                                    kModuleResourceBytes + kModuleResourceSize);
    return findResourceInResFile(file, kDialogResourceType, id);
}

ShownDialog showModuleDialog(const DialogTemplate &dialogTemplate, int32_t resourceId,
                             OXDialogProc procedure, HWND owner) {
    ModelDialog &dialog = openModelDialog(dialogTemplate, resourceId, procedure, owner);
    ModelControl *first = firstTabItem(dialog);
    const LRESULT defaultFocus = callProcedure(
        dialog, WM_INITDIALOG, first == nullptr ? 0 : reinterpret_cast<WPARAM>(&first->window), 0);
    if (defaultFocus != 0 && !dialog.ended)
        focusWithSelection(dialog, firstTabItem(dialog));
    runScriptedUser(dialog);
    ShownDialog shown{1, dialog};
    closeModelDialog(dialog);
    return shown;
}

bool endModuleDialog(HWND window) {
    ModelDialog *dialog = dialogOfWindow(window);
    if (dialog == nullptr)
        return false;
    endModelDialog(*dialog);
    return true;
}

std::string dialogOwnerName(HWND window) {
    ModelDialog *dialog = dialogHolding(window);
    return dialog == nullptr ? "unknown" : std::to_string(dialog->resourceId);
}

// When a box closes, the dialog manager hands the focus back to the control that had it, or to
// the first tab stop when none had.
void restoreFocusAfterBox(HWND owner) {
    ModelDialog *dialog = dialogHolding(owner);
    if (dialog != nullptr && dialog->focus == nullptr && !dialog->ended)
        focusWithSelection(*dialog, firstTabItem(*dialog));
}

} // namespace standin

using namespace standin;

// The platform's signed GetDlgItemInt: spaces, a sign and digits, whatever follows; 0 when no
// digit comes first or the number does not fit in 32 bits.
extern "C" UINT WINAPI GetDlgItemInt(HWND dialog, int id, BOOL *translated, BOOL) {
    ModelControl *control = controlOfWindow(GetDlgItem(dialog, id));
    const std::string text =
        control == nullptr ? std::string() : windowText(*control).substr(0, 29);
    char *end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    const bool read =
        end != text.c_str() && errno != ERANGE && value < INT32_MAX && value > INT32_MIN;
    if (translated != nullptr)
        *translated = read ? TRUE : FALSE;
    return read ? static_cast<UINT>(static_cast<int32_t>(value)) : 0;
}

extern "C" BOOL WINAPI EnableWindow(HWND window, BOOL enable) {
    ModelControl *control = controlOfWindow(window);
    if (control == nullptr)
        return FALSE;
    const bool wasDisabled = !control->enabled;
    enableControl(*control, enable != FALSE);
    return wasDisabled ? TRUE : FALSE;
}

extern "C" HWND WINAPI SetFocus(HWND window) {
    ModelControl *control = controlOfWindow(window);
    if (control == nullptr)
        return nullptr;
    ModelControl *previous = control->dialog->focus;
    setFocus(*control->dialog, control);
    return previous == nullptr ? nullptr : &previous->window;
}
