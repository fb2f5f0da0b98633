#include <gtest/gtest.h>

#include <cstring>

#include "core/host_state.h"
#include "shell/entry_points.h"

TEST(EntryPoints, VersionAndMenuStatus) {
    EXPECT_EQ(OrvaneExtensionVersion(0), 0x04000107);
    EXPECT_EQ(OrvaneExtensionGetMenuStatus(0), 1);
}
