#include "scripted_user.h"

#include <windows.h>

#include "dialog_state.h"
#include "host_state.h"
#include "script.h"

namespace standin {

namespace {

enum class Target { Button, Edit, List, UpDown, Other };

Target targetOf(const SeenControl &control) {
    if (sameClass(control.className, "BUTTON"))
        // A group box lets clicks through to what lies behind it.
        return (control.style & BS_TYPEMASK) == BS_GROUPBOX ? Target::Other : Target::Button;
    if (sameClass(control.className, "EDIT"))
        return Target::Edit;
    if (sameClass(control.className, "LISTBOX") || sameClass(control.className, "COMBOBOX"))
        return Target::List;
    if (sameClass(control.className, "msctls_updown32"))
        return Target::UpDown;
    return Target::Other;
}

// False when the step is to be listed as skipped.
bool perform(DialogUser &user, const ScriptStep &step) {
    switch (step.action) {
    case StepAction::Answer:
        host().pendingAnswers.push_back(step.argument);
        return true;
    case StepAction::Snapshot:
        user.snapshot();
        return true;
    case StepAction::Key:
        user.key(step.argument == "enter");
        return true;
    default:
        break;
    }
    const auto control = user.find(step.control);
    // A person cannot reach a control that is missing, hidden or greyed.
    if (!control || !control->enabled || (control->style & WS_VISIBLE) == 0)
        return false;
    const Target target = targetOf(*control);
    switch (step.action) {
    case StepAction::Click:
        if (target != Target::Button)
            return false;
        user.click(step.control);
        return true;
    case StepAction::Type:
        if (target != Target::Edit)
            return false;
        user.type(step.control, step.argument);
        return true;
    case StepAction::Pick:
        return target == Target::List && user.pick(step.control, step.argument);
    case StepAction::Spin:
        if (target != Target::UpDown)
            return false;
        user.spin(step.control, step.argument == "up");
        return true;
    default:
        return false;
    }
}

bool clickIfEnabled(DialogUser &user, int32_t id) {
    const auto button = user.find(id);
    if (!button || targetOf(*button) != Target::Button || !button->enabled)
        return false;
    user.click(id);
    return true;
}

} // namespace

bool performNextStep(DialogUser &user) {
    if (host().pendingSteps.empty())
        return false;
    const std::string text = host().pendingSteps.front();
    host().pendingSteps.pop_front();
    const auto step = parseStep(text);
    if (!step || !perform(user, *step))
        host().currentInvocation().skippedSteps.push_back(text);
    return true;
}

void closeDialog(DialogUser &user) {
    if (!user.ended())
        if (const auto defaultId = user.defaultButton())
            clickIfEnabled(user, *defaultId);
    if (!user.ended() && !clickIfEnabled(user, IDNO))
        clickIfEnabled(user, IDCANCEL);
    user.closeByHost();
}

} // namespace standin
