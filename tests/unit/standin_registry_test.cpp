#include <gtest/gtest.h>

#include "core/registry_file.h"

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
