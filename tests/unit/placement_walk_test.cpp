#include <gtest/gtest.h>

#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/placement.h"
#include "document_builder.h"
#include "native/windows_api.h"
#include "settings/module_state.h"

using namespace docbuild;

namespace {

class PlacementWalk : public ::testing::Test {
  protected:
    void SetUp() override {
        standin::resetHost();
        resetModuleState();
        buildDividerTemplates();
        putEvenStaves(2, 300);
    }

    // Systems first..last, each as in the worked example.
    static void putSystems(int32_t first, int32_t last) {
        for (int32_t system = first; system <= last; ++system)
            putSystem(static_cast<int16_t>(system), -200, -150);
    }

    static int32_t place(int16_t firstPage, int16_t lastPage) {
        dividerSettings.firstPage = firstPage;
        dividerSettings.lastPage = lastPage;
        return placeDividers(standin::hostMainWindow(), dividerSettings);
    }

    static std::vector<int16_t> pagesOfAssignments() {
        std::vector<int16_t> pages;
        for (const auto &placed : assignments())
            pages.push_back(placed.page);
        return pages;
    }

    static void removeAssignments() {
        for (const auto &placed : assignments())
            store().remove(kExpressionAssignmentTag, key2(placed.page, placed.subIndex));
    }

    static const std::vector<standin::MessageRecord> &messages() {
        return standin::host().currentInvocation().messages;
    }

    static void expectLayoutError() {
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].caption, "Error");
        EXPECT_EQ(messages()[0].text, "Staff system is not updated correctly.");
        EXPECT_EQ(messages()[0].style, 0x10u);
        EXPECT_EQ(messages()[0].owner, "host");
    }
};

TEST_F(PlacementWalk, PairsStayOnTheirPageAndRunningYRestartsPerPage) {
    putPage(1, 1);
    putPage(2, 5);
    putPage(3, 9);
    putSystems(1, 10);
    dividerSettings.vPositionMode = 1;

    EXPECT_EQ(place(2, 2), 1);
    // Below systems 5, 6 and 7; system 8 ends the page.
    EXPECT_EQ(vPositionsOnPage(2), (std::vector<int16_t>{-750, -1400, -2050}));
    EXPECT_EQ(store().count(kExpressionAssignmentTag), 3u);

    EXPECT_EQ(place(1, 1), 1);
    EXPECT_EQ(vPositionsOnPage(1), (std::vector<int16_t>{-750, -1400, -2050}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(PlacementWalk, PagesWithoutSystemsAreSkippedAndNeverBoundAPage) {
    putPage(1, -1); // title page
    putPage(2, 1);
    putPage(3, -1);
    putPage(4, -1);
    putPage(5, 4);
    putPage(6, 6); // a single system
    putPage(7, 7);
    putSystems(1, 8);

    EXPECT_EQ(place(1, 7), 1);
    EXPECT_EQ(pagesOfAssignments(), (std::vector<int16_t>{2, 2, 5, 7}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(PlacementWalk, EmptyRangesPlaceNothing) {
    putPage(1, 1);
    putPage(2, -1);
    putSystems(1, 3);
    EXPECT_EQ(place(2, 1), 1);
    EXPECT_EQ(place(2, 2), 1);
    EXPECT_EQ(store().count(kExpressionAssignmentTag), 0u);
    EXPECT_EQ(store().count(kTextBlockTag), 0u);
    EXPECT_TRUE(messages().empty());
}

TEST_F(PlacementWalk, MissingSystemEndsTheWalkAsASuccess) {
    // After the document's last system the walk ends, though pages 2 to 5 do not exist.
    putPage(1, 1);
    putSystems(1, 2);
    EXPECT_EQ(place(1, 5), 1);
    EXPECT_EQ(pagesOfAssignments(), (std::vector<int16_t>{1}));
    EXPECT_TRUE(messages().empty());

    // A gap in the systems ends it too, and later pages are not looked at.
    standin::resetHost();
    putEvenStaves(2, 300);
    putPage(1, 1);
    putPage(2, 4);
    putSystems(1, 2);
    putSystems(4, 6);
    EXPECT_EQ(place(1, 2), 1);
    EXPECT_EQ(pagesOfAssignments(), (std::vector<int16_t>{1}));

    // A missing upper system: the lower one is loaded all the same (page 1, then both systems).
    standin::resetHost();
    putEvenStaves(2, 300);
    putPage(1, 1);
    putSystems(2, 3);
    EXPECT_EQ(place(1, 1), 1);
    EXPECT_TRUE(assignments().empty());
    EXPECT_EQ(standin::host().callCounts["OX_LoadEData"], 3);
}

TEST_F(PlacementWalk, RightMarginOriginOnOddAndEvenPages) {
    putPage(3, 1);
    putPage(4, 3);
    putPage(5, 5);
    putSystems(1, 4);
    dividerSettings.hAdjust = 250;
    struct Case {
        int16_t origin;
        bool onPage3;
        bool onPage4;
    };
    const Case cases[] = {{0, false, false}, {1, true, true},   {2, true, false},
                          {3, false, true},  {4, false, false}, {-1, false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE("origin " + std::to_string(c.origin));
        removeAssignments();
        dividerSettings.rightMarginOrigin = c.origin;
        ASSERT_EQ(place(3, 4), 1);
        const auto placed = assignments();
        ASSERT_EQ(placed.size(), 2u);
        for (const auto &divider : placed) {
            const bool right = divider.page == 3 ? c.onPage3 : c.onPage4;
            EXPECT_EQ(divider.originFlags, right ? 0x14 : 0) << "page " << divider.page;
            EXPECT_EQ(divider.hPosition, right ? -250 : 250) << "page " << divider.page;
        }
    }
    // The negation keeps 16 bits.
    removeAssignments();
    dividerSettings.hAdjust = -32768;
    dividerSettings.rightMarginOrigin = 1;
    ASSERT_EQ(place(3, 3), 1);
    EXPECT_EQ(assignments().back().hPosition, -32768);
}

TEST_F(PlacementWalk, OutOfDatePageStopsWithAnErrorAndKeepsEarlierDividers) {
    putPage(1, 0);
    putSystems(1, 4);
    EXPECT_EQ(place(1, 1), 0);
    expectLayoutError();
    EXPECT_EQ(store().count(kTextBlockTag), 0u);

    // A page without a record reads as out of date; the page before it is already placed.
    standin::resetHost();
    putEvenStaves(2, 300);
    putPage(1, 1);
    putPage(3, 3);
    putSystems(1, 4);
    EXPECT_EQ(place(1, 3), 0);
    expectLayoutError();
    EXPECT_EQ(pagesOfAssignments(), (std::vector<int16_t>{1}));
}

TEST_F(PlacementWalk, OutOfDateNextPageStopsBeforePlacing) {
    putPage(1, 1);
    putPage(2, 3);
    putPage(3, -1);
    putPage(4, 0);
    putSystems(1, 6);
    EXPECT_EQ(place(1, 2), 0);
    expectLayoutError();
    EXPECT_EQ(pagesOfAssignments(), (std::vector<int16_t>{1}));
    EXPECT_EQ(store().count(kTextBlockTag), 1u);
}

TEST_F(PlacementWalk, FailedCreationKeepsExactlyWhatWasMadeBefore) {
    // Three dividers make nine records: text block, definition, assignment, in turn.
    const uint32_t order[] = {kTextBlockTag, kTextExpressionDefTag, kExpressionAssignmentTag};
    for (int failing = 1; failing <= 10; ++failing) {
        SCOPED_TRACE("failing call " + std::to_string(failing));
        standin::resetHost();
        putEvenStaves(2, 300);
        putPage(1, 1);
        putSystems(1, 4);
        standin::host().failRules.push_back({"OX_CreateEData", failing});

        EXPECT_EQ(place(1, 1), failing <= 9 ? 0 : 1);
        std::map<uint32_t, size_t> expected;
        for (int made = 0; made < std::min(failing - 1, 9); ++made)
            ++expected[order[made % 3]];
        for (uint32_t tag : order)
            EXPECT_EQ(store().count(tag), expected[tag]) << "tag " << tag;
        EXPECT_TRUE(messages().empty());
    }
}

TEST_F(PlacementWalk, WalksReachTheSixteenBitLimits) {
    // The last page number and the last system number: the walk must end, not wrap.
    putPage(32766, -1);
    putPage(32767, 32765);
    putSystems(32765, 32767);
    EXPECT_EQ(place(32766, 32767), 1);
    EXPECT_EQ(pagesOfAssignments(), (std::vector<int16_t>{32767, 32767}));
    EXPECT_TRUE(messages().empty());

    store().put(kPageRecordTag, key2(32767, 0), {});
    putPage(32767, -1);
    EXPECT_EQ(place(32767, 32767), 1);
    EXPECT_TRUE(messages().empty());
}

} // namespace
