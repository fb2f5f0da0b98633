#include "module_heap.h"

#include <cstddef>
#include <malloc.h>

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

// The bytes from `from` to `to` of a block the call gave, which the module has not written yet.
void *fresh(void *block, size_t from, size_t to) {
    if (block != nullptr && to > from)
        standin::fillFreshHeapBytes(static_cast<char *>(block) + from, to - from);
    return block;
}

LPVOID WINAPI countedHeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
    if (fails())
        return nullptr;
    LPVOID block = realHeapAlloc(heap, flags, bytes);
    return (flags & HEAP_ZERO_MEMORY) != 0 ? block : fresh(block, 0, bytes);
}
LPVOID WINAPI countedHeapReAlloc(HANDLE heap, DWORD flags, LPVOID memory, SIZE_T bytes) {
    if (fails())
        return nullptr;
    const SIZE_T kept = HeapSize(heap, 0, memory);
    LPVOID block = realHeapReAlloc(heap, flags, memory, bytes);
    return (flags & HEAP_ZERO_MEMORY) != 0 || kept == static_cast<SIZE_T>(-1)
               ? block
               : fresh(block, kept, bytes);
}
void *__cdecl countedMalloc(size_t bytes) {
    return fails() ? nullptr : fresh(realMalloc(bytes), 0, bytes);
}
void *__cdecl countedCalloc(size_t count, size_t bytes) {
    return fails() ? nullptr : realCalloc(count, bytes);
}
void *__cdecl countedRealloc(void *memory, size_t bytes) {
    if (fails())
        return nullptr;
    const size_t kept = memory != nullptr ? _msize(memory) : 0;
    return fresh(realRealloc(memory, bytes), kept, bytes);
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
