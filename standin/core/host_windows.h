// What each build provides of the host's windows: its main window and the module's dialogs, the
// dialog model's in orvane-sim, real ones in orvane.exe. The host's services use them
// (core/dialog_services.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

#include "dialog_state.h"
#include "dialog_template.h"
#include "host/host_services.h"

namespace standin {

// The host's main window, owner of every invocation.
HWND hostMainWindow();
// Whether the build loads the module as a DLL, so that other DLLs can be loaded before it.
bool hostLoadsDlls();

// The bytes of the module's dialog template with this id; nothing when it has none.
std::optional<std::vector<uint8_t>> moduleDialogBytes(uint16_t id);

// What the report keeps of an open module dialog.
struct DialogRecord {
    bool ended = false; // the module or the host ended it: its modal loop is leaving
    std::vector<DialogState> snapshots;
    DialogState finalState;
    // Ends the dialog once, its final state read before it lets go of the focus; false when it
    // had ended already.
    bool end(const std::function<DialogState()> &readState);
};

struct ShownDialog {
    int32_t result = 1; // what OX_Dialog answers: 1, or -1 when the dialog could not be made
    DialogRecord record;
};
// Shows the dialog modally with the scripted user acting in it.
ShownDialog showModuleDialog(const DialogTemplate &dialogTemplate, int32_t resourceId,
                             OXDialogProc procedure, HWND owner);
// Ends the open dialog whose window this is; false when no open dialog has it.
bool endModuleDialog(HWND dialog);
// The id of the open dialog that is the window or holds it; "unknown" when none.
std::string dialogOwnerName(HWND window);

// Both builds share these.

// The window text as WM_GETTEXT gives it.
std::string windowText(HWND window);
// A message box of the module as the host records it for the report. `show` is given the button
// the scripted user presses, shows the box and answers the button pressed.
int recordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style,
                     const std::function<int(int button)> &show);

} // namespace standin
