#include "plugin_registry_key.h"

#include <windows.h>

#include "core/registry_file.h"

namespace {
using standin::kPluginKeyPath;
constexpr uint8_t kGuardByte = 0xFF;

std::string failure(const char *what, LSTATUS status) {
    return std::string(what) + " " + kPluginKeyPath + " failed with error " +
           std::to_string(status);
}
} // namespace

namespace standin {

std::string writePluginKey(const RegistryKeyState &state) {
    const LSTATUS deleted = RegDeleteTreeA(HKEY_CURRENT_USER, kPluginKeyPath);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND)
        return failure("deleting", deleted);
    if (!state)
        return {};
    HKEY key = nullptr;
    const LSTATUS created =
        RegCreateKeyExA(HKEY_CURRENT_USER, kPluginKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr);
    if (created != ERROR_SUCCESS)
        return failure("creating", created);
    std::string problem;
    for (const auto &[name, value] : *state) {
        // The registry looks at the byte after a string value that lacks its terminating zero,
        // and adds the zero when that byte is one: a nonzero byte there keeps the value exact.
        Bytes data = value.data;
        data.push_back(kGuardByte);
        const LSTATUS set = RegSetValueExA(key, name.c_str(), 0, value.type, data.data(),
                                           static_cast<DWORD>(value.data.size()));
        if (set != ERROR_SUCCESS && problem.empty())
            problem = failure(("writing the value " + name + " of").c_str(), set);
    }
    RegCloseKey(key);
    return problem;
}

RegistryKeyState readPluginKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPluginKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD longestName = 0;
    DWORD longestData = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &longestName, &longestData, nullptr, nullptr);
    RegistryKeyState::value_type values;
    std::string name(longestName + 1, '\0');
    Bytes data(longestData + 1);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        if (RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, data.data(),
                          &size) != ERROR_SUCCESS)
            break;
        RegistryValue value;
        value.type = type;
        value.data.assign(data.begin(), data.begin() + size);
        values[name.substr(0, nameLength)] = value;
    }
    RegCloseKey(key);
    return values;
}

} // namespace standin
