// Message boxes, key state, text formatting and the registry of the native build.
#include "windows_api.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

HKEY__ pluginKeyHandle;

bool isPluginKey(HKEY root, LPCSTR path) {
    return root == HKEY_CURRENT_USER && path != nullptr &&
           strcasecmp(path, standin::kPluginKeyPath) == 0;
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
} // namespace

extern "C" LPVOID WINAPI HeapAlloc(HANDLE, DWORD, SIZE_T bytes) {
    if (allocationFails(bytes))
        return nullptr;
    return std::malloc(bytes == 0 ? 1 : bytes);
}

extern "C" LPVOID WINAPI HeapReAlloc(HANDLE, DWORD, LPVOID memory, SIZE_T bytes) {
    if (allocationFails(bytes))
        return nullptr;
    return std::realloc(memory, bytes == 0 ? 1 : bytes);
}

extern "C" BOOL WINAPI HeapFree(HANDLE, DWORD, LPVOID memory) {
    std::free(memory);
    return TRUE;
}

extern "C" SHORT WINAPI GetKeyState(int virtualKey) {
    // A key held down reads with the high bits set, as the platform reports it.
    const bool down = (virtualKey == VK_CONTROL && host().controlHeld) ||
                      (virtualKey == VK_SHIFT && host().shiftHeld);
    return down ? static_cast<SHORT>(0xFF80) : 0;
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

extern "C" LSTATUS WINAPI RegOpenKeyExA(HKEY root, LPCSTR path, DWORD, REGSAM, PHKEY result) {
    if (!isPluginKey(root, path) || !host().registry)
        return ERROR_FILE_NOT_FOUND;
    *result = &pluginKeyHandle;
    return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegCreateKeyExA(HKEY root, LPCSTR path, DWORD, LPSTR, DWORD, REGSAM,
                                          LPSECURITY_ATTRIBUTES, PHKEY result,
                                          LPDWORD disposition) {
    if (!isPluginKey(root, path))
        return ERROR_FILE_NOT_FOUND;
    const bool existed = host().registry.has_value();
    if (!existed)
        host().registry.emplace();
    if (disposition != nullptr)
        *disposition = existed ? 2 : 1; // REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY
    *result = &pluginKeyHandle;
    return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type,
                                           LPBYTE data, LPDWORD size) {
    if (key != &pluginKeyHandle || !host().registry)
        return ERROR_FILE_NOT_FOUND;
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
    if (key != &pluginKeyHandle || !host().registry)
        return ERROR_FILE_NOT_FOUND;
    standin::RegistryValue value;
    value.type = type;
    if (data != nullptr)
        value.data.assign(data, data + size);
    (*host().registry)[name ? name : ""] = value;
    return ERROR_SUCCESS;
}

extern "C" LSTATUS WINAPI RegCloseKey(HKEY) { return ERROR_SUCCESS; }
