// The scripted user on real controls. Each step runs from the dialog's own modal loop, when the
// host's dialog procedure gets the next-step message, and does what a person's input does: clicks
// reach the controls as mouse messages, keys go through the dialog manager.
#include <windows.h>

#include <commctrl.h>

#include "core/host_state.h"
#include "core/script.h"
#include "dialog_runs.h"

namespace standin {

namespace {

bool isClass(HWND window, const char *name) {
    char actual[64] = {};
    GetClassNameA(window, actual, sizeof actual);
    return lstrcmpiA(actual, name) == 0;
}

bool isEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

bool isVisibleStyle(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// Buttons take clicks; a group box lets them through to what lies behind it.
bool clickable(HWND window) {
    return isClass(window, "Button") &&
           (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
}

LPARAM atPoint(LONG x, LONG y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Button down and up at a point of the window's client area.
void mouseClick(HWND window, LONG x, LONG y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, atPoint(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, atPoint(x, y));
}

// The person puts the caret in the edit, selects its whole text and types over it. Typing
// nothing is a press of Backspace on the selection.
void typeInto(HWND edit, const std::string &text) {
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty())
        SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    for (char typed : text)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(typed), 1);
}

int findItem(HWND list, bool combo, const std::string &text) {
    const LRESULT count = SendMessageA(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length =
            SendMessageA(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
        if (length < 0 || static_cast<size_t>(length) != text.size())
            continue;
        std::string item(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(list, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                     reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(length));
        if (item == text)
            return static_cast<int>(index);
    }
    return -1;
}

// A list box item is clicked where it shows, after scrolling it into view; the list box takes
// the focus, selects it and tells its parent. A drop-down list's item is chosen and the combo box
// tells its parent the selection changed.
bool pickItem(HWND list, const std::string &text) {
    const bool combo = isClass(list, "ComboBox");
    const int index = findItem(list, combo, text);
    if (index < 0)
        return false;
    if (combo) {
        SetFocus(list);
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        return true;
    }
    RECT client = {}, item = {};
    GetClientRect(list, &client);
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    if (item.top < client.top || item.bottom > client.bottom) {
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    }
    mouseClick(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    return true;
}

// One click in the middle of the up or down arrow (right or left on a horizontal up-down): the
// up-down control itself proposes the change to its parent (UDN_DELTAPOS), moves, and writes its
// buddy when it is set to.
void clickArrow(HWND upDown, bool up) {
    RECT client = {};
    GetClientRect(upDown, &client);
    const LONG middleX = (client.left + client.right) / 2;
    const LONG middleY = (client.top + client.bottom) / 2;
    if ((GetWindowLongA(upDown, GWL_STYLE) & UDS_HORZ) != 0) {
        const LONG quarter = (client.right - client.left) / 4;
        mouseClick(upDown, up ? client.right - 1 - quarter : client.left + quarter, middleY);
        return;
    }
    const LONG quarter = (client.bottom - client.top) / 4;
    mouseClick(upDown, middleX, up ? client.top + quarter : client.bottom - 1 - quarter);
}

// A key pressed while the dialog is active: the dialog manager sees it first, as in the loop.
void pressKey(HWND dialog, UINT key) {
    HWND focus = GetFocus();
    MSG message = {};
    message.hwnd = focus != nullptr && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
    message.message = WM_KEYDOWN;
    message.wParam = key;
    message.lParam = 1 | (static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16);
    message.time = GetTickCount();
    if (!IsDialogMessageA(dialog, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// False when the step is to be listed as skipped.
bool perform(DialogRun &run, const ScriptStep &step) {
    switch (step.action) {
    case StepAction::Answer:
        host().pendingAnswers.push_back(step.argument);
        return true;
    case StepAction::Snapshot:
        run.snapshots.push_back(readDialogState(run));
        return true;
    case StepAction::Key:
        pressKey(run.window, step.argument == "enter" ? VK_RETURN : VK_ESCAPE);
        return true;
    default:
        break;
    }
    HWND control = GetDlgItem(run.window, step.control);
    // A person cannot reach a control that is missing, hidden or greyed.
    if (control == nullptr || !isEnabled(control) || !isVisibleStyle(control))
        return false;
    switch (step.action) {
    case StepAction::Click:
        if (!clickable(control))
            return false;
        SendMessageA(control, BM_CLICK, 0, 0);
        return true;
    case StepAction::Type:
        if (!isClass(control, "Edit"))
            return false;
        typeInto(control, step.argument);
        return true;
    case StepAction::Pick:
        if (!isClass(control, "ListBox") && !isClass(control, "ComboBox"))
            return false;
        return pickItem(control, step.argument);
    case StepAction::Spin:
        if (!isClass(control, UPDOWN_CLASSA))
            return false;
        clickArrow(control, step.argument == "up");
        return true;
    default:
        return false;
    }
}

bool clickIfEnabled(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr || !clickable(button) || !isEnabled(button))
        return false;
    SendMessageA(button, BM_CLICK, 0, 0);
    return true;
}

// The person closes the dialog: its default button once, then "&No" or "Cancel"; a dialog that
// will not end even then is closed by the host.
void closeDialog(DialogRun &run) {
    const LRESULT defaultId = SendMessageA(run.window, DM_GETDEFID, 0, 0);
    if (!run.ended && HIWORD(defaultId) == DC_HASDEFID)
        clickIfEnabled(run.window, LOWORD(defaultId));
    if (!run.ended && !clickIfEnabled(run.window, IDNO))
        clickIfEnabled(run.window, IDCANCEL);
    endDialogRun(run);
}

} // namespace

void performNextStep(DialogRun &run) {
    if (run.ended)
        return;
    if (host().pendingSteps.empty()) {
        closeDialog(run);
        return;
    }
    const std::string text = host().pendingSteps.front();
    host().pendingSteps.pop_front();
    const auto step = parseStep(text);
    if (!step || !perform(run, *step))
        host().currentInvocation().skippedSteps.push_back(text);
}

} // namespace standin
