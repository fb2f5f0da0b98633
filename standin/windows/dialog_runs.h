// The module's dialogs as the Windows build runs them: real modal dialogs made by DialogBoxParamA
// from the module's own templates, its procedures called through the host's dialog procedure,
// and the scripted user acting on the real controls from inside the dialog's modal loop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

#include "core/host_windows.h"

namespace standin {

// One dialog from OX_Dialog until DialogBoxParamA returns.
struct DialogRun : DialogRecord {
    int32_t resourceId = 0;
    OXDialogProc procedure = nullptr;
    const DialogTemplate *dialogTemplate = nullptr;
    HWND window = nullptr;      // known from the first message the dialog gets
    int holdTicks = 0;          // of the timer that holds it for its picture
    DialogRun *outer = nullptr; // the dialog this one was opened from, if any
};

// The module whose dialog resources OX_Dialog runs; set once it is loaded.
void setDialogModule(HMODULE module);

std::string windowClass(HWND window);
// Item texts of a list box (LB_ messages) or of a combo box (CB_ messages).
std::vector<std::string> itemTexts(HWND list, bool combo);

// The dialog's state read from its real controls, in template order.
DialogState readDialogState(const DialogRun &run);
// Takes the final state (before the dialog lets go of the focus) and ends the modal loop.
void endDialogRun(DialogRun &run);

// The message that asks the host's dialog procedure for the scripted user's next step.
constexpr UINT kNextStepMessage = WM_APP + 0x2A1;
// One step of the scripted user; when the steps have run out, the default button, then "&No" or
// "Cancel", and at last the host's own close.
void performNextStep(DialogRun &run);

} // namespace standin
