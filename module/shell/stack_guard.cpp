// The stack protector's guard and its failure handler, for the Windows build. The compiler's own
// runtime would seed the guard from the cryptographic provider, loading a DLL under the loader
// lock; the guard is seeded here at load from what KERNEL32 tells at no cost, which differs from
// one process, load and moment to the next.
#include <cstdint>
#include <windows.h>

namespace {
// The value before seeding: never 0, so a copy of zeros cannot match it.
constexpr uintptr_t kUnseededGuard = 0xBB40E64E;
} // namespace

extern "C" {
uintptr_t __stack_chk_guard = kUnseededGuard;

// A smashed stack leaves nothing of the process to trust: it ends at once, with the code the
// platform's own guard uses.
[[noreturn]] void __stack_chk_fail() {
    TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    __builtin_trap();
}
}

namespace {

// Not protected itself: it changes the guard that its own check would read.
__attribute__((no_stack_protector)) void seedStackGuard() {
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER counter = {};
    QueryPerformanceCounter(&counter);
    uintptr_t seed = now.dwLowDateTime ^ now.dwHighDateTime ^ GetCurrentProcessId() ^
                     (static_cast<uintptr_t>(GetCurrentThreadId()) << 16) ^ GetTickCount() ^
                     counter.LowPart ^ static_cast<uintptr_t>(counter.HighPart);
    // The stack's place differs between loads where addresses are randomised.
    seed ^= reinterpret_cast<uintptr_t>(&seed);
    __stack_chk_guard = seed != 0 ? seed : kUnseededGuard;
}

} // namespace

// Called by the runtime's start-up code after its own set-up, before any entry point.
extern "C" __attribute__((no_stack_protector)) BOOL WINAPI DllMain(HINSTANCE, DWORD reason,
                                                                   LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        seedStackGuard();
    return TRUE;
}
