#include "document_file.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

#include "document_records.h"
#include "host/record_keys.h"
#include "host_files.h"
#include "strict_json.h"

namespace standin {

namespace {

// Text is the whole record, one character per byte.
enum class FieldType { Signed16, Unsigned16, Signed32, Text };

struct RecordField {
    const char *name;
    size_t offset;
    FieldType type;
};

// The records of one tag: an array of items, each giving its key words by name and its fields;
// or one object, the record whose key words are all 0, present only when the store has it.
struct KeyedSection {
    const char *name;
    uint32_t tag;
    size_t size;                        // 0 for text, as long as it is
    std::vector<const char *> keyNames; // the leading key words; the words after them are 0
    std::vector<RecordField> fields;
    bool carriesBytes = false;
    // The assignment repeats its page at offset 6. That copy is taken from the key only when the
    // item has no "bytes": a copy that differs from the key then survives a round trip.
    int keyCopyOffset = -1;
    bool isOneObject = false;
};

const KeyedSection kPages = {
    "pages", kPageRecordTag, kPageRecordSize, {"page"}, {{"firstSystem", 8, FieldType::Signed16}}};
const KeyedSection kSystems = {"systems",
                               kSystemRecordTag,
                               kSystemRecordSize,
                               {"system"},
                               {{"spaceAbove", 0, FieldType::Signed16},
                                {"spaceBelow", 6, FieldType::Signed16},
                                {"systemPercent", 16, FieldType::Signed16},
                                {"systemFlags", 18, FieldType::Unsigned16}}};
const KeyedSection kStaves = {"staves",
                              kStaffRecordTag,
                              kStaffRecordSize,
                              {"staff"},
                              {{"lineMode", 14, FieldType::Unsigned16},
                               {"lineCount", 16, FieldType::Signed32},
                               {"staffFlags", 22, FieldType::Unsigned16}}};
const KeyedSection kStaffScales = {"staffScales",
                                   kStaffScaleRecordTag,
                                   kStaffScaleRecordSize,
                                   {"system", "staff"},
                                   {{"staffPercent", 0, FieldType::Signed32}}};
const KeyedSection kDocumentOptions = {"documentOptions",
                                       kDocumentOptionsRecordTag,
                                       kDocumentOptionsRecordSize,
                                       {},
                                       {{"measurementUnit", 30, FieldType::Signed16}},
                                       false,
                                       -1,
                                       true};
const KeyedSection kTextBlocks = {
    "textBlocks", kTextBlockTag, 0, {"number"}, {{"text", 0, FieldType::Text}}};
const KeyedSection kExpressionDefs = {"expressionDefs",
                                      kTextExpressionDefTag,
                                      kTextExpressionDefSize,
                                      {"number", "subIndex"},
                                      {{"textBlock", 0, FieldType::Signed16}},
                                      true};
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
const KeyedSection *const kKeyedSections[] = {
    &kPages,           &kSystems,    &kStaves,         &kStaffScales,
    &kDocumentOptions, &kTextBlocks, &kExpressionDefs, &kExpressionAssignments};

// The staff lists nest their entries; the part mark is a number of its own.
const RecordField kStaffListEntryFields[] = {{"staff", 0, FieldType::Unsigned16},
                                             {"position", 8, FieldType::Signed32}};
const RecordField kPartMark = {"partMark", 8, FieldType::Signed16};

constexpr const char *kStaffLists = "staffLists";

// The members that make the layout, in the order they are written; a layout update replaces any of
// them. The staff lists, which nest their entries, have no keyed section (null).
const KeyedSection *const kLayoutMembers[] = {&kPages, &kSystems, nullptr, &kStaves, &kStaffScales};
const char *layoutName(const KeyedSection *section) {
    return section != nullptr ? section->name : kStaffLists;
}
uint32_t layoutTag(const KeyedSection *section) {
    return section != nullptr ? section->tag : kStaffListEntryTag;
}
constexpr const char *kAfterLayoutUpdate = "afterLayoutUpdate";
// A record as long as its text may claim another size, which the host then reports for it.
constexpr const char *kClaimedSize = "claimedSize";
bool mayClaimSize(const KeyedSection &section) { return section.size == 0; }

size_t widthOf(FieldType type) { return type == FieldType::Signed32 ? 4 : 2; }

int64_t readNumber(const Json &value, FieldType type, const std::string &item) {
    switch (type) {
    case FieldType::Signed16:
        return integerIn(value, INT16_MIN, INT16_MAX, item);
    case FieldType::Unsigned16:
        return integerIn(value, 0, UINT16_MAX, item);
    default:
        return integerIn(value, INT32_MIN, INT32_MAX, item);
    }
}

uint16_t readKeyWord(const Json &object, const char *name, const std::string &item) {
    if (!object.contains(name))
        return 0;
    return static_cast<uint16_t>(integerIn(object.at(name), 0, UINT16_MAX, memberOf(item, name)));
}

// Absent fields are 0, an absent text is empty.
void readFields(const Json &object, const std::vector<RecordField> &fields, Bytes &record,
                const std::string &item) {
    for (const auto &field : fields) {
        if (!object.contains(field.name))
            continue;
        const std::string fieldItem = memberOf(item, field.name);
        const Json &value = object.at(field.name);
        if (field.type == FieldType::Text)
            record = bytesFromUtf8(expectString(value, fieldItem), fieldItem);
        else
            writeInt(record, field.offset, widthOf(field.type),
                     readNumber(value, field.type, fieldItem));
    }
}

Json fieldJson(const Bytes &record, const RecordField &field) {
    if (field.type == FieldType::Text)
        return utf8FromBytes({record.begin(), record.end()});
    return readInt(record, field.offset, widthOf(field.type), field.type != FieldType::Unsigned16);
}

class DocumentReader {
  public:
    // The layout update is read only at the top level, where pending is given.
    DocumentReader(RecordStore &store, PendingLayout *pending, std::string prefix = "")
        : store_(store), pending_(pending), prefix_(std::move(prefix)) {}

    void read(const Json &document) {
        expectObject(document, "");
        for (const auto &section : document.items()) {
            const std::string &name = section.key();
            const auto keyed =
                std::find_if(std::begin(kKeyedSections), std::end(kKeyedSections),
                             [&](const KeyedSection *known) { return name == known->name; });
            if (keyed != std::end(kKeyedSections))
                readKeyed(**keyed, section.value());
            else if (name == kStaffLists)
                readStaffLists(section.value());
            else if (name == kPartMark.name)
                readPartMark(section.value());
            else if (name == kAfterLayoutUpdate && pending_ != nullptr)
                readLayoutUpdate(section.value());
            else
                throw Refusal{name, "unknown member"};
        }
    }

  private:
    void readLayoutUpdate(const Json &value) {
        const Json &members = expectObject(value, kAfterLayoutUpdate);
        LayoutUpdate update;
        DocumentReader reader(update.records, nullptr, kAfterLayoutUpdate);
        for (const auto &member : members.items()) {
            const auto layout = std::find_if(
                std::begin(kLayoutMembers), std::end(kLayoutMembers),
                [&](const KeyedSection *known) { return member.key() == layoutName(known); });
            if (layout == std::end(kLayoutMembers))
                throw Refusal{memberOf(kAfterLayoutUpdate, member.key()), "unknown member"};
            if (*layout != nullptr)
                reader.readKeyed(**layout, member.value());
            else
                reader.readStaffLists(member.value());
            update.tags.push_back(layoutTag(*layout));
        }
        *pending_ = std::move(update);
    }

    void put(uint32_t tag, const KeyWords &key, Bytes record, const std::string &item) {
        auto owner = owners_.emplace(std::make_pair(tag, key), item);
        if (!owner.second)
            throw Refusal{item, "the same key as " + owner.first->second};
        store_.put(tag, key, std::move(record));
    }

    void readKeyed(const KeyedSection &section, const Json &value) {
        const std::string name = memberOf(prefix_, section.name);
        if (section.isOneObject) {
            readItem(section, value, name);
            return;
        }
        expectArray(value, name);
        for (size_t index = 0; index < value.size(); ++index)
            readItem(section, value[index], itemAt(name, index));
    }

    void readItem(const KeyedSection &section, const Json &value, const std::string &item) {
        const Json &object = expectObject(value, item);
        std::vector<const char *> known(section.keyNames);
        for (const auto &field : section.fields)
            known.push_back(field.name);
        if (section.carriesBytes)
            known.push_back("bytes");
        if (mayClaimSize(section))
            known.push_back(kClaimedSize);
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
        if (object.contains(kClaimedSize))
            store_.claimSize(
                section.tag, key,
                static_cast<int32_t>(readNumber(object.at(kClaimedSize), FieldType::Signed32,
                                                memberOf(item, kClaimedSize))));
    }

    void readStaffLists(const Json &lists) {
        const std::string name = memberOf(prefix_, kStaffLists);
        expectArray(lists, name);
        for (size_t index = 0; index < lists.size(); ++index) {
            const std::string item = itemAt(name, index);
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

    void readPartMark(const Json &value) {
        Bytes record(kPartMarkRecordSize, 0);
        writeInt(record, kPartMark.offset, 2, readNumber(value, kPartMark.type, kPartMark.name));
        put(kPartMarkRecordTag, {kPartMarkKeyNumber, 0}, std::move(record), kPartMark.name);
    }

    RecordStore &store_;
    PendingLayout *pending_;
    std::string prefix_;                                          // of the items named in a refusal
    std::map<std::pair<uint32_t, KeyWords>, std::string> owners_; // key -> the item that gave it
};

Json itemJson(const KeyedSection &section, const KeyWords &key, const Bytes &record,
              const RecordStore &store) {
    Json item = Json::object();
    for (size_t word = 0; word < section.keyNames.size(); ++word)
        item[section.keyNames[word]] = key[word];
    for (const auto &field : section.fields)
        item[field.name] = fieldJson(record, field);
    if (section.carriesBytes)
        item["bytes"] = hexFromBytes(record);
    if (const auto claimed = store.claimedSize(section.tag, key))
        item[kClaimedSize] = *claimed;
    return item;
}

void writeKeyed(Json &document, const KeyedSection &section, const RecordStore &store) {
    if (section.isOneObject) {
        const KeyWords zeros(static_cast<size_t>(keyWidth(section.tag)), 0);
        if (const Bytes *record = store.find(section.tag, zeros))
            document[section.name] = itemJson(section, zeros, *record, store);
        return;
    }
    Json items = Json::array();
    for (const auto &[key, record] : store.records(section.tag))
        items.push_back(itemJson(section, key, record, store));
    document[section.name] = std::move(items);
}

Json staffListsJson(const RecordStore &store) {
    Json lists = Json::array();
    for (const auto &[key, record] : store.records(kStaffListEntryTag)) {
        if (lists.empty() || lists.back()["list"] != key[0])
            lists.push_back(Json{{"list", key[0]}, {"staves", Json::array()}});
        Json entry = Json::object();
        for (const auto &field : kStaffListEntryFields)
            entry[field.name] = fieldJson(record, field);
        lists.back()["staves"].push_back(std::move(entry));
    }
    return lists;
}

void writeLayoutMember(Json &document, const KeyedSection *member, const RecordStore &store) {
    if (member != nullptr)
        writeKeyed(document, *member, store);
    else
        document[kStaffLists] = staffListsJson(store);
}

} // namespace

void LayoutUpdate::applyTo(RecordStore &store) const {
    for (uint32_t tag : tags) {
        for (const auto &record : store.records(tag))
            store.remove(tag, record.first);
        for (const auto &[key, record] : records.records(tag))
            store.put(tag, key, record);
    }
}

InputResult parseDocument(const std::string &text, const std::string &fileName, RecordStore &store,
                          PendingLayout &pending) {
    store.clear();
    pending.reset();
    try {
        DocumentReader(store, &pending).read(parseStrictJson(text));
        return std::nullopt;
    } catch (const Refusal &refusal) {
        store.clear();
        pending.reset();
        return InputError{fileName, refusal.item, refusal.problem};
    }
}

InputResult loadDocumentFile(const std::string &path, RecordStore &store, PendingLayout &pending) {
    std::string text;
    std::string problem;
    if (readWholeFile(path, text, problem) != FileRead::Read)
        return InputError{path, "", problem};
    return parseDocument(text, path, store, pending);
}

std::string documentJson(const RecordStore &store, const PendingLayout &pending) {
    Json document = Json::object();
    for (const KeyedSection *member : kLayoutMembers)
        writeLayoutMember(document, member, store);
    writeKeyed(document, kDocumentOptions, store);
    if (const Bytes *mark = store.find(kPartMarkRecordTag, {kPartMarkKeyNumber, 0}))
        document[kPartMark.name] = fieldJson(*mark, kPartMark);
    writeKeyed(document, kTextBlocks, store);
    writeKeyed(document, kExpressionDefs, store);
    writeKeyed(document, kExpressionAssignments, store);
    if (pending) {
        Json update = Json::object();
        for (const KeyedSection *member : kLayoutMembers)
            if (std::find(pending->tags.begin(), pending->tags.end(), layoutTag(member)) !=
                pending->tags.end())
                writeLayoutMember(update, member, pending->records);
        document[kAfterLayoutUpdate] = std::move(update);
    }
    return dumpJson(document);
}

} // namespace standin
