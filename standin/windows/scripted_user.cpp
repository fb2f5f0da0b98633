// The scripted user's actions on real controls. Each step runs from the dialog's own modal loop,
// when the host's dialog procedure gets the next-step message, and does what a person's input does:
// clicks reach the controls as mouse messages, keys go through the dialog manager.
#include <algorithm>
#include <windows.h>

#include <commctrl.h>

#include "core/dialog_state.h"
#include "core/scripted_user.h"
#include "dialog_runs.h"

namespace standin {

namespace {

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

// A list box item is clicked where it shows, after scrolling it into view; the list box takes
// the focus, selects it and tells its parent. A drop-down list's item is chosen and the combo box
// tells its parent the selection changed.
bool pickItem(HWND list, const std::string &text) {
    const bool combo = sameClass(windowClass(list), "COMBOBOX");
    const std::vector<std::string> items = itemTexts(list, combo);
    const auto found = std::find(items.begin(), items.end(), text);
    if (found == items.end())
        return false;
    const int index = static_cast<int>(found - items.begin());
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

class Win32User final : public DialogUser {
  public:
    explicit Win32User(DialogRun &run) : run_(run) {}

    bool ended() const override { return run_.ended; }

    std::optional<SeenControl> find(int32_t id) override {
        HWND control = GetDlgItem(run_.window, id);
        if (control == nullptr)
            return std::nullopt;
        return SeenControl{windowClass(control),
                           static_cast<uint32_t>(GetWindowLongA(control, GWL_STYLE)),
                           IsWindowEnabled(control) != FALSE};
    }

    void click(int32_t id) override { SendMessageA(at(id), BM_CLICK, 0, 0); }
    void type(int32_t id, const std::string &text) override { typeInto(at(id), text); }
    bool pick(int32_t id, const std::string &text) override { return pickItem(at(id), text); }
    void spin(int32_t id, bool up) override { clickArrow(at(id), up); }
    void key(bool enter) override { pressKey(run_.window, enter ? VK_RETURN : VK_ESCAPE); }
    void snapshot() override { run_.snapshots.push_back(readDialogState(run_)); }

    std::optional<int32_t> defaultButton() override {
        const LRESULT defaultId = SendMessageA(run_.window, DM_GETDEFID, 0, 0);
        if (HIWORD(defaultId) != DC_HASDEFID)
            return std::nullopt;
        return LOWORD(defaultId);
    }

    void closeByHost() override { endDialogRun(run_); }

  private:
    HWND at(int32_t id) { return GetDlgItem(run_.window, id); }

    DialogRun &run_;
};

} // namespace

void performNextStep(DialogRun &run) {
    Win32User user(run);
    if (!run.ended && !standin::performNextStep(user))
        closeDialog(user);
}

} // namespace standin
