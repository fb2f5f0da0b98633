#include "module_heap.h"

#include <cstddef>

#include "core/host_state.h"
#include "import_patch.h"

namespace {

using HeapAllocFunction = LPVOID(WINAPI *)(HANDLE, DWORD, SIZE_T);
using HeapReAllocFunction = LPVOID(WINAPI *)(HANDLE, DWORD, LPVOID, SIZE_T);
using MallocFunction = void *(__cdecl *)(size_t);
using CallocFunction = void *(__cdecl *)(size_t, size_t);
using ReallocFunction = void *(__cdecl *)(void *, size_t);

HeapAllocFunction realHeapAlloc = nullptr;
HeapReAllocFunction realHeapReAlloc = nullptr;
MallocFunction realMalloc = nullptr;
CallocFunction realCalloc = nullptr;
ReallocFunction realRealloc = nullptr;

bool fails() { return standin::host().countAllocationAndCheckFailure(); }

LPVOID WINAPI countedHeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
    return fails() ? nullptr : realHeapAlloc(heap, flags, bytes);
}
LPVOID WINAPI countedHeapReAlloc(HANDLE heap, DWORD flags, LPVOID memory, SIZE_T bytes) {
    return fails() ? nullptr : realHeapReAlloc(heap, flags, memory, bytes);
}
void *__cdecl countedMalloc(size_t bytes) { return fails() ? nullptr : realMalloc(bytes); }
void *__cdecl countedCalloc(size_t count, size_t bytes) {
    return fails() ? nullptr : realCalloc(count, bytes);
}
void *__cdecl countedRealloc(void *memory, size_t bytes) {
    return fails() ? nullptr : realRealloc(memory, bytes);
}

template <typename Function>
void route(HMODULE module, const char *dll, const char *name, Function counted, Function &real) {
    FARPROC original = nullptr;
    if (standin::patchImport(module, dll, name,
                             reinterpret_cast<FARPROC>(reinterpret_cast<void *>(counted)),
                             &original))
        real = reinterpret_cast<Function>(reinterpret_cast<void *>(original));
}

} // namespace

namespace standin {

void countModuleAllocations(HMODULE module) {
    route(module, "KERNEL32.dll", "HeapAlloc", countedHeapAlloc, realHeapAlloc);
    route(module, "KERNEL32.dll", "HeapReAlloc", countedHeapReAlloc, realHeapReAlloc);
    route(module, "msvcrt.dll", "malloc", countedMalloc, realMalloc);
    route(module, "msvcrt.dll", "calloc", countedCalloc, realCalloc);
    route(module, "msvcrt.dll", "realloc", countedRealloc, realRealloc);
}

} // namespace standin
