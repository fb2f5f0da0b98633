#include <gtest/gtest.h>

#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/placement.h"
#include "document_builder.h"
#include "native/windows_api.h"
#include "settings/module_state.h"

using namespace docbuild;

namespace {

// One pair on page 1: systems 1 and 2 (page 2 starts with system 3), staves 1 and 2 at 0 and -300.
class PlacementPosition : public ::testing::Test {
  protected:
    void SetUp() override {
        standin::resetHost();
        resetModuleState();
        buildDividerTemplates();
        putPage(1, 1);
        putPage(2, 3);
        putEvenStaves(2, 300);
        upper = {-200, -150, 100, 0};
        lower = {-100, -150, 100, 0};
    }

    // The vertical position of the one divider placed on page 1.
    int16_t place(int16_t mode) {
        putSystem(1, upper);
        putSystem(2, lower);
        dividerSettings.vPositionMode = mode;
        for (const auto &placed : assignments())
            store().remove(kExpressionAssignmentTag, key2(placed.page, placed.subIndex));
        EXPECT_EQ(placeDividers(standin::hostMainWindow(), dividerSettings), 1);
        const auto positions = vPositionsOnPage(1);
        EXPECT_EQ(positions.size(), 1u);
        return positions.empty() ? 0 : positions[0];
    }

    SystemSpec upper;
    SystemSpec lower;
};

TEST_F(PlacementPosition, WorkedExampleInBothModes) {
    // yA -620, lower boundary -650, yB -750.
    EXPECT_EQ(place(0), -685);
    EXPECT_EQ(place(1), -700);
    // Modes other than 1 take the staff lines.
    EXPECT_EQ(place(2), -685);
    EXPECT_EQ(place(-1), -685);
}

TEST_F(PlacementPosition, HalvingTruncatesTowardZero) {
    lower.spaceAbove = -101; // yB -751: -131 / 2 is -65; halfGap -50
    EXPECT_EQ(place(0), -685);
    EXPECT_EQ(place(1), -700);
    // The lower system's first line above the upper one's last, yB -609 over yA -620: half the
    // difference, 5, not half of the odd sum, -614.5 cut to -614.
    lower.spaceAbove = 41;
    EXPECT_EQ(place(0), -615);
    // Odd spaces count whole before the halving: yA -621, lower boundary -652, yB -753.
    upper = {-201, -151, 100, 0};
    lower.spaceAbove = -101;
    EXPECT_EQ(place(0), -687);
    EXPECT_EQ(place(1), -702);
}

TEST_F(PlacementPosition, AdjustmentIsAddedInSixteenBits) {
    dividerSettings.vAdjust = 72;
    EXPECT_EQ(place(0), -613);
    EXPECT_EQ(place(1), -628);

    upper = {-20000, -10000, 100, 0}; // lower boundary -30300
    lower = {-4000, 0, 100, 0};       // halfGap -2000
    dividerSettings.vAdjust = -1000;
    EXPECT_EQ(place(1), static_cast<int16_t>(-33300));
}

TEST_F(PlacementPosition, ScaledUpperSystemTruncatesEachScaledTerm) {
    putStaffList(0, {{1, 0}, {2, -30}});
    upper = {-200, -150, 75, kScaledSystem};
    // (-30 - 120) * 75 / 100 = -112.5 -> -112, yA -312; (-150 - 30) * 75 / 100 = -135, runningY
    // -335; yB -435; -312 + (-123 / 2) = -373 (an early floor would give -374).
    EXPECT_EQ(place(0), -373);
    EXPECT_EQ(place(1), -385);
}

TEST_F(PlacementPosition, ScaledLowerSystemScalesOnlyItsFirstStaff) {
    putStaff(1, {5, 0, kHiddenStaff});
    putStaffList(0, {{1, -10}, {2, -45}, {3, -300}});
    putStaff(3);
    lower = {-100, -150, 50, kScaledSystem};
    // lastPos -300, yA -620, runningY -650; firstPos -45 * 50 / 100 = -22; yB -772; -620 - 76 =
    // -696.
    EXPECT_EQ(place(0), -696);
    // The lower system's spaceAbove is never scaled.
    EXPECT_EQ(place(1), -700);
}

TEST_F(PlacementPosition, StaffScalingOfTheUpperSystemChangesItsLastHeight) {
    upper.systemFlags = kScaledStaves;
    putStaffScale(1, 2, 50); // 120 -> 60: yA -560, yB -750, -655
    EXPECT_EQ(place(0), -655);
    putStaffScale(1, 2, 300); // 360: yA -860, -805
    EXPECT_EQ(place(0), -805);
    // 32768 reads as -32768, whose negation in 16 bits is itself: yA -33268, -17009.
    putStaffScale(1, 2, 27307);
    EXPECT_EQ(place(0), -17009);
}

TEST_F(PlacementPosition, UpperSystemsOwnListBitChoosesTheListsOfBoth) {
    putStaff(3);
    putStaff(4);
    putStaffList(1, {{3, 0}, {4, -500}}); // upper: lastPos -500
    putStaffList(2, {{4, -40}});          // lower: firstPos -40

    // Upper bit set, lower bit clear: lists 1 and 2. yA -820, runningY -850, yB -990, -905.
    upper.systemFlags = kOwnStaffList;
    EXPECT_EQ(place(0), -905);
    // Upper bit clear, lower bit set: both in list 0, the worked example.
    upper.systemFlags = 0;
    lower.systemFlags = kOwnStaffList;
    EXPECT_EQ(place(0), -685);
    // Upper bit set but no list 2: firstPos 0. yB -950, -885.
    upper.systemFlags = kOwnStaffList;
    lower.systemFlags = 0;
    store().remove(kStaffListEntryTag, key2(2, 0));
    EXPECT_EQ(place(0), -885);
}

TEST_F(PlacementPosition, AssignmentBytes) {
    dividerSettings.hAdjust = -37;
    dividerSettings.vAdjust = 5;
    place(0);
    const auto placed = assignments();
    ASSERT_EQ(placed.size(), 1u);
    standin::Bytes expected(24, 0);
    standin::writeInt(expected, 0, 2, 1); // the first definition made
    standin::writeInt(expected, 2, 2, -37);
    standin::writeInt(expected, 4, 2, -680);
    standin::writeInt(expected, 6, 2, 1);
    standin::writeInt(expected, 8, 2, 1);
    EXPECT_EQ(placed[0].bytes, expected);
    EXPECT_EQ(placed[0].subIndex, 0);
    EXPECT_EQ(textBlockOfDefinition(1), 1);
}

} // namespace
