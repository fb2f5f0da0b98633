// The scripted user of the dialog model: each step acts on the open dialog as a person would.
#include "core/host_state.h"
#include "core/script.h"
#include "dialog_model.h"

namespace standin {

namespace {

bool isPushButton(const ModelControl &control, uint32_t type) {
    return control.kind == ControlClass::Button && (control.style & BS_TYPEMASK) == type;
}

bool clickable(const ModelControl &control) {
    // A group box lets clicks through to what lies behind it.
    return control.kind == ControlClass::Button && !isPushButton(control, BS_GROUPBOX);
}

// The person selects all of the edit's text and types over it, character by character.
void typeInto(ModelControl &edit, const std::string &text) {
    setFocus(*edit.dialog, &edit);
    controlMessage(edit, EM_SETSEL, 0, -1);
    if (text.empty())
        controlMessage(edit, WM_CHAR, VK_BACK, 0);
    for (char typed : text)
        controlMessage(edit, WM_CHAR, static_cast<unsigned char>(typed), 0);
}

bool pickItem(ModelControl &list, const std::string &text) {
    int32_t index = -1;
    for (size_t at = 0; at < list.items.size() && index < 0; ++at)
        if (list.items[at] == text)
            index = static_cast<int32_t>(at);
    if (index < 0)
        return false;
    setFocus(*list.dialog, &list);
    if (list.kind == ControlClass::ListBox) {
        controlMessage(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        if ((list.style & LBS_NOTIFY) != 0)
            notifyParent(list, LBN_SELCHANGE);
    } else {
        controlMessage(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        notifyParent(list, CBN_SELCHANGE);
    }
    return true;
}

void sendCommand(ModelDialog &dialog, uint32_t id, ModelControl *control) {
    callProcedure(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                  control == nullptr ? 0 : reinterpret_cast<LPARAM>(&control->window));
}

// Enter: a focused default push button, else the dialog's default button when it is enabled,
// else IDOK.
void pressEnter(ModelDialog &dialog) {
    if (dialog.focus != nullptr && isPushButton(*dialog.focus, BS_DEFPUSHBUTTON)) {
        sendCommand(dialog, dialog.focus->id, dialog.focus);
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

// Esc is IDCANCEL, whether or not the dialog has such a button.
void pressEscape(ModelDialog &dialog) {
    sendCommand(dialog, IDCANCEL, controlById(dialog, IDCANCEL));
}

// False when the step is to be listed as skipped.
bool perform(ModelDialog &dialog, const ScriptStep &step) {
    switch (step.action) {
    case StepAction::Answer:
        host().pendingAnswers.push_back(step.argument);
        return true;
    case StepAction::Snapshot:
        dialog.snapshots.push_back(captureDialogState(dialog));
        return true;
    case StepAction::Key:
        if (step.argument == "enter")
            pressEnter(dialog);
        else
            pressEscape(dialog);
        return true;
    default:
        break;
    }
    ModelControl *control = controlById(dialog, static_cast<uint32_t>(step.control));
    // A person cannot reach a control that is missing, hidden or greyed.
    if (control == nullptr || !control->enabled || (control->style & WS_VISIBLE) == 0)
        return false;
    switch (step.action) {
    case StepAction::Click:
        if (!clickable(*control))
            return false;
        controlMessage(*control, BM_CLICK, 0, 0);
        return true;
    case StepAction::Type:
        if (control->kind != ControlClass::Edit)
            return false;
        typeInto(*control, step.argument);
        return true;
    case StepAction::Pick:
        if (control->kind != ControlClass::ListBox && control->kind != ControlClass::ComboBox)
            return false;
        return pickItem(*control, step.argument);
    case StepAction::Spin:
        if (control->kind != ControlClass::UpDown)
            return false;
        clickUpDownArrow(*control, step.argument == "up");
        return true;
    default:
        return false;
    }
}

bool clickIfEnabled(ModelDialog &dialog, uint32_t id) {
    ModelControl *button = controlById(dialog, id);
    if (button == nullptr || !clickable(*button) || !button->enabled)
        return false;
    controlMessage(*button, BM_CLICK, 0, 0);
    return true;
}

} // namespace

void runScriptedUser(ModelDialog &dialog) {
    while (!dialog.ended && !host().pendingSteps.empty()) {
        const std::string text = host().pendingSteps.front();
        host().pendingSteps.pop_front();
        const auto step = parseStep(text);
        if (!step || !perform(dialog, *step))
            host().currentInvocation().skippedSteps.push_back(text);
    }
    if (!dialog.ended && dialog.defaultId != 0)
        clickIfEnabled(dialog, dialog.defaultId);
    if (!dialog.ended && !clickIfEnabled(dialog, IDNO))
        clickIfEnabled(dialog, IDCANCEL);
    // A dialog that will not end is closed by the host.
    endModelDialog(dialog);
}

} // namespace standin
