// Loads and unloads divazivir.dll as a host does when it starts and quits, 200 times (Version,
// Init, Enumerate, Terminate each time), and checks that nothing stays behind: the C runtime's heap
// within 4 KB, the process's handles (counted where the system counts them, and by the value the
// next handle gets) and TLS indexes as they were. Each load must also seed the module's stack
// guard: a load that finds the guard as the load before it left it did not. Prints the figures.
// Built as orvane.exe, whose services the module imports; none of them is called on this path.
#include <windows.h>

#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/host_services.h"
#include "shell/entry_points.h"

extern "C" {
int32_t WINAPI OX_LoadEData(uint32_t, void *, void *, int32_t *) { return 0; }
int32_t WINAPI OX_NextEData(uint32_t, void *, void *, int32_t) { return 0; }
int32_t WINAPI OX_CreateEData(uint32_t, void *, const void *, int32_t) { return 0; }
int32_t WINAPI OX_DeleteEData(uint32_t, void *) { return 0; }
int32_t WINAPI OX_UpdateLayout(int32_t, int32_t) { return 0; }
int32_t WINAPI OX_Dialog(int32_t, OXDialogProc, HWND, int32_t, int32_t) { return 0; }
int32_t WINAPI OX_EndDialog(HWND) { return 0; }
int32_t WINAPI OX_GetDlgItemVal(HWND, int32_t, int32_t) { return 0; }
int32_t WINAPI OX_SetDlgItemVal(HWND, int32_t, int32_t, int32_t) { return 0; }
int32_t WINAPI OX_GetDlgItemUser(HWND, int32_t, int32_t, double *) { return 0; }
int32_t WINAPI OX_SetDlgItemUser(HWND, int32_t, int32_t, double) { return 0; }
int32_t WINAPI OX_EnableDlgItem(HWND, int32_t, int32_t) { return 0; }
int32_t WINAPI OX_SetDlgFocus(HWND, int32_t) { return 0; }
}

namespace {

constexpr int kCycles = 200;
constexpr long long kHeapAllowance = 4096;
constexpr const char *kPluginKey = "Software\\ZOZaduzev\\DIVazivir";

struct Figures {
    long long runtimeHeap = 0; // bytes in use in the C runtime's heap
    long long processHeap = 0; // and in the process heap
    DWORD handles = 0;         // as the system counts them, where it does (Wine says 0)
    // The value a new handle and a new TlsAlloc get: the lowest free one, higher when one was kept.
    uintptr_t nextHandle = 0;
    DWORD nextTlsIndex = 0;
};

long long runtimeHeapInUse() {
    _HEAPINFO entry = {};
    long long used = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY)
            used += static_cast<long long>(entry._size);
    return used;
}

long long processHeapInUse() {
    PROCESS_HEAP_ENTRY entry = {};
    long long used = 0;
    HeapLock(GetProcessHeap());
    while (HeapWalk(GetProcessHeap(), &entry))
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0)
            used += static_cast<long long>(entry.cbData);
    HeapUnlock(GetProcessHeap());
    return used;
}

Figures measure() {
    Figures figures;
    figures.runtimeHeap = runtimeHeapInUse();
    figures.processHeap = processHeapInUse();
    GetProcessHandleCount(GetCurrentProcess(), &figures.handles);
    HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    figures.nextHandle = reinterpret_cast<uintptr_t>(probe);
    CloseHandle(probe);
    figures.nextTlsIndex = TlsAlloc();
    TlsFree(figures.nextTlsIndex);
    return figures;
}

// The stack guard of each load, read at the offset in the image that the command line gives.
struct GuardWatch {
    uintptr_t offset = 0;
    uintptr_t last = 0;
    int loads = 0;
    int unseeded = 0; // loads that found the guard as the load before left it
};

bool readGuard(HMODULE module, GuardWatch &watch) {
    const auto *image = reinterpret_cast<const uint8_t *>(module);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(image);
    const auto *headers = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(image + dos->e_lfanew);
    uintptr_t guard = 0;
    if (watch.offset + sizeof guard > headers->OptionalHeader.SizeOfImage)
        return false;
    std::memcpy(&guard, image + watch.offset, sizeof guard);
    if (watch.loads > 0 && guard == watch.last)
        ++watch.unseeded;
    watch.last = guard;
    ++watch.loads;
    return true;
}

template <typename Function> Function entry(HMODULE module, const char *name) {
    return reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

// One start and quit of the host; false when the module cannot be loaded, lacks an entry point or
// has no guard at the offset given.
bool cycle(const char *path, GuardWatch &guards) {
    HMODULE module = LoadLibraryA(path);
    if (module == nullptr)
        return false;
    if (!readGuard(module, guards)) {
        FreeLibrary(module);
        return false;
    }
    auto version = entry<decltype(&OrvaneExtensionVersion)>(module, "OrvaneExtensionVersion");
    auto init = entry<decltype(&OrvaneExtensionInit)>(module, "OrvaneExtensionInit");
    auto enumerate = entry<decltype(&OrvaneExtensionEnumerate)>(module, "OrvaneExtensionEnumerate");
    auto terminate = entry<decltype(&OrvaneExtensionTerminate)>(module, "OrvaneExtensionTerminate");
    const bool complete = version && init && enumerate && terminate;
    if (complete) {
        version(0);
        init(0, 0);
        CommandDescriptor descriptor = {};
        for (int32_t index = 0; enumerate(0, index, &descriptor) != 0; ++index) {
        }
        terminate(0);
    }
    FreeLibrary(module);
    return complete;
}

bool pluginKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPluginKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvane.exe DIVAZIVIR.DLL STACK-GUARD-OFFSET\n");
        return 2;
    }
    GuardWatch guards;
    guards.offset = std::strtoul(argv[2], nullptr, 16);
    // Terminate writes the plug-in's key; a key that was not there before is taken away again.
    const bool keyExisted = pluginKeyExists();
    // The first load brings in what the system DLLs keep for the process; that is not the module's.
    if (!cycle(argv[1], guards)) {
        std::fprintf(stderr, "cannot load %s or find its entry points and guard\n", argv[1]);
        return 1;
    }
    const Figures before = measure();
    for (int index = 0; index < kCycles; ++index)
        if (!cycle(argv[1], guards))
            return 1;
    const Figures after = measure();
    if (!keyExisted)
        RegDeleteKeyA(HKEY_CURRENT_USER, kPluginKey);

    const long long runtimeGrowth = after.runtimeHeap - before.runtimeHeap;
    std::printf(
        "%d load/unload cycles: C runtime heap %+lld bytes (%lld -> %lld), process heap "
        "%+lld bytes, handles %lu -> %lu, next handle %#lx -> %#lx, next TLS index %lu -> %lu\n",
        kCycles, runtimeGrowth, before.runtimeHeap, after.runtimeHeap,
        after.processHeap - before.processHeap, before.handles, after.handles,
        static_cast<unsigned long>(before.nextHandle), static_cast<unsigned long>(after.nextHandle),
        before.nextTlsIndex, after.nextTlsIndex);
    std::printf("stack guard: %d of %d loads found it as the load before left it\n",
                guards.unseeded, guards.loads);
    const bool clean = runtimeGrowth <= kHeapAllowance && after.handles == before.handles &&
                       after.nextHandle == before.nextHandle &&
                       after.nextTlsIndex == before.nextTlsIndex;
    if (!clean)
        std::printf("FAIL: the load/unload cycles left something behind\n");
    if (guards.unseeded != 0)
        std::printf("FAIL: a load did not seed the stack guard\n");
    return clean && guards.unseeded == 0 ? 0 : 1;
}
