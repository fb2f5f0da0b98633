#include "document_file.h"

#include <map>
#include <utility>
#include <vector>

#include "document_records.h"
#include "host/record_keys.h"
#include "host_files.h"
#include "strict_json.h"

namespace standin {

namespace {

enum class FieldType { Signed16, Unsigned16, Signed32 };

struct RecordField {
    const char *name;
    size_t offset;
    FieldType type;
};

// An array of records of one tag, each item giving its key words by name and its fields.
struct KeyedSection {
    const char *name;
    uint32_t tag;
    size_t size;
    std::vector<const char *> keyNames; // the leading key words; the words after them are 0
    std::vector<RecordField> fields;
    bool carriesBytes;
    // The assignment repeats its page at offset 6. That copy is taken from the key only when the
    // item has no "bytes": a copy that differs from the key then survives a round trip.
    int keyCopyOffset;
};

const KeyedSection kPages = {"pages",
                             kPageRecordTag,
                             kPageRecordSize,
                             {"page"},
                             {{"firstSystem", 8, FieldType::Signed16}},
                             false,
                             -1};
const KeyedSection kSystems = {"systems",
                               kSystemRecordTag,
                               kSystemRecordSize,
                               {"system"},
                               {{"spaceAbove", 0, FieldType::Signed16},
                                {"spaceBelow", 6, FieldType::Signed16},
                                {"systemPercent", 16, FieldType::Signed16},
                                {"systemFlags", 18, FieldType::Unsigned16}},
                               false,
                               -1};
const KeyedSection kStaves = {"staves",
                              kStaffRecordTag,
                              kStaffRecordSize,
                              {"staff"},
                              {{"lineMode", 14, FieldType::Unsigned16},
                               {"lineCount", 16, FieldType::Signed32},
                               {"staffFlags", 22, FieldType::Unsigned16}},
                              false,
                              -1};
const KeyedSection kStaffScales = {"staffScales",
                                   kStaffScaleRecordTag,
                                   kStaffScaleRecordSize,
                                   {"system", "staff"},
                                   {{"staffPercent", 0, FieldType::Signed32}},
                                   false,
                                   -1};
const KeyedSection kExpressionDefs = {"expressionDefs",
                                      kTextExpressionDefTag,
                                      kTextExpressionDefSize,
                                      {"number", "subIndex"},
                                      {{"textBlock", 0, FieldType::Signed16}},
                                      true,
                                      -1};
const KeyedSection kExpressionAssignments = {"expressionAssignments",
                                             kExpressionAssignmentTag,
                                             kExpressionAssignmentSize,
                                             {"page", "subIndex"},
                                             {{"expressionNumber", 0, FieldType::Signed16},
                                              {"hPosition", 2, FieldType::Signed16},
                                              {"vPosition", 4, FieldType::Signed16},
                                              {"page2", 8, FieldType::Signed16},
                                              {"originFlags", 10, FieldType::Signed16}},
                                             true,
                                             6};

const RecordField kStaffListEntryFields[] = {{"staff", 0, FieldType::Unsigned16},
                                             {"position", 8, FieldType::Signed32}};
const RecordField kMeasurementUnit = {"measurementUnit", 30, FieldType::Signed16};
const RecordField kPartMark = {"partMark", 8, FieldType::Signed16};

size_t widthOf(FieldType type) { return type == FieldType::Signed32 ? 4 : 2; }

int64_t readField(const Json &value, FieldType type, const std::string &item) {
    switch (type) {
    case FieldType::Signed16:
        return integerIn(value, INT16_MIN, INT16_MAX, item);
    case FieldType::Unsigned16:
        return integerIn(value, 0, UINT16_MAX, item);
    case FieldType::Signed32:
        break;
    }
    return integerIn(value, INT32_MIN, INT32_MAX, item);
}

uint16_t readKeyWord(const Json &object, const char *name, const std::string &item) {
    if (!object.contains(name))
        return 0;
    return static_cast<uint16_t>(integerIn(object.at(name), 0, UINT16_MAX, memberOf(item, name)));
}

// Absent fields are 0.
void readFields(const Json &object, const std::vector<RecordField> &fields, Bytes &record,
                const std::string &item) {
    for (const auto &field : fields)
        if (object.contains(field.name))
            writeInt(record, field.offset, widthOf(field.type),
                     readField(object.at(field.name), field.type, memberOf(item, field.name)));
}

int64_t fieldValue(const Bytes &record, const RecordField &field) {
    return readInt(record, field.offset, widthOf(field.type),
                   field.type == FieldType::Signed16 || field.type == FieldType::Signed32);
}

class DocumentReader {
  public:
    explicit DocumentReader(RecordStore &store) : store_(store) {}

    void read(const Json &document) {
        expectObject(document, "");
        for (const auto &section : document.items()) {
            const std::string &name = section.key();
            if (name == kPages.name)
                readKeyed(kPages, section.value());
            else if (name == kSystems.name)
                readKeyed(kSystems, section.value());
            else if (name == "staffLists")
                readStaffLists(section.value());
            else if (name == kStaves.name)
                readKeyed(kStaves, section.value());
            else if (name == kStaffScales.name)
                readKeyed(kStaffScales, section.value());
            else if (name == "documentOptions")
                readDocumentOptions(section.value());
            else if (name == kPartMark.name)
                readPartMark(section.value());
            else if (name == "textBlocks")
                readTextBlocks(section.value());
            else if (name == kExpressionDefs.name)
                readKeyed(kExpressionDefs, section.value());
            else if (name == kExpressionAssignments.name)
                readKeyed(kExpressionAssignments, section.value());
            else
                throw Refusal{name, "unknown member"};
        }
    }

  private:
    void put(uint32_t tag, const KeyWords &key, Bytes record, const std::string &item) {
        auto owner = owners_.emplace(std::make_pair(tag, key), item);
        if (!owner.second)
            throw Refusal{item, "the same key as " + owner.first->second};
        store_.put(tag, key, std::move(record));
    }

    void readKeyed(const KeyedSection &section, const Json &items) {
        expectArray(items, section.name);
        std::vector<const char *> known(section.keyNames);
        for (const auto &field : section.fields)
            known.push_back(field.name);
        if (section.carriesBytes)
            known.push_back("bytes");
        for (size_t index = 0; index < items.size(); ++index) {
            const std::string item = itemAt(section.name, index);
            const Json &object = expectObject(items[index], item);
            refuseUnknownMembers(object, known, item);
            KeyWords key(static_cast<size_t>(keyWidth(section.tag)), 0);
            for (size_t word = 0; word < section.keyNames.size(); ++word)
                key[word] = readKeyWord(object, section.keyNames[word], item);
            Bytes record(section.size, 0);
            const bool hasBytes = section.carriesBytes && object.contains("bytes");
            if (hasBytes) {
                const std::string bytesItem = memberOf(item, "bytes");
                record = bytesFromHex(expectString(object.at("bytes"), bytesItem), bytesItem);
                if (record.size() != section.size)
                    throw Refusal{bytesItem, std::to_string(record.size()) +
                                                 " bytes where the record has " +
                                                 std::to_string(section.size)};
            } else if (section.keyCopyOffset >= 0) {
                writeInt(record, static_cast<size_t>(section.keyCopyOffset), 2, key[0]);
            }
            readFields(object, section.fields, record, item);
            put(section.tag, key, std::move(record), item);
        }
    }

    void readStaffLists(const Json &lists) {
        expectArray(lists, "staffLists");
        for (size_t index = 0; index < lists.size(); ++index) {
            const std::string item = itemAt("staffLists", index);
            const Json &list = expectObject(lists[index], item);
            refuseUnknownMembers(list, {"list", "staves"}, item);
            const uint16_t number = readKeyWord(list, "list", item);
            if (!list.contains("staves"))
                continue;
            const std::string stavesItem = memberOf(item, "staves");
            const Json &staves = expectArray(list.at("staves"), stavesItem);
            if (staves.size() > UINT16_MAX)
                throw Refusal{stavesItem, "more than 65535 staves in one list"};
            for (size_t entry = 0; entry < staves.size(); ++entry) {
                const std::string entryItem = itemAt(stavesItem, entry);
                const Json &staff = expectObject(staves[entry], entryItem);
                refuseUnknownMembers(staff, {"staff", "position"}, entryItem);
                Bytes record(kStaffListEntrySize, 0);
                readFields(staff,
                           {std::begin(kStaffListEntryFields), std::end(kStaffListEntryFields)},
                           record, entryItem);
                put(kStaffListEntryTag, {number, static_cast<uint16_t>(entry)}, std::move(record),
                    entryItem);
            }
        }
    }

    void readDocumentOptions(const Json &options) {
        expectObject(options, "documentOptions");
        refuseUnknownMembers(options, {kMeasurementUnit.name}, "documentOptions");
        Bytes record(kDocumentOptionsRecordSize, 0);
        readFields(options, {kMeasurementUnit}, record, "documentOptions");
        put(kDocumentOptionsRecordTag, {0, 0}, std::move(record), "documentOptions");
    }

    void readPartMark(const Json &value) {
        Bytes record(kPartMarkRecordSize, 0);
        writeInt(record, kPartMark.offset, 2, readField(value, kPartMark.type, kPartMark.name));
        put(kPartMarkRecordTag, {kPartMarkKeyNumber, 0}, std::move(record), kPartMark.name);
    }

    void readTextBlocks(const Json &blocks) {
        expectArray(blocks, "textBlocks");
        for (size_t index = 0; index < blocks.size(); ++index) {
            const std::string item = itemAt("textBlocks", index);
            const Json &block = expectObject(blocks[index], item);
            refuseUnknownMembers(block, {"number", "text"}, item);
            const uint16_t number = readKeyWord(block, "number", item);
            Bytes text;
            if (block.contains("text")) {
                const std::string textItem = memberOf(item, "text");
                text = bytesFromUtf8(expectString(block.at("text"), textItem), textItem);
            }
            put(kTextBlockTag, {number, 0}, std::move(text), item);
        }
    }

    RecordStore &store_;
    std::map<std::pair<uint32_t, KeyWords>, std::string> owners_; // key -> the item that gave it
};

Json keyedJson(const KeyedSection &section, const RecordStore &store) {
    Json items = Json::array();
    for (const auto &[key, record] : store.records(section.tag)) {
        Json item = Json::object();
        for (size_t word = 0; word < section.keyNames.size(); ++word)
            item[section.keyNames[word]] = key[word];
        for (const auto &field : section.fields)
            item[field.name] = fieldValue(record, field);
        if (section.carriesBytes)
            item["bytes"] = hexFromBytes(record);
        items.push_back(std::move(item));
    }
    return items;
}

Json staffListsJson(const RecordStore &store) {
    Json lists = Json::array();
    for (const auto &[key, record] : store.records(kStaffListEntryTag)) {
        if (lists.empty() || lists.back()["list"] != key[0])
            lists.push_back(Json{{"list", key[0]}, {"staves", Json::array()}});
        Json entry = Json::object();
        for (const auto &field : kStaffListEntryFields)
            entry[field.name] = fieldValue(record, field);
        lists.back()["staves"].push_back(std::move(entry));
    }
    return lists;
}

Json textBlocksJson(const RecordStore &store) {
    Json blocks = Json::array();
    for (const auto &[key, text] : store.records(kTextBlockTag))
        blocks.push_back(
            Json{{"number", key[0]}, {"text", utf8FromBytes({text.begin(), text.end()})}});
    return blocks;
}

} // namespace

InputResult parseDocument(const std::string &text, const std::string &fileName,
                          RecordStore &store) {
    store.clear();
    try {
        DocumentReader(store).read(parseStrictJson(text));
        return std::nullopt;
    } catch (const Refusal &refusal) {
        store.clear();
        return InputError{fileName, refusal.item, refusal.problem};
    }
}

InputResult loadDocumentFile(const std::string &path, RecordStore &store) {
    std::string text;
    std::string problem;
    if (readWholeFile(path, text, problem) != FileRead::Read)
        return InputError{path, "", problem};
    return parseDocument(text, path, store);
}

std::string documentJson(const RecordStore &store) {
    Json document = Json::object();
    document[kPages.name] = keyedJson(kPages, store);
    document[kSystems.name] = keyedJson(kSystems, store);
    document["staffLists"] = staffListsJson(store);
    document[kStaves.name] = keyedJson(kStaves, store);
    document[kStaffScales.name] = keyedJson(kStaffScales, store);
    if (const Bytes *options = store.find(kDocumentOptionsRecordTag, {0, 0}))
        document["documentOptions"] =
            Json{{kMeasurementUnit.name, fieldValue(*options, kMeasurementUnit)}};
    if (const Bytes *mark = store.find(kPartMarkRecordTag, {kPartMarkKeyNumber, 0}))
        document[kPartMark.name] = fieldValue(*mark, kPartMark);
    document["textBlocks"] = textBlocksJson(store);
    document[kExpressionDefs.name] = keyedJson(kExpressionDefs, store);
    document[kExpressionAssignments.name] = keyedJson(kExpressionAssignments, store);
    return dumpJson(document);
}

} // namespace standin
