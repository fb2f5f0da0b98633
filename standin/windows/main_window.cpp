#include "main_window.h"

namespace {
constexpr const char *kMainWindowClass = "OrvaneStandInHost";
constexpr const char *kMainWindowTitle = "Orvane";
} // namespace

namespace standin {

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

} // namespace standin
