// The behaviour of the dialog controls as one table of cases, run on the native build's dialog
// model and on the platform's own controls under Wine. A case opens one of the module's dialogs,
// sets it up as a dialog procedure would, takes its steps and compares what the controls told the
// dialog, in order, and the state of the controls it names.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace controls {

enum class Op {
    SetText,          // WM_SETTEXT
    Limit,            // EM_LIMITTEXT a
    Range,            // UDM_SETRANGE, upper a and lower b
    SetCheck,         // BM_SETCHECK a
    ListAdd,          // LB_ADDSTRING; the result is logged
    ListPick,         // LB_SETCURSEL a; the result is logged
    ComboAdd,         // CB_ADDSTRING
    ComboPick,        // CB_SETCURSEL a; the result is logged
    Select,           // EM_SETSEL a, b
    Char,             // WM_CHAR a to the control, wherever the focus is
    Type,             // a person types the text over the edit's whole text (none: Backspace)
    ControlBackspace, // Backspace with Control held down
    Click,            // BM_CLICK
    Spin,             // one click on the up arrow (a = 1) or the down arrow (a = 0)
    Key,              // the key a pressed in the dialog
    Focus,            // SetFocus
    Enable,           // EnableWindow a
};

struct Step {
    Op op;
    int id = 0;
    int a = 0;
    int b = 0;
    const char *text = nullptr; // passed as the message's lParam when given
};

// What the model does instead of the platform, and why it may.
struct ModelDifference {
    const char *reason = nullptr;
    const char *notices = nullptr;
    const char *state = nullptr;
};

// `notices` lists the dialog's WM_COMMAND, UDN_DELTAPOS and scroll notices and the logged results
// of the steps; `state` is a list of probes with their values, as describe() writes them:
//   text(id)=..  sel(id)=start,end  check(id)=n  list(id)=current,count  combo(id)=current,count
//   pos(id)=low,high (UDM_GETPOS)  focus=id
struct ControlCase {
    const char *name;
    int dialog;
    std::vector<Step> setup;
    std::vector<Step> steps;
    const char *notices;
    const char *state;
    ModelDifference model{};
};

const std::vector<ControlCase> &controlCases();

// What each build does for the actions that are not a plain message to a control.
class Driver {
  public:
    virtual ~Driver() = default;
    // Opens the dialog with recordingProcedure behind it, its focus set as the dialog manager sets
    // it.
    virtual HWND open(int dialog) = 0;
    virtual void close(HWND dialog) = 0;
    virtual void spin(HWND upDown, bool up) = 0;
    virtual void key(HWND dialog, UINT key) = 0;
    virtual void focus(HWND control) = 0;
    virtual int focusedId(HWND dialog) = 0; // 0 when no control has the focus
    virtual void enable(HWND control, bool enable) = 0;
    virtual void holdControl(bool down) = 0;
};

// The dialog procedure's work: records the notices and answers WM_INITDIALOG with TRUE.
LRESULT recordMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

struct Outcome {
    std::string notices;
    std::string state;
};

Outcome runCase(Driver &driver, const ControlCase &controlCase);

// How the case's outcome differs from what it expects (the model's own where it documents a
// difference); empty when it does not.
std::string mismatch(Driver &driver, const ControlCase &controlCase, bool model);

} // namespace controls
