// The module's walks over page, system and list numbers end at the limits of their 16-bit key
// words: each of these would run forever with a 16-bit counter that wraps before it passes its
// bound.
#include <gtest/gtest.h>

#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/placement.h"
#include "dividers/removal.h"
#include "document_builder.h"
#include "layout/geometry.h"
#include "native/windows_api.h"
#include "settings/module_state.h"

namespace {

class NumberLimits : public testing::Test {
  protected:
    void SetUp() override {
        standin::resetHost();
        buildDividerTemplates();
        resetModuleState();
    }
    static int32_t place(int16_t firstPage, int16_t lastPage) {
        dividerSettings.firstPage = firstPage;
        dividerSettings.lastPage = lastPage;
        return placeDividers(standin::hostMainWindow(), dividerSettings);
    }
    static int64_t calls(const char *service) { return standin::host().callCounts[service]; }
    static size_t placedCount() { return docbuild::store().count(kExpressionAssignmentTag); }
};

TEST_F(NumberLimits, PageWalkEndsAtTheHighestPage) {
    for (int32_t page = 1; page <= INT16_MAX; ++page)
        docbuild::putPage(static_cast<int16_t>(page), docbuild::kNoSystems);
    EXPECT_EQ(place(1, INT16_MAX), 1);
    EXPECT_EQ(calls("OX_LoadEData"), INT16_MAX);
    EXPECT_EQ(place(INT16_MAX, INT16_MAX), 1);
    EXPECT_EQ(place(INT16_MIN, INT16_MIN), 0) << "page -32768 has no record";
    EXPECT_EQ(placedCount(), 0u);
}

TEST_F(NumberLimits, SystemWalkEndsAtTheHighestSystem) {
    // The last page's walk has no later page to bound it; the highest system number does.
    docbuild::putPage(INT16_MAX, INT16_MAX - 1);
    docbuild::putSystem(INT16_MAX - 1, -200, -150);
    docbuild::putSystem(INT16_MAX, -200, -150);
    EXPECT_EQ(place(INT16_MAX, INT16_MAX), 1);
    EXPECT_EQ(placedCount(), 1u);

    // A page whose first system is the highest one has no pair.
    SetUp();
    docbuild::putPage(1, INT16_MAX);
    docbuild::putSystem(INT16_MAX, -200, -150);
    EXPECT_EQ(place(1, 1), 1);
    EXPECT_EQ(placedCount(), 0u);
}

TEST_F(NumberLimits, SystemWalkBoundedByTheLowestNextFirstSystem) {
    // The next page starts at -32768: its bound, one below, wraps to the highest system number.
    docbuild::putPage(1, INT16_MAX - 7);
    docbuild::putPage(2, INT16_MIN);
    for (int32_t system = INT16_MAX - 7; system <= INT16_MAX; ++system)
        docbuild::putSystem(static_cast<int16_t>(system), -200, -150);
    EXPECT_EQ(place(1, 1), 1);
    EXPECT_EQ(placedCount(), 7u);
}

TEST_F(NumberLimits, EverySystemOfAFullPage) {
    // Systems 1 to 32767 on one page: a divider below each but the last.
    docbuild::putPage(1, 1);
    for (int32_t system = 1; system <= INT16_MAX; ++system)
        docbuild::putSystem(static_cast<int16_t>(system), -200, -150);
    EXPECT_EQ(place(1, 1), 1);
    EXPECT_EQ(placedCount(), static_cast<size_t>(INT16_MAX - 1));
}

TEST_F(NumberLimits, PageCountStopsAtTheHighestPage) {
    for (int32_t page = 1; page <= INT16_MAX + 1; ++page)
        docbuild::putPage(static_cast<int16_t>(page), docbuild::kNoSystems);
    EXPECT_EQ(countPages(), INT16_MAX);
    EXPECT_EQ(calls("OX_LoadEData"), INT16_MAX);
}

TEST_F(NumberLimits, StaffListWalksEndAfterTheLastIndex) {
    // 65536 entries, indices 0 to 0xFFFF, every staff hidden.
    docbuild::putStaff(1, {5, 0, docbuild::kHiddenStaff});
    std::vector<docbuild::ListEntry> entries(0x10000, docbuild::ListEntry{1, -24});
    docbuild::putStaffList(0, entries);
    EXPECT_EQ(firstVisibleStaffPosition(0), 0);
    int16_t height = -1;
    EXPECT_EQ(lastVisibleStaffPosition(0, nullptr, 1, &height), 0);
    EXPECT_EQ(height, 0);
    EXPECT_EQ(calls("OX_LoadEData"), 4 * 0x10000);
}

TEST_F(NumberLimits, RemovalOverEveryPageNumber) {
    // Pages compare as unsigned numbers: the range 1 to -1 is every page up to 65535, with block
    // and definition numbers at the top of their key words too.
    docbuild::putTextBlock(-1, docbuild::dividerText(14));
    docbuild::putExpressionDef(-2, -1, -1);
    for (int32_t page : {1, INT16_MAX, INT16_MIN, -2, -1})
        for (int16_t subIndex : {0, -1})
            docbuild::putAssignment(static_cast<int16_t>(page), subIndex, -2);
    docbuild::putAssignment(0, 0, -2);
    EXPECT_EQ(removeDividers(1, -1, 14).erased, 10);
    ASSERT_EQ(docbuild::assignments().size(), 1u);
    EXPECT_EQ(docbuild::assignments()[0].page, 0) << "page 0 lies before the walk's first key";
}

} // namespace
