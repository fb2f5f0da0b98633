#include "screenshot_hold.h"

#include <cstdio>

#include "core/host_files.h"

namespace standin {

namespace {

// With this variable naming a file, each dialog, once up and painted, writes its id and its
// window's screen rectangle ("20128 X Y WIDTH HEIGHT") to the file and waits, its modal loop
// running, until the file is gone; then the scripted user starts. Screenshots use it.
constexpr const char *kHoldFileVariable = "ORVANE_DIALOG_HOLD_FILE";
// With this variable naming a folder, each dialog, once up, is brought in front of every other
// window and writes its picture, read from the screen where it shows, to ID.bmp there; then the
// scripted user starts. A hosted Windows desktop may have a console window over the dialog, and
// Wine's PrintWindow draws neither frames nor controls: this way the picture is what a person sees.
constexpr const char *kPictureFolderVariable = "ORVANE_DIALOG_PICTURE_DIR";
constexpr UINT_PTR kHoldTimer = 0x2A1;
constexpr UINT kHoldPollMs = 50;
// Ticks from bringing the dialog to the front to its picture: time for it to be drawn and for the
// screen (the desktop's compositor, or the X server under Wine) to show it.
constexpr int kSettleTicks = 6;

std::string environmentValue(const char *name) {
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(value, length) : std::string();
}

// The window's rectangle as the screen shows it, as the bytes of a 24-bit BMP file; empty when it
// cannot be read.
std::string windowPicture(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = frame.right - frame.left;
    header.biHeight = frame.bottom - frame.top; // rows bottom-up, as a BMP file keeps them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void *pixels = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO *>(&header),
                                      DIB_RGB_COLORS, &pixels, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous =
        bitmap != nullptr && memory != nullptr ? SelectObject(memory, bitmap) : nullptr;
    const bool read =
        previous != nullptr && BitBlt(memory, 0, 0, header.biWidth, header.biHeight, screen,
                                      frame.left, frame.top, SRCCOPY | CAPTUREBLT) != FALSE;
    ReleaseDC(nullptr, screen);
    GdiFlush();
    const DWORD rowBytes = (static_cast<DWORD>(header.biWidth) * 3 + 3) & ~3u;
    const DWORD pixelBytes = rowBytes * static_cast<DWORD>(header.biHeight);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + pixelBytes;
    std::string bytes;
    if (read) {
        bytes.append(reinterpret_cast<const char *>(&file), sizeof file);
        bytes.append(reinterpret_cast<const char *>(&header), sizeof header);
        bytes.append(static_cast<const char *>(pixels), pixelBytes);
    }
    if (previous != nullptr)
        SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return bytes;
}

bool fileExists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The first tick brings the dialog to the front; once it has settled there, it is pictured and
// announced, and later ticks wait for the hold file to go. True when the hold is over.
bool holdOver(DialogRun &run) {
    const std::string holdFile = environmentValue(kHoldFileVariable);
    ++run.holdTicks;
    if (run.holdTicks == 1) {
        // A picture shows the dialog as the person sees it: in front, and active, which Wine,
        // without a window manager, does not make the process's first window, whose caption it
        // then draws inactive.
        SetWindowPos(run.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(run.window);
        SendMessageA(run.window, WM_NCACTIVATE, TRUE, 0);
        RedrawWindow(run.window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    }
    if (run.holdTicks < kSettleTicks)
        return false;
    if (run.holdTicks > kSettleTicks)
        return !fileExists(holdFile);
    const std::string pictureFolder = environmentValue(kPictureFolderVariable);
    std::string problem;
    if (!pictureFolder.empty() &&
        !writeWholeFile(pictureFolder + "\\" + std::to_string(run.resourceId) + ".bmp",
                        windowPicture(run.window), problem))
        std::fprintf(stderr, "no picture of dialog %d: %s\n", static_cast<int>(run.resourceId),
                     problem.c_str());
    if (holdFile.empty())
        return true;
    RECT frame = {};
    GetWindowRect(run.window, &frame);
    const std::string line = std::to_string(run.resourceId) + " " + std::to_string(frame.left) +
                             " " + std::to_string(frame.top) + " " +
                             std::to_string(frame.right - frame.left) + " " +
                             std::to_string(frame.bottom - frame.top) + "\n";
    return !writeWholeFile(holdFile, line, problem);
}

} // namespace

bool startHold(DialogRun &run) {
    if (environmentValue(kHoldFileVariable).empty() &&
        environmentValue(kPictureFolderVariable).empty())
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
