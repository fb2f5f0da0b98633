// The dialog model as the host's windows (core/host_windows.h).
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
