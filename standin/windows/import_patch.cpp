#include "import_patch.h"

#include <cstring>

namespace {

template <typename T> T *at(HMODULE module, DWORD rva) {
    return reinterpret_cast<T *>(reinterpret_cast<BYTE *>(module) + rva);
}

bool overwrite(FARPROC *slot, FARPROC value) {
    DWORD oldProtection = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &oldProtection))
        return false;
    *slot = value;
    VirtualProtect(slot, sizeof *slot, oldProtection, &oldProtection);
    return true;
}

// The entry's name from the lookup table, or null for an import by ordinal.
const char *importName(HMODULE module, const IMAGE_THUNK_DATA *lookup) {
    if (IMAGE_SNAP_BY_ORDINAL(lookup->u1.Ordinal))
        return nullptr;
    return reinterpret_cast<const char *>(
        at<IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(lookup->u1.AddressOfData))->Name);
}

} // namespace

namespace standin {

bool patchImport(HMODULE module, const char *dllName, const char *function, FARPROC replacement,
                 FARPROC *original) {
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(module);
    if (module == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE)
        return false;
    const auto *nt = at<IMAGE_NT_HEADERS>(module, static_cast<DWORD>(dos->e_lfanew));
    const IMAGE_DATA_DIRECTORY &directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0)
        return false;
    for (auto *entry = at<IMAGE_IMPORT_DESCRIPTOR>(module, directory.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (_stricmp(at<const char>(module, entry->Name), dllName) != 0 ||
            entry->OriginalFirstThunk == 0)
            continue;
        auto *lookup = at<IMAGE_THUNK_DATA>(module, entry->OriginalFirstThunk);
        auto *slot = at<FARPROC>(module, entry->FirstThunk);
        for (; lookup->u1.AddressOfData != 0; ++lookup, ++slot) {
            const char *name = importName(module, lookup);
            if (name == nullptr || std::strcmp(name, function) != 0)
                continue;
            if (original != nullptr)
                *original = *slot;
            return overwrite(slot, replacement);
        }
    }
    return false;
}

} // namespace standin
