// The dialog manager of the dialog model: focus, enabled state and the keys it handles itself.
#include "dialog_model.h"

namespace standin {

namespace {

bool takesFocus(const ModelControl &control) {
    return (control.style & WS_VISIBLE) != 0 && control.enabled;
}

void sendCommand(ModelDialog &dialog, uint32_t id, ModelControl *control) {
    callProcedure(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                  control == nullptr ? 0 : reinterpret_cast<LPARAM>(&control->window));
}

// Enter: a focused default push button, else the dialog's default button when it is enabled,
// else IDOK.
void pressEnter(ModelDialog &dialog) {
    ModelControl *focus = dialog.focus;
    if (focus != nullptr && focus->kind == ControlClass::Button &&
        (focus->style & BS_TYPEMASK) == static_cast<uint32_t>(BS_DEFPUSHBUTTON)) {
        sendCommand(dialog, focus->id, focus);
        return;
    }
    if (dialog.defaultId != 0) {
        ModelControl *button = controlById(dialog, dialog.defaultId);
        if (button == nullptr || button->enabled)
            sendCommand(dialog, dialog.defaultId, button);
        return;
    }
    sendCommand(dialog, IDOK, controlById(dialog, IDOK));
}

} // namespace

void pressDialogKey(ModelDialog &dialog, UINT key) {
    if (key == VK_RETURN)
        pressEnter(dialog);
    // Esc is IDCANCEL, whether or not the dialog has such a button.
    else if (key == VK_ESCAPE)
        sendCommand(dialog, IDCANCEL, controlById(dialog, IDCANCEL));
}

void setFocus(ModelDialog &dialog, ModelControl *control) {
    if (control != nullptr && !control->enabled)
        return;
    dialog.focus = control;
}

void enableControl(ModelControl &control, bool enable) {
    control.enabled = enable;
    if (!enable && control.dialog->focus == &control)
        control.dialog->focus = nullptr;
}

ModelControl *firstTabItem(ModelDialog &dialog) {
    for (const auto &control : dialog.controls)
        if (takesFocus(*control) && (control->style & WS_TABSTOP) != 0)
            return control.get();
    for (const auto &control : dialog.controls)
        if (takesFocus(*control))
            return control.get();
    return nullptr;
}

void focusWithSelection(ModelDialog &dialog, ModelControl *control) {
    if (control == nullptr)
        return;
    if (control->kind == ControlClass::Edit)
        controlMessage(*control, EM_SETSEL, 0, -1);
    setFocus(dialog, control);
}

} // namespace standin
