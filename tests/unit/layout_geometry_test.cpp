#include <gtest/gtest.h>

#include "document_builder.h"
#include "layout/geometry.h"
#include "layout/layout_records.h"

using namespace docbuild;

namespace {

class LayoutGeometry : public ::testing::Test {
  protected:
    void SetUp() override { standin::resetHost(); }

    // The last visible staff of list 0 for system 1 with the given flags: position and height.
    std::pair<int32_t, int16_t> lastOf(int16_t list, uint16_t systemFlags = 0,
                                       int16_t systemNumber = 1) {
        SystemRecord system = {};
        system.systemFlags = systemFlags;
        int16_t height = -1;
        const int32_t position = lastVisibleStaffPosition(list, &system, systemNumber, &height);
        return {position, height};
    }
};

TEST_F(LayoutGeometry, VisibleStavesSkipHiddenOnesAtEitherEnd) {
    putStaff(1, {5, 0, kHiddenStaff});
    putStaff(2);
    putStaff(3, {4, 0, 0});
    putStaff(4, {5, 0, kHiddenStaff});
    putStaffList(0, {{1, 0}, {2, -250}, {3, -500}, {4, -750}});

    EXPECT_EQ(firstVisibleStaffPosition(0), -250);
    EXPECT_EQ(lastOf(0), std::make_pair(-500, int16_t{96}));
}

TEST_F(LayoutGeometry, EmptyOrAllHiddenListsGiveZero) {
    EXPECT_EQ(firstVisibleStaffPosition(0), 0);
    EXPECT_EQ(lastOf(0), std::make_pair(0, int16_t{0}));

    putStaff(1, {5, 0, kHiddenStaff});
    putStaffList(7, {{1, -300}, {2, -600}}); // staff 2 has no record: passed over like a hidden one
    EXPECT_EQ(firstVisibleStaffPosition(7), 0);
    EXPECT_EQ(lastOf(7), std::make_pair(0, int16_t{0}));
}

TEST_F(LayoutGeometry, ListEndsAtTheFirstMissingIndex) {
    putStaff(1);
    putStaff(2);
    putStaffList(0, {{1, -100}});
    // An entry after a gap is not part of the list.
    store().put(kStaffListEntryTag, key2(0, 2), [] {
        standin::Bytes bytes(12, 0);
        standin::writeInt(bytes, 0, 2, 2);
        standin::writeInt(bytes, 8, 4, -900);
        return bytes;
    }());
    EXPECT_EQ(lastOf(0).first, -100);
}

TEST_F(LayoutGeometry, PositionIsAFullWidthValueAndStaffNumberSixteenBits) {
    putStaff(-3); // staff 0xFFFD
    putStaffList(0, {{-3, -70000}});
    EXPECT_EQ(firstVisibleStaffPosition(0), -70000);
    EXPECT_EQ(lastOf(0).first, -70000);
}

TEST_F(LayoutGeometry, StaffHeightFromLineModeAndLineCount) {
    const struct {
        StaffSpec staff;
        int16_t height;
    } cases[] = {
        {{5, 0, 0}, 120}, {{4, 0, 0}, 96},  {{1, 0, 0}, 24},
        {{5, 1, 0}, 120}, {{2, 7, 0}, 120}, {{0, 0, 0}, 0},
    };
    for (const auto &c : cases) {
        standin::resetHost();
        putStaff(1, c.staff);
        putStaffList(0, {{1, -40}});
        EXPECT_EQ(lastOf(0).second, c.height) << "lineCount " << c.staff.lineCount;
    }
}

TEST_F(LayoutGeometry, StaffScalingTruncatesAfterTheFullProduct) {
    putStaff(1);
    putStaff(2);
    putStaffList(0, {{1, 0}, {2, -300}});
    const std::pair<int32_t, int16_t> cases[] = {{50, 60}, {33, 39}, {300, 360}, {-33, -39}};
    for (const auto &[percent, height] : cases) {
        putStaffScale(4, 2, percent);
        EXPECT_EQ(lastOf(0, kScaledStaves, 4).second, height) << percent << " percent";
    }
    // Without bit 0x0400, or without a record for this system, the height stays as it is.
    EXPECT_EQ(lastOf(0, 0, 4).second, 120);
    EXPECT_EQ(lastOf(0, kScaledStaves, 5).second, 120);
}

TEST_F(LayoutGeometry, ScaledHeightIsKeptAsSixteenBits) {
    putStaff(1, {1000, 0, 0}); // 24000 high
    putStaffList(0, {{1, 0}});
    putStaffScale(1, 1, 200); // 48000 does not fit and wraps
    EXPECT_EQ(lastOf(0, kScaledStaves, 1).second, static_cast<int16_t>(48000));
}

TEST_F(LayoutGeometry, CountPagesCountsConsecutivePagesFromOne) {
    EXPECT_EQ(countPages(), 0);
    for (int16_t page = 2; page <= 12; ++page)
        putPage(page, 1);
    EXPECT_EQ(countPages(), 0); // no page 1
    putPage(1, -1);
    EXPECT_EQ(countPages(), 12);
    putPage(14, 3);
    EXPECT_EQ(countPages(), 12);
}

TEST_F(LayoutGeometry, CountPagesStopsAtTheHighestPageNumber) {
    for (int32_t page = 1; page <= 32767; ++page)
        putPage(static_cast<int16_t>(page), -1);
    putPage(-32768, -1);
    EXPECT_EQ(countPages(), 32767);
}

TEST_F(LayoutGeometry, MeasurementUnitFromOptionsOrOne) {
    EXPECT_EQ(documentMeasurementUnit(), 1);
    putDocumentOptions(7);
    EXPECT_EQ(documentMeasurementUnit(), 7);
    // Only the low half of the 32-bit field counts.
    standin::Bytes bytes(61, 0);
    standin::writeInt(bytes, 30, 4, 0x00050003);
    store().put(kDocumentOptionsRecordTag, key2(0, 0), bytes);
    EXPECT_EQ(documentMeasurementUnit(), 3);
}

} // namespace
