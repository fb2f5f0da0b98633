// The host's main window: the owner of every invocation, never shown.
#include "core/host_windows.h"

namespace {
constexpr const char *kMainWindowClass = "OrvaneStandInHost";
constexpr const char *kMainWindowTitle = "Orvane";
} // namespace

namespace standin {

// Created on first use; null when the platform refuses it.
HWND hostMainWindow() {
    static HWND window = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kMainWindowClass;
        RegisterClassA(&windowClass);
        // Not visible: dialogs and message boxes it owns still appear, centred on the screen.
        return CreateWindowExA(0, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW, 0, 0,
                               640, 480, nullptr, nullptr, windowClass.hInstance, nullptr);
    }();
    return window;
}

bool hostLoadsDlls() { return true; }

} // namespace standin
