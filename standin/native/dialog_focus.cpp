// Focus and enabled state in the dialog model.
#include "dialog_model.h"

namespace standin {

namespace {

bool takesFocus(const ModelControl &control) {
    return (control.style & WS_VISIBLE) != 0 && control.enabled;
}

} // namespace

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
