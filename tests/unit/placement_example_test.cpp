#include <gtest/gtest.h>

#include <map>

#include "core/document_file.h"
#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/placement.h"
#include "document_builder.h"
#include "layout/geometry.h"
#include "native/windows_api.h"
#include "settings/module_state.h"

using namespace docbuild;

namespace {

std::string examplePath() {
    std::string path = __FILE__;
    return path.substr(0, path.rfind("tests/unit/")) + "examples/orchestral_score.json";
}

// Where one system lies on its page, in the page's frame, worked out from the records on their own.
struct SystemExtent {
    int32_t topLine;
    int32_t lastStaffBottom;
};

std::map<int, SystemExtent> systemExtents(int16_t firstSystem, int16_t endSystem) {
    std::map<int, SystemExtent> extents;
    double runningY = 0;
    for (int number = firstSystem; number <= endSystem; ++number) {
        const standin::Bytes *system = store().find(kSystemRecordTag, key2(number, 0));
        if (system == nullptr)
            break;
        const int flags = standin::readInt(*system, 18, 2, false);
        const double scale =
            (flags & kScaledSystem) ? standin::readInt(*system, 16, 2, true) / 100.0 : 1;
        const double top = runningY + standin::readInt(*system, 0, 2, true);
        double lastPos = 0;
        double lastHeight = 0;
        const int list = (flags & kOwnStaffList) ? number : 0;
        for (int index = 0;; ++index) {
            const standin::Bytes *entry = store().find(kStaffListEntryTag, key2(list, index));
            if (entry == nullptr)
                break;
            const int staffNumber = standin::readInt(*entry, 0, 2, false);
            const standin::Bytes *staff = store().find(kStaffRecordTag, key2(staffNumber, 0));
            if (staff == nullptr || (standin::readInt(*staff, 22, 2, false) & kHiddenStaff))
                continue;
            lastPos = standin::readInt(*entry, 8, 4, true);
            lastHeight = standin::readInt(*staff, 14, 2, false)
                             ? 120
                             : 24 * standin::readInt(*staff, 16, 4, true);
            const standin::Bytes *percent =
                store().find(kStaffScaleRecordTag, {static_cast<uint16_t>(number),
                                                    static_cast<uint16_t>(staffNumber), 0});
            if ((flags & kScaledStaves) && percent != nullptr)
                lastHeight = lastHeight * standin::readInt(*percent, 0, 4, true) / 100;
        }
        extents[number] = {static_cast<int32_t>(top),
                           static_cast<int32_t>(top + (lastPos - lastHeight) * scale)};
        runningY = top + (standin::readInt(*system, 6, 2, true) + lastPos) * scale;
    }
    return extents;
}

class ExampleScore : public ::testing::TestWithParam<int16_t> {
  protected:
    void SetUp() override {
        standin::resetHost();
        const standin::InputResult refused =
            standin::loadDocumentFile(examplePath(), store(), standin::host().pendingLayout);
        ASSERT_FALSE(refused) << refused->line();
        resetModuleState();
        buildDividerTemplates();
    }
};

TEST_P(ExampleScore, EveryDividerSitsBetweenItsTwoSystems) {
    dividerSettings.firstPage = 1;
    dividerSettings.lastPage = countPages();
    dividerSettings.vPositionMode = GetParam();
    ASSERT_EQ(dividerSettings.lastPage, 8);
    ASSERT_EQ(placeDividers(standin::hostMainWindow(), dividerSettings), 1);

    const std::map<int16_t, std::pair<int16_t, int16_t>> pageSystems = {
        {3, {2, 3}}, {4, {4, 6}}, {5, {7, 10}}, {7, {11, 12}}, {8, {13, 14}}};
    size_t expectedCount = 0;
    for (const auto &[page, range] : pageSystems) {
        const auto extents = systemExtents(range.first, range.second);
        const auto positions = vPositionsOnPage(page);
        ASSERT_EQ(positions.size(), static_cast<size_t>(range.second - range.first)) << page;
        expectedCount += positions.size();
        for (size_t i = 0; i < positions.size(); ++i) {
            const int upper = range.first + static_cast<int>(i);
            EXPECT_LT(positions[i], extents.at(upper).lastStaffBottom) << "below system " << upper;
            EXPECT_GT(positions[i], extents.at(upper + 1).topLine) << "below system " << upper;
        }
    }
    EXPECT_EQ(assignments().size(), expectedCount);
}

INSTANTIATE_TEST_SUITE_P(BothModes, ExampleScore, ::testing::Values(0, 1));

} // namespace
