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

template <typename Function> bool find(HMODULE module, const char *name, Function &function) {
    // The entry points are looked up by name only, as the host program does.
    function = reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
    return function != nullptr;
}

} // namespace

namespace standin {

std::string loadModule(LoadedModule &module) {
    const std::string path = executableDirectory() + kModuleFile;
    module.handle = LoadLibraryA(path.c_str());
    if (module.handle == nullptr)
        return "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    struct Named {
        const char *name;
        bool found;
    } entryPoints[] = {
        {"OrvaneExtensionVersion", find(module.handle, "OrvaneExtensionVersion", module.version)},
        {"OrvaneExtensionInit", find(module.handle, "OrvaneExtensionInit", module.init)},
        {"OrvaneExtensionEnumerate",
         find(module.handle, "OrvaneExtensionEnumerate", module.enumerate)},
        {"OrvaneExtensionInvoke", find(module.handle, "OrvaneExtensionInvoke", module.invoke)},
        {"OrvaneExtensionTerminate",
         find(module.handle, "OrvaneExtensionTerminate", module.terminate)},
        {"OrvaneExtensionGetMenuStatus",
         find(module.handle, "OrvaneExtensionGetMenuStatus", module.getMenuStatus)},
    };
    for (const Named &entryPoint : entryPoints)
        if (!entryPoint.found)
            return path + " does not export " + entryPoint.name;
    return {};
}

} // namespace standin
