// Loads and unloads divazivir.dll as a host does when it starts and quits, 200 times (Version,
// Init, Enumerate, Terminate each time), and checks that nothing stays behind: the C runtime's heap
// within 4 KB, the process's handles (counted where the system counts them, and by the value the
// next handle gets) and TLS indexes as they were. Prints the figures. Built as
// orvane.exe, whose services the module imports; none of them is called on this path.
#include <windows.h>

#include <malloc.h>

#include <cstdint>
#include <cstdio>

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

template <typename Function> Function entry(HMODULE module, const char *name) {
    return reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

// One start and quit of the host; false when the module cannot be loaded or lacks an entry point.
bool cycle(const char *path) {
    HMODULE module = LoadLibraryA(path);
    if (module == nullptr)
        return false;
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
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvane.exe DIVAZIVIR.DLL\n");
        return 2;
    }
    // Terminate writes the plug-in's key; a key that was not there before is taken away again.
    const bool keyExisted = pluginKeyExists();
    // The first load brings in what the system DLLs keep for the process; that is not the module's.
    if (!cycle(argv[1])) {
        std::fprintf(stderr, "cannot load %s or find its entry points\n", argv[1]);
        return 1;
    }
    const Figures before = measure();
    for (int index = 0; index < kCycles; ++index)
        if (!cycle(argv[1]))
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
    const bool clean = runtimeGrowth <= kHeapAllowance && after.handles == before.handles &&
                       after.nextHandle == before.nextHandle &&
                       after.nextTlsIndex == before.nextTlsIndex;
    if (!clean)
        std::printf("FAIL: the load/unload cycles left something behind\n");
    return clean ? 0 : 1;
}
