#include <gtest/gtest.h>

#include <string>

#include "core/document_file.h"
#include "core/document_records.h"
#include "host/record_keys.h"

using standin::Bytes;
using standin::RecordStore;

namespace {

const char *const kFullDocument = R"({
  "pages": [ { "page": 1, "firstSystem": 1 }, { "page": 2, "firstSystem": -1 } ],
  "systems": [ { "system": 1, "spaceAbove": -200, "spaceBelow": -150, "systemPercent": 100,
                 "systemFlags": 50178 } ],
  "staffLists": [ { "list": 0, "staves": [ { "staff": 1, "position": 0 },
                                           { "staff": 65535, "position": -70000 } ] },
                  { "list": 4, "staves": [ { "staff": 2 } ] } ],
  "staves": [ { "staff": 1, "lineMode": 0, "lineCount": 5, "staffFlags": 4 } ],
  "staffScales": [ { "system": 2, "staff": 1, "staffPercent": 50 } ],
  "documentOptions": { "measurementUnit": -2 },
  "partMark": -8,
  "textBlocks": [ { "number": 1, "text": "^font(EngraverFontSet)^size(14)^efx(plain)\u00bb\u0000" },
                  { "number": 2, "text": "ab", "claimedSize": 2147483632 } ],
  "expressionDefs": [ { "number": 1, "subIndex": 0, "textBlock": 1, "bytes":
      "0000000000000000640000000000081a0000000000000000000000000000000000000000000000000000000000000000" } ],
  "expressionAssignments": [ { "page": 2, "subIndex": 3, "expressionNumber": 1, "hPosition": -5,
                               "vPosition": -685, "page2": 2, "originFlags": 20 } ]
})";

RecordStore parsed(const std::string &text) {
    RecordStore store;
    standin::PendingLayout pending;
    auto error = standin::parseDocument(text, "doc.json", store, pending);
    EXPECT_FALSE(error) << error->line();
    return store;
}

int32_t fieldAt(const RecordStore &store, uint32_t tag, const standin::KeyWords &key, size_t offset,
                size_t width, bool isSigned) {
    const Bytes *record = store.find(tag, key);
    return record ? standin::readInt(*record, offset, width, isSigned) : INT32_MIN;
}

} // namespace

TEST(DocumentFile, FieldsLandAtTheirOffsetsWithTheirWidths) {
    const RecordStore store = parsed(kFullDocument);
    EXPECT_EQ(store.find(kPageRecordTag, {1, 0})->size(), 22u);
    EXPECT_EQ(fieldAt(store, kPageRecordTag, {2, 0}, 8, 2, true), -1);
    EXPECT_EQ(fieldAt(store, kSystemRecordTag, {1, 0}, 0, 2, true), -200);
    EXPECT_EQ(fieldAt(store, kSystemRecordTag, {1, 0}, 6, 2, true), -150);
    EXPECT_EQ(fieldAt(store, kSystemRecordTag, {1, 0}, 18, 2, false), 0xC402);
    EXPECT_EQ(fieldAt(store, kStaffListEntryTag, {0, 1}, 0, 2, false), 0xFFFF);
    EXPECT_EQ(fieldAt(store, kStaffListEntryTag, {0, 1}, 8, 4, true), -70000);
    EXPECT_EQ(fieldAt(store, kStaffListEntryTag, {4, 0}, 0, 2, false), 2);
    EXPECT_EQ(fieldAt(store, kStaffRecordTag, {1, 0}, 16, 4, true), 5);
    EXPECT_EQ(fieldAt(store, kStaffRecordTag, {1, 0}, 22, 2, false), 4);
    EXPECT_EQ(fieldAt(store, kStaffScaleRecordTag, {2, 1, 0}, 0, 4, true), 50);
    EXPECT_EQ(store.find(kDocumentOptionsRecordTag, {0, 0})->size(), 61u);
    // The module reads 32 bits at offset 30; the two bytes above the unit are 0.
    EXPECT_EQ(fieldAt(store, kDocumentOptionsRecordTag, {0, 0}, 30, 4, false), 0xFFFE);
    EXPECT_EQ(fieldAt(store, kPartMarkRecordTag, {0xFFFE, 0}, 8, 2, true), -8);

    const Bytes *text = store.find(kTextBlockTag, {1, 0});
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->size(), 44u);
    EXPECT_EQ((*text)[42], 0xBB);
    EXPECT_EQ((*text)[43], 0x00);
    EXPECT_FALSE(store.claimedSize(kTextBlockTag, {1, 0}));
    EXPECT_EQ(store.find(kTextBlockTag, {2, 0})->size(), 2u);
    EXPECT_EQ(store.claimedSize(kTextBlockTag, {2, 0}), 0x7FFFFFF0);

    const Bytes *assignment = store.find(kExpressionAssignmentTag, {2, 3});
    ASSERT_NE(assignment, nullptr);
    EXPECT_EQ(assignment->size(), 24u);
    EXPECT_EQ(standin::readInt(*assignment, 2, 2, true), -5);
    EXPECT_EQ(standin::readInt(*assignment, 6, 2, true), 2); // the page copy from the key
    EXPECT_EQ(standin::readInt(*assignment, 10, 2, true), 20);
}

TEST(DocumentFile, WrittenDocumentReadsBackToTheSameStoreAndText) {
    const RecordStore first = parsed(kFullDocument);
    const std::string written = standin::documentJson(first, std::nullopt);
    const RecordStore second = parsed(written);
    EXPECT_TRUE(first == second);
    EXPECT_EQ(standin::documentJson(second, std::nullopt), written);
    // Non-ASCII goes out as \u escapes; defs and assignments carry their whole bytes.
    EXPECT_NE(written.find(R"(\u00bb\u0000")"), std::string::npos);
    EXPECT_NE(written.find(R"("page2": 2)"), std::string::npos);
    EXPECT_NE(written.find(R"("claimedSize": 2147483632)"), std::string::npos);
    EXPECT_NE(written.find(R"("bytes": "0100000000000000640000000000081a00)"), std::string::npos)
        << written;
}

TEST(DocumentFile, NamedFieldsGoOverBytesButThePageCopyComesFromBytes) {
    // Bytes give expressionNumber 9 and a page copy of 7 that disagrees with the key's page 3.
    const RecordStore store = parsed(R"({"expressionAssignments": [ { "page": 3, "hPosition": 11,
        "bytes": "0900000000000700070000000000000000000000000000ff" } ] })");
    const Bytes &record = *store.find(kExpressionAssignmentTag, {3, 0});
    EXPECT_EQ(standin::readInt(record, 0, 2, true), 9); // absent named fields keep the bytes
    EXPECT_EQ(standin::readInt(record, 2, 2, true), 11);
    EXPECT_EQ(standin::readInt(record, 6, 2, true), 7);
    EXPECT_EQ(standin::readInt(record, 8, 2, true), 7);
    EXPECT_EQ(record[23], 0xFF);
    EXPECT_TRUE(parsed(standin::documentJson(store, std::nullopt)) == store);
}

struct RefusedDocument {
    const char *text;
    const char *item;
    const char *problem; // a part of the problem's wording
};

class DocumentRefusal : public testing::TestWithParam<RefusedDocument> {};

TEST_P(DocumentRefusal, NamesTheItemAndLeavesTheStoreEmpty) {
    RecordStore store;
    store.put(kPageRecordTag, {9, 0}, Bytes(22, 0));
    standin::PendingLayout pending = standin::LayoutUpdate{};
    auto error = standin::parseDocument(GetParam().text, "doc.json", store, pending);
    EXPECT_FALSE(pending);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->file, "doc.json");
    EXPECT_EQ(error->item, GetParam().item);
    EXPECT_NE(error->problem.find(GetParam().problem), std::string::npos) << error->problem;
    EXPECT_EQ(error->line().find('\n'), std::string::npos);
    EXPECT_TRUE(store.tags().empty());
}

INSTANTIATE_TEST_SUITE_P(
    BadInputs, DocumentRefusal,
    testing::Values(
        RefusedDocument{"{\"pages\": [", "", "not valid JSON"},
        RefusedDocument{"[]", "", "expected an object"},
        RefusedDocument{R"({"pagez": []})", "pagez", "unknown member"},
        RefusedDocument{R"({"pages": [{"page": 1, "colour": 2}]})", "pages[0].colour",
                        "unknown member"},
        RefusedDocument{R"({"pages": {}})", "pages", "expected an array"},
        RefusedDocument{R"({"pages": [{"page": 1, "firstSystem": "1"}]})", "pages[0].firstSystem",
                        "expected an integer"},
        RefusedDocument{R"({"pages": [{"page": 1, "firstSystem": 1.0}]})", "pages[0].firstSystem",
                        "not an integer"},
        RefusedDocument{
            R"({"systems": [{}, {"system": 2}, {"system": 3}, {"system": 4, "spaceAbove": 40000}]})",
            "systems[3].spaceAbove", "-32768 to 32767"},
        RefusedDocument{R"({"systems": [{"system": 1, "systemFlags": -1}]})",
                        "systems[0].systemFlags", "0 to 65535"},
        RefusedDocument{R"({"staves": [{"staff": 1, "lineCount": 2147483648}]})",
                        "staves[0].lineCount", "out of range"},
        RefusedDocument{R"({"pages": [{"page": -1}]})", "pages[0].page", "0 to 65535"},
        RefusedDocument{R"({"partMark": 99999999999999999999})", "partMark", "not an integer"},
        RefusedDocument{R"({"textBlocks": [{"number": 1, "text": "ab\u0100"}]})",
                        "textBlocks[0].text", "U+0100 at position 2 is above U+00FF"},
        // Only a record as long as its text can claim another size.
        RefusedDocument{R"({"textBlocks": [{"number": 1, "claimedSize": 2147483648}]})",
                        "textBlocks[0].claimedSize", "out of range"},
        RefusedDocument{R"({"pages": [{"page": 1, "claimedSize": 5}]})", "pages[0].claimedSize",
                        "unknown member"},
        RefusedDocument{R"({"expressionDefs": [{"number": 1, "bytes": "00"}]})",
                        "expressionDefs[0].bytes", "1 bytes where the record has 48"},
        RefusedDocument{R"({"expressionAssignments": [{"bytes": "zz"}]})",
                        "expressionAssignments[0].bytes", "not a hex digit"},
        RefusedDocument{R"({"pages": [{"page": 1}, {"page": 1}]})", "pages[1]",
                        "the same key as pages[0]"},
        RefusedDocument{R"({"staffLists": [{"list": 0, "staves": [{}]}, {"staves": [{}]}]})",
                        "staffLists[1].staves[0]", "the same key as staffLists[0].staves[0]"},
        RefusedDocument{R"({"expressionAssignments": [{"page": 1, "page": 2}]})",
                        "expressionAssignments[0].page", "member given twice"},
        // Only the layout can be laid out anew, and its items are named within the member.
        RefusedDocument{R"({"afterLayoutUpdate": {"textBlocks": []}})",
                        "afterLayoutUpdate.textBlocks", "unknown member"},
        RefusedDocument{
            R"({"afterLayoutUpdate": {"systems": [{"system": 1, "spaceAbove": 40000}]}})",
            "afterLayoutUpdate.systems[0].spaceAbove", "out of range"}));

TEST(DocumentFile, MissingFileIsRefusedWithItsName) {
    RecordStore store;
    standin::PendingLayout pending;
    auto error = standin::loadDocumentFile("no/such/document.json", store, pending);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line().rfind("no/such/document.json: cannot open", 0), 0u);
}
