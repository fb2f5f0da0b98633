#include "screenshot_hold.h"

namespace standin {

namespace {

// With this variable naming a file, each dialog, once up and painted, writes its id and its
// window's screen rectangle ("20128 X Y WIDTH HEIGHT") to the file and waits, its modal loop
// running, until the file is gone; then the scripted user starts. Screenshots use it.
constexpr const char *kHoldFileVariable = "ORVANE_DIALOG_HOLD_FILE";
constexpr UINT_PTR kHoldTimer = 0x2A1;
constexpr UINT kHoldPollMs = 50;

std::string holdFile() {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(kHoldFileVariable, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

bool fileExists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The first tick announces the dialog, later ones wait for the file to go. True when the hold is
// over.
bool holdOver(DialogRun &run) {
    const std::string path = holdFile();
    if (!run.holdAnnounced) {
        // Without a window manager the process's first window is not made the foreground one,
        // and its caption is drawn inactive; a picture shows it as the person sees it, active.
        SendMessageA(run.window, WM_NCACTIVATE, TRUE, 0);
        RECT frame = {};
        GetWindowRect(run.window, &frame);
        const std::string line = std::to_string(run.resourceId) + " " + std::to_string(frame.left) +
                                 " " + std::to_string(frame.top) + " " +
                                 std::to_string(frame.right - frame.left) + " " +
                                 std::to_string(frame.bottom - frame.top) + "\n";
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return true;
        DWORD written = 0;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(file);
        run.holdAnnounced = true;
        return false;
    }
    return !fileExists(path);
}

} // namespace

bool startHold(DialogRun &run) {
    if (holdFile().empty())
        return false;
    SetTimer(run.window, kHoldTimer, kHoldPollMs, nullptr);
    return true;
}

bool holdTimerTick(DialogRun &run, UINT message, WPARAM wParam) {
    if (message != WM_TIMER || wParam != kHoldTimer)
        return false;
    if (holdOver(run)) {
        KillTimer(run.window, kHoldTimer);
        PostMessageA(run.window, kNextStepMessage, 0, 0);
    }
    return true;
}

} // namespace standin
