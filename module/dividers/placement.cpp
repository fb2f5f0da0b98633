#include "dividers/placement.h"

#include <cstring>

#include "dividers/divider_expression.h"
#include "dividers/expression_records.h"
#include "dividers/placement_messages.h"
#include "host/host_services.h"
#include "host/record_keys.h"
#include "layout/fixed_width.h"
#include "layout/geometry.h"
#include "layout/layout_records.h"
#include "shell/show_message.h"

namespace {

// The end bound of a page when no later page has systems: every system number. A bound of 32000
// would silently drop the dividers of systems numbered above it; the walk ends at the first
// missing system anyway.
constexpr int32_t kNoLaterSystems = INT16_MAX;

enum class PairResult { placed, walkEnded, failed };

// A stored value outside the dialog's choices counts as never.
bool usesRightOrigin(int16_t origin, int16_t page) {
    switch (static_cast<MarginOrigin>(origin)) {
    case MarginOrigin::always:
        return true;
    case MarginOrigin::onOddPages:
        return page % 2 != 0;
    case MarginOrigin::onEvenPages:
        return page % 2 == 0;
    default:
        return false;
    }
}

int16_t loadFirstSystem(int16_t page) {
    RecordKey key = {page, 0};
    PageRecord record;
    std::memset(&record, 0, sizeof record);
    int32_t size = kPageRecordSize;
    // A missing page reads as zeroes, which is the out-of-date mark.
    OX_LoadEData(kPageRecordTag, &key, &record, &size);
    return record.firstSystem;
}

// The first system of the next page that has systems, if there is one.
bool findNextPagesFirstSystem(int16_t page, int16_t *firstSystem) {
    RecordKey key = {page, 0};
    PageRecord record;
    for (;;) {
        std::memset(&record, 0, sizeof record);
        if (!hostSucceeded(OX_NextEData(kPageRecordTag, &key, &record, kPageRecordSize)))
            return false;
        if (record.firstSystem != kPageWithoutSystems) {
            *firstSystem = record.firstSystem;
            return true;
        }
    }
}

bool loadSystem(int32_t number, SystemRecord *system) {
    RecordKey key = {wrap16(number), 0};
    std::memset(system, 0, sizeof *system);
    int32_t size = kSystemRecordSize;
    return hostSucceeded(OX_LoadEData(kSystemRecordTag, &key, system, &size));
}

int16_t verticalPosition(VerticalMode mode, int32_t runningY, int32_t yA, int32_t yB,
                         int16_t halfGap) {
    if (mode == VerticalMode::systemBoundaries)
        return wrap16(add32(runningY, halfGap));
    return wrap16(add32(yA, div32(sub32(yB, yA), 2)));
}

// The divider between upper system s and lower system s + 1. runningY comes in at the lower
// boundary of the system above s (0 at the top of the page) and leaves at that of s.
PairResult placePair(const DividerSettings &settings, int16_t page, int16_t upperNumber,
                     bool rightOrigin, int32_t *runningY) {
    const int16_t lowerNumber = wrap16(upperNumber + 1);
    SystemRecord upper;
    SystemRecord lower;
    // Both are loaded before either is tested, so the host sees both loads even when one fails.
    const bool upperLoaded = loadSystem(upperNumber, &upper);
    const bool lowerLoaded = loadSystem(lowerNumber, &lower);
    if (!upperLoaded || !lowerLoaded)
        return PairResult::walkEnded;

    const int16_t halfGap = static_cast<int16_t>(lower.spaceAbove / 2);
    // The upper system decides the lists of both.
    const bool ownLists = (upper.systemFlags & kSystemOwnStaffList) != 0;
    const int16_t upperList = ownLists ? upperNumber : kDocumentStaffList;
    const int16_t lowerList = ownLists ? lowerNumber : kDocumentStaffList;

    int16_t lastHeight = 0;
    const int32_t lastPos = lastVisibleStaffPosition(upperList, &upper, upperNumber, &lastHeight);
    const int32_t firstPos = firstVisibleStaffPosition(lowerList);
    const int16_t negatedHeight = wrap16(-static_cast<int32_t>(lastHeight));

    *runningY = add32(*runningY, upper.spaceAbove);
    int32_t yA;
    if ((upper.systemFlags & kSystemScaled) != 0) {
        const int32_t p = upper.systemPercent;
        yA = add32(*runningY, scalePercent(add32(lastPos, negatedHeight), p));
        *runningY = add32(*runningY, scalePercent(add32(upper.spaceBelow, lastPos), p));
    } else {
        yA = add32(add32(*runningY, lastPos), negatedHeight);
        *runningY = add32(add32(*runningY, upper.spaceBelow), lastPos);
    }
    int32_t yB = add32(lower.spaceAbove, *runningY);
    if ((lower.systemFlags & kSystemScaled) != 0)
        yB = add32(yB, scalePercent(firstPos, lower.systemPercent));
    else
        yB = add32(yB, firstPos);

    const int16_t definition = createDividerExpression(settings);
    if (definition == 0)
        return PairResult::failed;

    ExpressionAssignment assignment;
    std::memset(&assignment, 0, sizeof assignment);
    assignment.expressionNumber = definition;
    assignment.page = page;
    assignment.pageCopy = page;
    assignment.originFlags = rightOrigin ? kRightMarginOriginFlags : 0;
    assignment.hPosition =
        rightOrigin ? wrap16(-static_cast<int32_t>(settings.hAdjust)) : settings.hAdjust;
    const auto mode = static_cast<VerticalMode>(settings.vPositionMode);
    assignment.vPosition =
        wrap16(verticalPosition(mode, *runningY, yA, yB, halfGap) + settings.vAdjust);

    RecordKey key = {page, kHostChosenKeyWord};
    if (!hostSucceeded(
            OX_CreateEData(kExpressionAssignmentTag, &key, &assignment, kExpressionAssignmentSize)))
        return PairResult::failed;
    return PairResult::placed;
}

void reportLayoutError(HWND owner) {
    showMessage(owner, kLayoutErrorText, kLayoutErrorCaption, kErrorBoxStyle);
}

} // namespace

bool placeDividers(HWND owner, const DividerSettings &settings) {
    // 32-bit counters: a 16-bit page or system counter would wrap at 32767 and never pass the
    // bound.
    for (int32_t pageNumber = settings.firstPage; pageNumber <= settings.lastPage; ++pageNumber) {
        const int16_t page = static_cast<int16_t>(pageNumber);
        const int16_t firstSystem = loadFirstSystem(page);
        if (firstSystem == kLayoutNotUpToDate) {
            reportLayoutError(owner);
            return false;
        }
        if (firstSystem == kPageWithoutSystems)
            continue;

        // Exclusive: the last system of the page never becomes an upper system.
        int32_t endBound = kNoLaterSystems;
        int16_t nextFirstSystem = 0;
        if (findNextPagesFirstSystem(page, &nextFirstSystem)) {
            if (nextFirstSystem == kLayoutNotUpToDate) {
                reportLayoutError(owner);
                return false;
            }
            endBound = wrap16(nextFirstSystem - 1);
        }
        const bool rightOrigin = usesRightOrigin(settings.rightMarginOrigin, page);

        int32_t runningY = 0;
        for (int32_t system = firstSystem; system < endBound; ++system) {
            switch (
                placePair(settings, page, static_cast<int16_t>(system), rightOrigin, &runningY)) {
            case PairResult::placed:
                break;
            case PairResult::walkEnded:
                return true;
            case PairResult::failed:
                return false;
            }
        }
    }
    return true;
}
