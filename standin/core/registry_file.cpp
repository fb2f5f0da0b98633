#include "registry_file.h"

#include "host_files.h"
#include "strict_json.h"

namespace standin {

namespace {

RegistryValue readValue(const Json &value, const std::string &item) {
    expectObject(value, item);
    refuseUnknownMembers(value, {"type", "hex"}, item);
    RegistryValue result;
    if (value.contains("type"))
        result.type = static_cast<uint32_t>(
            integerIn(value.at("type"), 0, UINT32_MAX, memberOf(item, "type")));
    if (value.contains("hex")) {
        const std::string hexItem = memberOf(item, "hex");
        result.data = bytesFromHex(expectString(value.at("hex"), hexItem), hexItem);
    }
    return result;
}

// Printable ASCII only: other characters would pass through the platform's code page.
void checkValueName(const std::string &name, const std::string &item) {
    for (char c : name)
        if (c < 0x20 || c > 0x7E)
            throw Refusal{item, "value names are printable ASCII"};
}

void readRegistry(const Json &file, RegistryKeyState &registry) {
    expectObject(file, "");
    for (const auto &key : file.items()) {
        if (RegistryNameLess()(key.key(), kPluginKeyPath) ||
            RegistryNameLess()(kPluginKeyPath, key.key()))
            throw Refusal{key.key(),
                          std::string("unknown key (only ") + kPluginKeyPath + " is kept)"};
        if (registry)
            throw Refusal{key.key(), "key given twice"};
        expectObject(key.value(), key.key());
        registry.emplace();
        for (const auto &value : key.value().items()) {
            const std::string item = memberOf(key.key(), value.key());
            checkValueName(value.key(), item);
            if (!registry->emplace(value.key(), readValue(value.value(), item)).second)
                throw Refusal{item, "value given twice (names ignore case)"};
        }
    }
}

} // namespace

InputResult parseRegistry(const std::string &text, const std::string &fileName,
                          RegistryKeyState &registry) {
    registry.reset();
    try {
        readRegistry(parseStrictJson(text), registry);
        return std::nullopt;
    } catch (const Refusal &refusal) {
        registry.reset();
        return InputError{fileName, refusal.item, refusal.problem};
    }
}

InputResult loadRegistryFile(const std::string &path, RegistryKeyState &registry) {
    std::string text;
    std::string problem;
    switch (readWholeFile(path, text, problem)) {
    case FileRead::Missing:
        registry.reset();
        return std::nullopt;
    case FileRead::Failed:
        return InputError{path, "", problem};
    case FileRead::Read:
        break;
    }
    return parseRegistry(text, path, registry);
}

std::string registryJson(const RegistryKeyState &registry) {
    Json file = Json::object();
    if (registry) {
        Json values = Json::object();
        for (const auto &[name, value] : *registry)
            values[name] = Json{{"type", value.type}, {"hex", hexFromBytes(value.data)}};
        file[kPluginKeyPath] = std::move(values);
    }
    return dumpJson(file);
}

} // namespace standin
