#include "module_loader.h"

namespace {

constexpr const char *kModuleFile = "divazivir.dll";

// The directory of the running executable, with its trailing separator.
std::string executableDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    const size_t separator = directory.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : directory.substr(0, separator + 1);
}

// The entry points are looked up by name only, as the host program does.
template <typename Function>
bool find(HMODULE module, const char *name, Function &function, std::string &missing) {
    function = reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
    if (function == nullptr && missing.empty())
        missing = name;
    return function != nullptr;
}

} // namespace

namespace standin {

std::string loadModule(HMODULE &handle, ModuleEntryPoints &entryPoints) {
    const std::string path = executableDirectory() + kModuleFile;
    handle = LoadLibraryA(path.c_str());
    if (handle == nullptr)
        return "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    std::string missing;
    find(handle, "OrvaneExtensionVersion", entryPoints.version, missing);
    find(handle, "OrvaneExtensionInit", entryPoints.init, missing);
    find(handle, "OrvaneExtensionEnumerate", entryPoints.enumerate, missing);
    find(handle, "OrvaneExtensionInvoke", entryPoints.invoke, missing);
    find(handle, "OrvaneExtensionTerminate", entryPoints.terminate, missing);
    find(handle, "OrvaneExtensionGetMenuStatus", entryPoints.menuStatus, missing);
    if (!missing.empty())
        return path + " does not export " + missing;
    return {};
}

} // namespace standin
