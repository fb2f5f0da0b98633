#include <gtest/gtest.h>

#include "core/host_state.h"
#include "settings/module_state.h"
#include "shell/entry_points.h"

using standin::RegistryValues;

TEST(EntryPoints, VersionAndMenuStatus) {
    EXPECT_EQ(OrvaneExtensionVersion(0), 0x04000107);
    EXPECT_EQ(OrvaneExtensionGetMenuStatus(0), 1);
}

// Init reads ShowWarning over the flag the module holds, which need not be its load-time 1: a
// value it cannot read under an existing key sets 1 whatever the flag held; no key leaves it.
TEST(EntryPoints, InitReadsShowWarningOverTheFlagItHolds) {
    struct Case {
        const char *name;
        standin::RegistryKeyState registry;
        int16_t before;
        int16_t after;
    };
    const Case cases[] = {
        {"no key", std::nullopt, 0, 0},
        {"key without the value", RegistryValues{}, 0, 1},
        {"4 bytes", RegistryValues{{"ShowWarning", {3, {0, 0, 0, 0}}}}, 0, 1},
        {"2 bytes", RegistryValues{{"ShowWarning", {3, {0, 0}}}}, 1, 0},
        {"1 byte", RegistryValues{{"ShowWarning", {3, {0}}}}, 0x0101, 0x0100},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        standin::resetHost();
        resetModuleState();
        standin::host().registry = c.registry;
        showWarning = c.before;
        EXPECT_EQ(OrvaneExtensionInit(0, 0), 1);
        EXPECT_EQ(showWarning, c.after);
    }
    // Later tests load the module afresh.
    standin::resetHost();
    resetModuleState();
}
