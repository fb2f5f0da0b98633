#include <gtest/gtest.h>

#include "core/document_records.h"
#include "core/host_state.h"
#include "host/host_services.h"
#include "host/record_keys.h"

using standin::Bytes;
using standin::host;
using standin::KeyWords;

TEST(RecordStoreKeys, HostChosenWordsFollowTheHighestInUse) {
    standin::RecordStore store;
    const uint32_t tag = kExpressionAssignmentTag;
    EXPECT_EQ(*store.create(tag, {0xFFFF, 0xFFFF}, {}), (KeyWords{1, 0}));
    EXPECT_EQ(*store.create(tag, {7, 0xFFFF}, {}), (KeyWords{7, 0}));
    EXPECT_EQ(*store.create(tag, {7, 0xFFFF}, {}), (KeyWords{7, 1}));
    store.put(tag, {3, 40}, {});
    EXPECT_EQ(*store.create(tag, {3, 0xFFFF}, {}), (KeyWords{3, 41}));
    EXPECT_EQ(*store.create(tag, {0xFFFF, 5}, {}), (KeyWords{8, 5}));
    EXPECT_FALSE(store.create(tag, {7, 1}, {})); // taken
    // Three-word keys choose the last word under the first two.
    store.put(kStaffScaleRecordTag, {2, 1, 4}, {});
    EXPECT_EQ(*store.create(kStaffScaleRecordTag, {2, 1, 0xFFFF}, {}), (KeyWords{2, 1, 5}));
    EXPECT_EQ(*store.create(kStaffScaleRecordTag, {2, 2, 0xFFFF}, {}), (KeyWords{2, 2, 0}));
    // 0xFFFF is never given out: it means "chosen by the host".
    store.put(kTextBlockTag, {0xFFFE, 0}, {});
    EXPECT_FALSE(store.create(kTextBlockTag, {0xFFFF, 0}, {}));
    store.put(tag, {9, 0xFFFE}, {});
    EXPECT_FALSE(store.create(tag, {9, 0xFFFF}, {}));
}

// A result as the module judges it, on its low half; the high half is never 0 and never the last
// result's, as a real host's registers leave it.
bool judged(int32_t result) {
    static uint16_t lastHigh = 0;
    const auto high = static_cast<uint16_t>(static_cast<uint32_t>(result) >> 16);
    EXPECT_NE(high, 0);
    EXPECT_NE(high, lastHigh);
    lastHigh = high;
    return hostSucceeded(result);
}

class PluginRecordChanges : public testing::Test {
  protected:
    void SetUp() override { standin::resetHost(); }
};

TEST_F(PluginRecordChanges, OnlyTextExpressionsTheDocumentCanHold) {
    uint8_t buffer[64] = {};
    RecordKey key = {kHostChosenKeyWord, 0};
    EXPECT_TRUE(judged(OX_CreateEData(kTextBlockTag, &key, buffer, 3)));
    EXPECT_EQ(key.number, 1);
    key = {1, kHostChosenKeyWord}; // would be (1, 1): a text block has no sub-index
    EXPECT_FALSE(judged(OX_CreateEData(kTextBlockTag, &key, buffer, 3)));
    key = {kHostChosenKeyWord, kHostChosenKeyWord};
    EXPECT_FALSE(judged(OX_CreateEData(kTextExpressionDefTag, &key, buffer, 47)));
    EXPECT_TRUE(judged(OX_CreateEData(kTextExpressionDefTag, &key, buffer, 48)));
    key = {4, kHostChosenKeyWord};
    EXPECT_TRUE(judged(OX_CreateEData(kExpressionAssignmentTag, &key, buffer, 24)));
    EXPECT_EQ(key.subIndex, 0);
    // The layout is the host's own.
    key = {1, 0};
    EXPECT_FALSE(judged(OX_CreateEData(kPageRecordTag, &key, buffer, 22)));
    host().store.put(kPageRecordTag, {1, 0}, Bytes(22, 0));
    EXPECT_FALSE(judged(OX_DeleteEData(kPageRecordTag, &key)));
    EXPECT_EQ(host().store.count(kPageRecordTag), 1u);
    EXPECT_EQ(host().store.count(kTextBlockTag), 1u);
    EXPECT_EQ(host().store.count(kTextExpressionDefTag), 1u);
}

TEST_F(PluginRecordChanges, FailRuleFailsExactlyTheNthCallAndChangesNothing) {
    host().failRules.push_back({"OX_CreateEData", 2});
    uint8_t buffer[24] = {};
    RecordKey key = {5, kHostChosenKeyWord};
    EXPECT_TRUE(judged(OX_CreateEData(kExpressionAssignmentTag, &key, buffer, 24)));
    key = {5, kHostChosenKeyWord};
    EXPECT_FALSE(judged(OX_CreateEData(kExpressionAssignmentTag, &key, buffer, 24)));
    EXPECT_EQ(key.subIndex, kHostChosenKeyWord); // the key is not written back
    EXPECT_TRUE(judged(OX_CreateEData(kExpressionAssignmentTag, &key, buffer, 24)));
    EXPECT_EQ(key.subIndex, 1);
    EXPECT_EQ(host().store.count(kExpressionAssignmentTag), 2u);
    EXPECT_EQ(host().callCounts["OX_CreateEData"], 3);
}
