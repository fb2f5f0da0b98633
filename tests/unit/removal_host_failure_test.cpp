// How a removal carries on when the host refuses one of its record calls, and what it counts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/removal.h"
#include "document_builder.h"

namespace {

// While armed, the program's allocations are counted, and when refusing is set those of 16 bytes
// and more are refused: the host's own key copies still get their few bytes.
bool allocationsArmed = false;
bool refuseAllocations = false;
size_t bytesAllocated = 0;
constexpr size_t kRefusedFrom = 16;

} // namespace

void *operator new(std::size_t size) {
    if (allocationsArmed) {
        if (refuseAllocations && size >= kRefusedFrom)
            throw std::bad_alloc();
        bytesAllocated += size;
    }
    if (void *memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}
void operator delete(void *memory) noexcept { std::free(memory); }
void operator delete(void *memory, std::size_t) noexcept { std::free(memory); }

namespace {

class RemovalHostFailure : public ::testing::Test {
  protected:
    // Three dividers on pages 1 to 3; the text-block walk makes two loads per block: its length,
    // then its text.
    void SetUp() override {
        standin::resetHost();
        buildDividerTemplates();
        for (int16_t n = 1; n <= 3; ++n) {
            docbuild::putTextBlock(n, docbuild::dividerText(14));
            docbuild::putExpressionDef(n, 0, n);
            docbuild::putAssignment(n, 0, n);
        }
    }
    static void failCall(const char *service, int64_t call) {
        standin::host().failRules.push_back({service, call});
    }
    static std::vector<int16_t> pagesLeft() {
        std::vector<int16_t> pages;
        for (const auto &placed : docbuild::assignments())
            pages.push_back(placed.page);
        return pages;
    }
};

TEST_F(RemovalHostFailure, FailingLengthQueryEndsTheTextBlockWalk) {
    failCall("OX_LoadEData", 3); // the length of block 2
    EXPECT_EQ(removeDividers(1, 3, 14).erased, 1);
    EXPECT_EQ(pagesLeft(), (std::vector<int16_t>{2, 3}));
}

TEST_F(RemovalHostFailure, BlockWhoseTextCannotBeLoadedIsSkipped) {
    failCall("OX_LoadEData", 4); // the text of block 2
    EXPECT_EQ(removeDividers(1, 3, 14).erased, 2);
    EXPECT_EQ(pagesLeft(), (std::vector<int16_t>{2}));
}

TEST_F(RemovalHostFailure, OnlyConfirmedDeletionsCount) {
    const struct {
        std::vector<int64_t> refused; // deletion calls the host refuses; the last key goes first
        int32_t erased;
        std::vector<int16_t> left;
    } cases[] = {
        {{1}, 2, {3}},
        {{1, 2, 3}, 0, {1, 2, 3}},
    };
    for (const auto &deletion : cases) {
        SCOPED_TRACE(testing::PrintToString(deletion.refused));
        SetUp();
        for (int64_t call : deletion.refused)
            failCall("OX_DeleteEData", call);
        const RemovalResult result = removeDividers(1, 3, 14);
        EXPECT_EQ(result.found, 3);
        EXPECT_EQ(result.erased, deletion.erased);
        EXPECT_EQ(pagesLeft(), deletion.left);
    }
}

TEST_F(RemovalHostFailure, KeyReachedTwiceIsDeletedOnce) {
    // A second definition 2 (sub-index 1) of block 2 leads to page 2's divider again.
    docbuild::putExpressionDef(2, 1, 2);
    const RemovalResult result = removeDividers(1, 3, 14);
    EXPECT_EQ(result.found, 3);
    EXPECT_EQ(result.erased, 3);
    EXPECT_EQ(standin::host().callCounts["OX_DeleteEData"], 3);
    EXPECT_TRUE(pagesLeft().empty());
}

TEST_F(RemovalHostFailure, WithoutMemoryNothingIsDeleted) {
    // The host's call counts are in place before memory runs out.
    for (const char *service : {"OX_LoadEData", "OX_NextEData", "OX_DeleteEData"})
        standin::host().callCounts[service] = 0;
    allocationsArmed = refuseAllocations = true;
    const RemovalResult result = removeDividers(1, 3, 14);
    allocationsArmed = refuseAllocations = false;
    EXPECT_TRUE(result.outOfMemory);
    EXPECT_EQ(result.erased, 0);
    EXPECT_EQ(pagesLeft(), (std::vector<int16_t>{1, 2, 3}));
}

TEST_F(RemovalHostFailure, SmallDocumentNeedsLittleMemory) {
    bytesAllocated = 0;
    allocationsArmed = true;
    const RemovalResult result = removeDividers(1, 3, 14);
    allocationsArmed = false;
    EXPECT_EQ(result.erased, 3);
    // Three dividers: a few small lists, not tables over every key number.
    EXPECT_LT(bytesAllocated, 4096u);
}

} // namespace
