// The native build's model of a modal dialog and its controls, built from the module's compiled
// dialog templates. The controls behave as the platform's own do as far as the module and the
// scripted user reach them: auto buttons, list and combo boxes, edits, up-downs, focus. The control
// table of tests/controls holds the model to the platform's controls under Wine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

#include <commctrl.h>

#include "core/dialog_state.h"
#include "core/dialog_template.h"
#include "core/host_windows.h"
#include "host/host_services.h"

namespace standin {

// The compiled resource file of the module, embedded at build time.
extern const unsigned char kModuleResourceBytes[];
extern const size_t kModuleResourceSize;

enum class ControlClass { Button, Edit, Static, ListBox, ComboBox, UpDown, Other };

// A single-line edit takes this many characters until the program sets a limit.
constexpr uint32_t kDefaultTextLimit = 30000;

struct ModelDialog;

struct ModelControl {
    HWND__ window{}; // its address is the control's HWND
    ModelDialog *dialog = nullptr;
    uint32_t id = 0;
    ControlClass kind = ControlClass::Other;
    std::string className;
    uint32_t style = 0;
    bool enabled = true;
    std::string text; // the window text; a combo box shows its current item instead
    int32_t check = 0;
    std::vector<std::string> items;
    int32_t selected = -1;
    uint32_t textLimit = kDefaultTextLimit;
    uint32_t selectionStart = 0; // may lie after selectionEnd, as the platform allows
    uint32_t selectionEnd = 0;
    // Up-downs: the platform's default range runs from 100 down to 0.
    int32_t rangeMin = 100;
    int32_t rangeMax = 0;
    int32_t position = 0;
    ModelControl *buddy = nullptr;
};

struct ModelDialog : DialogRecord {
    HWND__ window{};
    int32_t resourceId = 0;
    OXDialogProc procedure = nullptr;
    HWND owner = nullptr;
    std::vector<std::unique_ptr<ModelControl>> controls; // in template order
    ModelControl *focus = nullptr;
    uint32_t defaultId = 0; // the last default push button of the template, 0 when none
};

// Open dialogs, innermost last.
ModelDialog &openModelDialog(const DialogTemplate &dialogTemplate, int32_t resourceId,
                             OXDialogProc procedure, HWND owner);
void closeModelDialog(ModelDialog &dialog);
ModelDialog *dialogOfWindow(HWND window);
ModelControl *controlOfWindow(HWND window);
ModelControl *controlById(ModelDialog &dialog, uint32_t id);

LRESULT callProcedure(ModelDialog &dialog, UINT message, WPARAM wParam, LPARAM lParam);
// WM_COMMAND to the dialog's procedure, as a control notifies its parent.
void notifyParent(ModelControl &control, WORD code);

// What a control does with a message sent to it; 0 for messages its class does not know.
LRESULT controlMessage(ModelControl &control, UINT message, WPARAM wParam, LPARAM lParam);
// The window text as WM_GETTEXT gives it.
std::string windowText(const ModelControl &control);
// One click on an up-down's arrow, from button down to button up.
void clickUpDownArrow(ModelControl &upDown, bool up);

// SetFocus: a disabled control does not take the focus.
void setFocus(ModelDialog &dialog, ModelControl *control);
// EnableWindow: a disabled control loses the focus, which then belongs to no control.
void enableControl(ModelControl &control, bool enable);
// The first visible, enabled control with WS_TABSTOP; else the first visible, enabled one.
ModelControl *firstTabItem(ModelDialog &dialog);
// Enter and Esc as the dialog manager handles them; Tab and the arrow keys are not modelled, since
// no script step presses them.
void pressDialogKey(ModelDialog &dialog, UINT key);
// How the dialog manager gives a control the focus: an edit gets its text selected.
void focusWithSelection(ModelDialog &dialog, ModelControl *control);

DialogState captureDialogState(const ModelDialog &dialog);
// The host's side of ending: the final state is taken before the dialog lets go of the focus.
void endModelDialog(ModelDialog &dialog);

// The scripted user (core/scripted_user.h) on the open dialog until it ends.
void runScriptedUser(ModelDialog &dialog);

} // namespace standin
