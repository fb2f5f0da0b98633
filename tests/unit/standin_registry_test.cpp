#include <gtest/gtest.h>

#include "core/host_state.h"
#include "core/registry_file.h"
#include "native/windows_api.h"

using standin::RegistryKeyState;

namespace {

RegistryKeyState parsed(const std::string &text) {
    RegistryKeyState registry;
    auto error = standin::parseRegistry(text, "reg.json", registry);
    EXPECT_FALSE(error) << error->line();
    return registry;
}

} // namespace

TEST(RegistryFile, KeyStatesRoundTrip) {
    const RegistryKeyState noKey = parsed("{}");
    EXPECT_FALSE(noKey);
    EXPECT_EQ(standin::registryJson(noKey), "{}\n");

    const RegistryKeyState empty = parsed(R"({"Software\\ZOZaduzev\\DIVazivir": {}})");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
    EXPECT_TRUE(parsed(standin::registryJson(empty)) == empty);

    const RegistryKeyState values = parsed(R"({"software\\zozaduzev\\divazivir": {
        "UserDialog": {"type": 3, "hex": "0100FF"}, "ShowWarning": {"hex": "00"},
        "Other": {"type": 4294967295}}})");
    ASSERT_TRUE(values);
    EXPECT_EQ(values->at("UserDialog").data, (standin::Bytes{0x01, 0x00, 0xFF}));
    EXPECT_EQ(values->at("ShowWarning").type, 3u); // binary unless told otherwise
    EXPECT_EQ(values->at("Other").type, 0xFFFFFFFFu);
    EXPECT_TRUE(values->at("Other").data.empty());
    // Value names ignore case, as the platform's registry does.
    EXPECT_EQ(values->count("userdialog"), 1u);

    const std::string written = standin::registryJson(values);
    EXPECT_NE(written.find(R"("Software\\ZOZaduzev\\DIVazivir")"), std::string::npos);
    EXPECT_NE(written.find(R"("hex": "0100ff")"), std::string::npos);
    EXPECT_TRUE(parsed(written) == values);
}

TEST(RegistryFile, MissingFileIsNoKey) {
    RegistryKeyState registry = standin::RegistryValues{};
    EXPECT_FALSE(standin::loadRegistryFile("no/such/registry.json", registry));
    EXPECT_FALSE(registry);
}

TEST(RegistryFile, RefusesWhatTheRegistryCannotHold) {
    const std::pair<const char *, const char *> cases[] = {
        {R"({"Software\\Other": {}})", "Software\\Other: unknown key"},
        {R"({"Software\\ZOZaduzev\\DIVazivir": {"A": {"hex": "0"}}})", "A.hex: odd number"},
        {R"({"Software\\ZOZaduzev\\DIVazivir": {"A": {"type": -1}}})", "A.type: -1 is out"},
        {R"({"Software\\ZOZaduzev\\DIVazivir": {"A": {"data": ""}}})", "A.data: unknown member"},
        {R"({"Software\\ZOZaduzev\\DIVazivir": {"A": {}, "a": {}}})", "a: value given twice"},
        {R"({"Software\\ZOZaduzev\\DIVazivir": {"\u00e9": {}}})", "printable ASCII"},
    };
    for (const auto &[text, expected] : cases) {
        RegistryKeyState registry = standin::RegistryValues{};
        auto error = standin::parseRegistry(text, "reg.json", registry);
        ASSERT_TRUE(error) << text;
        EXPECT_NE(error->line().find(expected), std::string::npos) << error->line();
        EXPECT_FALSE(registry) << text;
    }
}

// orvane-sim's registry keys keep the access they were opened with, as the platform's do: a call
// the access does not allow fails and changes nothing, and a closed key is no key.
TEST(NativeRegistry, KeysRefuseWhatTheirAccessDoesNotAllow) {
    const struct {
        const char *name;
        REGSAM access;
        LSTATUS set, query;
    } cases[] = {
        {"KEY_READ", KEY_READ, ERROR_ACCESS_DENIED, ERROR_SUCCESS},
        {"KEY_WRITE", KEY_WRITE, ERROR_SUCCESS, ERROR_ACCESS_DENIED},
        {"KEY_ALL_ACCESS", KEY_ALL_ACCESS, ERROR_SUCCESS, ERROR_SUCCESS},
        {"GENERIC_READ", GENERIC_READ, ERROR_ACCESS_DENIED, ERROR_SUCCESS},
    };
    const BYTE written[] = {7, 0};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        standin::host().registry = standin::RegistryValues{{"ShowWarning", {3, {1, 0}}}};
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, standin::kPluginKeyPath, 0, nullptr, 0,
                                  row.access, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, "ShowWarning", 0, REG_BINARY, written, 2), row.set);
        BYTE read[2] = {};
        DWORD size = sizeof read;
        EXPECT_EQ(RegQueryValueExA(key, "ShowWarning", nullptr, nullptr, read, &size), row.query);
        EXPECT_EQ(standin::host().registry->at("ShowWarning").data[0],
                  row.set == ERROR_SUCCESS ? 7 : 1);
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, "ShowWarning", 0, REG_BINARY, written, 2),
                  ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    }
    standin::resetHost();
}
