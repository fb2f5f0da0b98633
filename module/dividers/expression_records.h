// The records that make one divider: a TextBlock holds the text, a TextExpressionDef refers to it,
// and an ExpressionAssignment places the definition on a page.
#pragma once

#include <cstddef>
#include <cstdint>

// The host's text expression definition, written and read whole.
#pragma pack(push, 1)
struct TextExpressionDef {
    int16_t textBlockNumber; // read back on removal to find the definitions of divider texts
    uint8_t reserved2[6];
    int16_t value8; // 100 on every divider
    uint8_t reserved10[4];
    uint16_t flags14; // 0x1A08 on every divider
    uint8_t reserved16[32];
};
#pragma pack(pop)

static_assert(sizeof(TextExpressionDef) == 48, "a definition is 48 bytes");
static_assert(offsetof(TextExpressionDef, textBlockNumber) == 0, "layout of the definition");
static_assert(offsetof(TextExpressionDef, value8) == 8, "layout of the definition");
static_assert(offsetof(TextExpressionDef, flags14) == 14, "layout of the definition");

constexpr int32_t kTextExpressionDefSize = sizeof(TextExpressionDef);
constexpr int16_t kDividerDefinitionValue8 = 100;
constexpr uint16_t kDividerDefinitionFlags14 = 0x1A08;

#pragma pack(push, 1)
struct ExpressionAssignment {
    int16_t expressionNumber;
    int16_t hPosition;
    int16_t vPosition; // in the page's accumulated frame, growing upward
    int16_t page;
    int16_t pageCopy;
    int16_t originFlags;
    uint8_t reserved12[12];
};
#pragma pack(pop)

static_assert(sizeof(ExpressionAssignment) == 24, "expression assignment size");
static_assert(offsetof(ExpressionAssignment, expressionNumber) == 0, "assignment layout");
static_assert(offsetof(ExpressionAssignment, hPosition) == 2, "assignment layout");
static_assert(offsetof(ExpressionAssignment, vPosition) == 4, "assignment layout");
static_assert(offsetof(ExpressionAssignment, page) == 6, "assignment layout");
static_assert(offsetof(ExpressionAssignment, pageCopy) == 8, "assignment layout");
static_assert(offsetof(ExpressionAssignment, originFlags) == 10, "assignment layout");

constexpr int32_t kExpressionAssignmentSize = sizeof(ExpressionAssignment);
// The origin flags of an assignment whose H is measured from the right margin.
constexpr int16_t kRightMarginOriginFlags = 0x14;
