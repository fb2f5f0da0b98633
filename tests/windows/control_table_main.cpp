// The control table on the platform's own controls: runs every case, prints each one's result
// (both outcomes where the controls do otherwise than the table, whose outcomes were read from
// Wine's controls) and fails when one does not go as the table says. Run by
// scripts/windows_checks.py, under Wine here and natively on Windows.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "../controls/control_table.h"
#include "key_state.h"

namespace {

INT_PTR CALLBACK recordingProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return controls::recordMessage(dialog, message, wParam, lParam);
}

LPARAM atPoint(LONG x, LONG y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Runs what the steps posted, as the dialog's message loop would.
void drain(HWND dialog) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
}

class PlatformDriver : public controls::Driver {
  public:
    HWND open(int id) override {
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr,
                                         recordingProcedure, 0);
        drain(dialog);
        return dialog;
    }
    void close(HWND dialog) override {
        DestroyWindow(dialog);
        drain(nullptr);
    }
    // A click in the middle of the arrow's half, as the scripted user clicks.
    void spin(HWND upDown, bool up) override {
        RECT client = {};
        GetClientRect(upDown, &client);
        const LONG x = (client.left + client.right) / 2;
        const LONG quarter = (client.bottom - client.top) / 4;
        const LONG y = up ? client.top + quarter : client.bottom - 1 - quarter;
        SendMessageA(upDown, WM_LBUTTONDOWN, MK_LBUTTON, atPoint(x, y));
        SendMessageA(upDown, WM_LBUTTONUP, 0, atPoint(x, y));
        drain(GetParent(upDown));
    }
    void key(HWND dialog, UINT key) override {
        for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
            MSG press = {};
            HWND focus = GetFocus();
            press.hwnd = focus != nullptr && IsChild(dialog, focus) ? focus : dialog;
            press.message = message;
            press.wParam = key;
            press.lParam = 1 | (static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16) |
                           (message == WM_KEYUP ? 0xC0000000 : 0);
            press.time = GetTickCount();
            if (!IsDialogMessageA(dialog, &press)) {
                TranslateMessage(&press);
                DispatchMessageA(&press);
            }
            drain(dialog);
        }
    }
    void focus(HWND control) override { SetFocus(control); }
    int focusedId(HWND dialog) override {
        HWND focus = GetFocus();
        return focus != nullptr && IsChild(dialog, focus) ? GetDlgCtrlID(focus) : 0;
    }
    void enable(HWND control, bool enable) override { EnableWindow(control, enable); }
    void holdControl(bool down) override { standin::holdKeys(down, false); }
};

} // namespace

int main() {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    PlatformDriver driver;
    int failed = 0;
    const auto &cases = controls::controlCases();
    for (const controls::ControlCase &controlCase : cases) {
        // What these controls did, and what the table expects: Wine's controls' outcome.
        const std::string mismatch = controls::mismatch(driver, controlCase, false);
        if (mismatch.empty()) {
            std::printf("ok   %s\n", controlCase.name);
        } else {
            ++failed;
            std::printf("FAIL %s: these controls differ from the table (Wine's): %s\n",
                        controlCase.name, mismatch.c_str());
        }
        // Each row reaches the log as it is run, also when a later one never ends.
        std::fflush(stdout);
    }
    std::printf("%zu cases, %d failed\n", cases.size(), failed);
    return failed == 0 ? 0 : 1;
}
