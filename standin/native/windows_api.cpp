// Message boxes, key state, text formatting and the registry of the native build.
#include "windows_api.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <strings.h>

#include "core/host_state.h"
#include "core/registry_file.h"

using standin::host;

namespace standin {

HWND hostMainWindow() {
    static HWND__ mainWindow;
    return &mainWindow;
}

bool hostLoadsDlls() { return false; }

} // namespace standin

namespace {

bool isPluginKey(HKEY root, LPCSTR path) {
    return root == HKEY_CURRENT_USER && path != nullptr &&
           strcasecmp(path, standin::kPluginKeyPath) == 0;
}

// Each open of the plug-in's key is a handle of its own that keeps the access it was opened with,
// and is no handle once closed, as the platform's registry has it. Far more than a module keeps
// open at once; one that never closes its key runs out.
struct OpenKey {
    HKEY__ handle;
    bool open = false;
    REGSAM access = 0;
};
OpenKey openKeys[64];

// The generic rights stand for the key rights the platform maps them to.
REGSAM keyRights(REGSAM access) {
    if ((access & (GENERIC_ALL | MAXIMUM_ALLOWED)) != 0)
        access |= KEY_ALL_ACCESS;
    if ((access & GENERIC_READ) != 0)
        access |= KEY_READ;
    if ((access & GENERIC_WRITE) != 0)
        access |= KEY_WRITE;
    return access;
}

LSTATUS openPluginKey(REGSAM access, PHKEY result) {
    for (OpenKey &key : openKeys)
        if (!key.open) {
            key.open = true;
            key.access = keyRights(access);
            *result = &key.handle;
            return ERROR_SUCCESS;
        }
    return ERROR_OUTOFMEMORY;
}

OpenKey *openKey(HKEY handle) {
    for (OpenKey &key : openKeys)
        if (key.open && handle == &key.handle)
            return &key;
    return nullptr;
}

// What a call on the key needs: an open handle with the access, and the key still there.
LSTATUS keyAllows(HKEY handle, REGSAM needed) {
    const OpenKey *key = openKey(handle);
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    if ((key->access & needed) != needed)
        return ERROR_ACCESS_DENIED;
    return host().registry ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

} // namespace

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return standin::recordMessageBox(owner, text, caption, type, [owner](int button) {
        standin::restoreFocusAfterBox(owner);
        return button;
    });
}

// The module's heap, on the C library's, where --fail malloc makes allocations fail.
extern "C" HANDLE WINAPI GetProcessHeap() {
    static int processHeap;
    return &processHeap;
}

namespace {
// The module runs in a 32-bit process, whose user address space (0x10000 to 0x7FFEFFFF) cannot
// hold a block this large; on a 64-bit build machine the C library would give it.
constexpr SIZE_T kLargestBlock32 = 0x7FFE0000;

bool allocationFails(SIZE_T bytes) {
    return host().countAllocationAndCheckFailure() || bytes >= kLargestBlock32;
}

// What the platform does not promise of a block's new bytes, the caller finds filled.
void fillUnlessZeroed(DWORD flags, void *block, size_t from, size_t to) {
    if (block == nullptr || to <= from)
        return;
    if ((flags & HEAP_ZERO_MEMORY) != 0)
        std::memset(static_cast<char *>(block) + from, 0, to - from);
    else
        standin::fillFreshHeapBytes(static_cast<char *>(block) + from, to - from);
}
} // namespace

extern "C" LPVOID WINAPI HeapAlloc(HANDLE, DWORD flags, SIZE_T bytes) {
    if (allocationFails(bytes))
        return nullptr;
    void *block = std::malloc(bytes == 0 ? 1 : bytes);
    fillUnlessZeroed(flags, block, 0, malloc_usable_size(block));
    return block;
}

extern "C" LPVOID WINAPI HeapReAlloc(HANDLE, DWORD flags, LPVOID memory, SIZE_T bytes) {
    if (allocationFails(bytes))
        return nullptr;
    const size_t kept = malloc_usable_size(memory);
    void *block = std::realloc(memory, bytes == 0 ? 1 : bytes);
    fillUnlessZeroed(flags, block, kept, malloc_usable_size(block));
    return block;
}

extern "C" BOOL WINAPI HeapFree(HANDLE, DWORD, LPVOID memory) {
    std::free(memory);
    return TRUE;
}

extern "C" SHORT WINAPI GetKeyState(int virtualKey) {
    // A key held down reads with the high bits set, as the platform reports it. The low bit is
    // the key's toggle, which any key has after an odd number of presses: both keys have it here,
    // so that only the high bit tells whether a key is down.
    const bool down = (virtualKey == VK_CONTROL && host().controlHeld) ||
                      (virtualKey == VK_SHIFT && host().shiftHeld);
    const bool toggled = virtualKey == VK_CONTROL || virtualKey == VK_SHIFT;
    return static_cast<SHORT>((down ? 0xFF80 : 0) | (toggled ? 1 : 0));
}

// The platform's formatter: %c, %d, %i, %u, %x, %X and %s with flags, width and precision, at most
// 1024 characters, and no heap. The arguments come in the platform's calling convention, which the
// C library's formatter cannot walk, so each conversion is formatted on its own.
extern "C" int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    constexpr size_t kRoom = 1024;
    __ms_va_list arguments;
    __ms_va_start(arguments, format);
    size_t length = 0;
    for (const char *at = format; *at != '\0' && length < kRoom; ++at) {
        if (*at != '%' || at[1] == '%') {
            buffer[length++] = *at;
            at += *at == '%' ? 1 : 0;
            continue;
        }
        const char *type = at + 1 + std::strspn(at + 1, "-#0123456789.");
        if (*type == '\0')
            break;
        char conversion[32] = {};
        std::memcpy(conversion, at, std::min<size_t>(type + 1 - at, sizeof conversion - 1));
        int written = 0;
        if (*type == 's')
            written = std::snprintf(buffer + length, kRoom + 1 - length, conversion,
                                    va_arg(arguments, LPCSTR));
        else if (std::strchr("cdiuxX", *type) != nullptr)
            written = std::snprintf(buffer + length, kRoom + 1 - length, conversion,
                                    va_arg(arguments, int));
        length = std::min(kRoom, length + static_cast<size_t>(std::max(written, 0)));
        at = type;
    }
    __ms_va_end(arguments);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

extern "C" LSTATUS WINAPI RegOpenKeyExA(HKEY root, LPCSTR path, DWORD, REGSAM access,
                                        PHKEY result) {
    if (!isPluginKey(root, path) || !host().registry)
        return ERROR_FILE_NOT_FOUND;
    return openPluginKey(access, result);
}

extern "C" LSTATUS WINAPI RegCreateKeyExA(HKEY root, LPCSTR path, DWORD, LPSTR, DWORD,
                                          REGSAM access, LPSECURITY_ATTRIBUTES, PHKEY result,
                                          LPDWORD disposition) {
    if (!isPluginKey(root, path))
        return ERROR_FILE_NOT_FOUND;
    const LSTATUS opened = openPluginKey(access, result);
    if (opened != ERROR_SUCCESS)
        return opened;
    const bool existed = host().registry.has_value();
    if (!existed)
        host().registry.emplace();
    if (disposition != nullptr)
        *disposition = existed ? 2 : 1; // REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY
    return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type,
                                           LPBYTE data, LPDWORD size) {
    if (const LSTATUS allowed = keyAllows(key, KEY_QUERY_VALUE); allowed != ERROR_SUCCESS)
        return allowed;
    auto value = host().registry->find(name ? name : "");
    if (value == host().registry->end())
        return ERROR_FILE_NOT_FOUND;
    if (type != nullptr)
        *type = value->second.type;
    const DWORD needed = static_cast<DWORD>(value->second.data.size());
    if (data != nullptr) {
        if (size == nullptr)
            return 998; // ERROR_NOACCESS
        if (*size < needed) {
            // The platform leaves such a buffer undefined: here it holds the value's first bytes,
            // which a caller that takes them for the value would keep.
            std::memcpy(data, value->second.data.data(), *size);
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (needed > 0) // an empty value has no bytes to copy from
            std::memcpy(data, value->second.data.data(), needed);
    }
    if (size != nullptr)
        *size = needed;
    return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE *data,
                                         DWORD size) {
    if (const LSTATUS allowed = keyAllows(key, KEY_SET_VALUE); allowed != ERROR_SUCCESS)
        return allowed;
    standin::RegistryValue value;
    value.type = type;
    if (data != nullptr)
        value.data.assign(data, data + size);
    (*host().registry)[name ? name : ""] = value;
    return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegCloseKey(HKEY handle) {
    OpenKey *key = openKey(handle);
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    key->open = false;
    return ERROR_SUCCESS;
}
