// The state of a model dialog as the report shows it.
#include <algorithm>

#include "dialog_model.h"

namespace standin {

DialogState captureDialogState(const ModelDialog &dialog) {
    DialogState state;
    if (dialog.focus != nullptr)
        state.focus = dialog.focus->id;
    for (const auto &control : dialog.controls) {
        ControlState entry;
        entry.id = control->id;
        entry.kind = reportedKindOfClass(control->className);
        entry.enabled = control->enabled;
        entry.text = windowText(*control);
        entry.checked = control->check;
        entry.selected = control->selected;
        entry.items = control->items;
        entry.selectionStart = std::min(control->selectionStart, control->selectionEnd);
        entry.selectionEnd = std::max(control->selectionStart, control->selectionEnd);
        state.controls.push_back(std::move(entry));
    }
    return state;
}

void endModelDialog(ModelDialog &dialog) {
    dialog.end([&] { return captureDialogState(dialog); });
}

} // namespace standin
