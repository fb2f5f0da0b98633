// The module's dialog templates, read from the resource file compiled into the native host.
#include <map>

#include "dialog_model.h"

namespace standin {

const DialogTemplate *moduleDialogTemplate(int32_t id) {
    static std::map<int32_t, std::optional<DialogTemplate>> parsed;
    if (id < 0 || id > 0xFFFF)
        return nullptr;
    auto known = parsed.find(id);
    if (known == parsed.end()) {
        const std::vector<uint8_t> file(kModuleResourceBytes,
                                        kModuleResourceBytes + kModuleResourceSize);
        std::optional<DialogTemplate> dialog;
        if (auto data = findResourceInResFile(file, kDialogResourceType, static_cast<uint16_t>(id)))
            dialog = parseDialogTemplate(*data);
        known = parsed.emplace(id, std::move(dialog)).first;
    }
    return known->second ? &*known->second : nullptr;
}

} // namespace standin
