#include "message_boxes.h"

#include "core/host_windows.h"
#include "import_patch.h"

namespace {

constexpr const char *kUser32 = "USER32.dll";
constexpr const char *kMessageBoxFunction = "MessageBoxA";
constexpr const char *kDialogClass = "#32770";

using MessageBoxFunction = int(WINAPI *)(HWND, LPCSTR, LPCSTR, UINT);
MessageBoxFunction realMessageBox = MessageBoxA;

// The box being shown: its owner and the button the scripted user presses in it.
struct PendingBox {
    HWND owner = nullptr;
    int button = 0;
    bool answered = false;
};
PendingBox pendingBox;

bool isDialogWindow(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, kDialogClass) == 0;
}

// The box appears as a new dialog window that is activated; the button is pressed by posting the
// command its click would send, so the box ends in its own message loop.
LRESULT CALLBACK answerOnActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !pendingBox.answered) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (window != pendingBox.owner && isDialogWindow(window)) {
            pendingBox.answered = true;
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(pendingBox.button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, pendingBox.button)));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int WINAPI recordedMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    return standin::recordMessageBox(owner, text, caption, style, [&](int button) {
        const PendingBox outer = pendingBox;
        pendingBox = {owner, button, false};
        HHOOK hook = SetWindowsHookExA(WH_CBT, answerOnActivation, nullptr, GetCurrentThreadId());
        const int pressed = realMessageBox(owner, text, caption, style);
        if (hook != nullptr)
            UnhookWindowsHookEx(hook);
        pendingBox = outer;
        return pressed;
    });
}

} // namespace

namespace standin {

bool recordMessageBoxes(HMODULE module) {
    FARPROC original = nullptr;
    if (!patchImport(module, kUser32, kMessageBoxFunction,
                     reinterpret_cast<FARPROC>(reinterpret_cast<void *>(recordedMessageBox)),
                     &original))
        return false;
    realMessageBox = reinterpret_cast<MessageBoxFunction>(reinterpret_cast<void *>(original));
    return true;
}

} // namespace standin
