// One divider between two systems, placed with each of the placement's record calls failing in
// turn; every outcome is worked out by hand below.
#include <gtest/gtest.h>

#include <optional>

#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/placement.h"
#include "document_builder.h"
#include "native/windows_api.h"
#include "settings/module_state.h"

namespace {

// Page 1 holds systems 1 and 2; system 1's staves are scaled. The document's list: staff 1
// (hidden) at 0, staff 2 at -100, staff 3 at -300, five lines each; in system 1 staff 2 is scaled
// to 200 % and staff 3 to 50 %.
//
// Unfailed: lastPos -300, height 60 (staff 3 at 50 %), firstPos -100 (staff 2).
//   runningY = -200; yA = -200 - 300 - 60 = -560; runningY = -200 - 150 - 300 = -650;
//   yB = -100 - 650 - 100 = -850; vPosition = -560 + (-290 / 2) = -705.
class OneDivider : public testing::Test {
  protected:
    void SetUp() override {
        standin::resetHost();
        buildDividerTemplates();
        docbuild::putPage(1, 1);
        docbuild::putSystem(1, -200, -150, 100, docbuild::kScaledStaves);
        docbuild::putSystem(2, -100, -150);
        docbuild::putStaff(1, {5, 0, docbuild::kHiddenStaff});
        docbuild::putStaff(2);
        docbuild::putStaff(3);
        docbuild::putStaffList(0, {{1, 0}, {2, -100}, {3, -300}});
        docbuild::putStaffScale(1, 2, 200);
        docbuild::putStaffScale(1, 3, 50);
        resetModuleState();
    }

    struct Placed {
        int32_t result;
        size_t messages;
        size_t textBlocks;
        size_t definitions;
        std::optional<int16_t> vPosition; // of the one assignment, if it was created
    };

    static Placed placeFailing(const char *service, int64_t call) {
        standin::host().failRules = {{service, call}};
        Placed placed;
        placed.result = placeDividers(standin::hostMainWindow(), dividerSettings);
        placed.messages = standin::host().currentInvocation().messages.size();
        placed.textBlocks = docbuild::store().count(kTextBlockTag);
        placed.definitions = docbuild::store().count(kTextExpressionDefTag);
        const auto assignments = docbuild::assignments();
        if (assignments.size() == 1)
            placed.vPosition = assignments[0].vPosition;
        EXPECT_LE(assignments.size(), 1u);
        return placed;
    }
};

TEST_F(OneDivider, EachLoadFailing) {
    // The loads in the order the placement makes them, with what a failure there gives: the
    // divider's vertical position, or no divider at all.
    struct Case {
        const char *what;
        std::optional<int16_t> vPosition;
        int32_t result;
    };
    const Case cases[] = {
        // Reads as an out-of-date layout: the error box, and the placement fails.
        {"page 1", std::nullopt, 0},
        // A missing system ends the walk as a success.
        {"system 1", std::nullopt, 1},
        {"system 2", std::nullopt, 1},
        // The upper system's walk for its last visible staff.
        // Ends at once: lastPos 0, height 0; yA = -200, runningY = -350, yB = -550.
        {"entry 0 (last)", -375, 1},
        {"staff 1 (last), hidden anyway", -705, 1},
        {"entry 1 (last): ends after the hidden staff", -375, 1},
        {"staff 2 (last): passed over, staff 3 is last", -705, 1},
        {"scale of staff 2: staff 3 is last anyway", -705, 1},
        // Ends after staff 2: lastPos -100, height 240; yA = -540, runningY = -450, yB = -650.
        {"entry 2 (last)", -595, 1},
        {"staff 3 (last): passed over, staff 2 is last", -595, 1},
        // Staff 3 unscaled, height 120: yA = -620, yB = -850.
        {"scale of staff 3", -735, 1},
        {"entry 3 (last), absent anyway", -705, 1},
        // The lower system's walk for its first visible staff. Ends at once: firstPos 0, yB = -750.
        {"entry 0 (first)", -655, 1},
        {"staff 1 (first), hidden anyway", -705, 1},
        {"entry 1 (first): ends after the hidden staff", -655, 1},
        // Staff 2 passed over: firstPos -300, yB = -1050.
        {"staff 2 (first)", -805, 1},
        // The next pair's upper system: the walk ends after the divider.
        {"system 2 again", -705, 1},
        {"system 3, absent anyway", -705, 1},
    };
    int64_t call = 0;
    for (const Case &expected : cases) {
        SetUp();
        SCOPED_TRACE(expected.what);
        const Placed placed = placeFailing("OX_LoadEData", ++call);
        EXPECT_EQ(placed.result, expected.result);
        EXPECT_EQ(placed.vPosition, expected.vPosition);
        EXPECT_EQ(placed.messages, expected.result == 0 ? 1u : 0u);
    }
    // One load more than the unfailed placement makes is never reached.
    SetUp();
    EXPECT_EQ(placeFailing("OX_LoadEData", call + 1).vPosition, std::optional<int16_t>(-705));
    EXPECT_EQ(standin::host().callCounts["OX_LoadEData"], call);
}

TEST_F(OneDivider, EachCreationFailing) {
    // Text block, definition, assignment: what was made before the failure stays.
    for (int64_t call = 1; call <= 3; ++call) {
        SCOPED_TRACE("creation " + std::to_string(call) + " failing");
        SetUp();
        const Placed placed = placeFailing("OX_CreateEData", call);
        EXPECT_EQ(placed.result, 0);
        EXPECT_EQ(placed.textBlocks, call > 1 ? 1u : 0u);
        EXPECT_EQ(placed.definitions, call > 2 ? 1u : 0u);
        EXPECT_FALSE(placed.vPosition.has_value());
        EXPECT_EQ(placed.messages, 0u) << "the caller reports a failed creation";
    }
}

TEST_F(OneDivider, FailingSearchForTheNextPageChangesNothingWhenThereIsNone) {
    const Placed placed = placeFailing("OX_NextEData", 1);
    EXPECT_EQ(placed.result, 1);
    EXPECT_EQ(placed.vPosition, std::optional<int16_t>(-705));
}

} // namespace
