// JSON input read strictly and JSON output written the same way in both builds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "record_store.h"

namespace standin {

// Members keep the order in which they were written, so output is deterministic.
using Json = nlohmann::ordered_json;

// A refusal found while reading an input: the item's path and the problem.
struct Refusal {
    std::string item;
    std::string problem;
};

// Parses JSON text; a syntax error or a member named twice in one object throws a Refusal.
Json parseStrictJson(const std::string &text);
// Pretty-printed, non-ASCII characters as \u escapes, ending in a newline.
std::string dumpJson(const Json &value);

// An integer within [lowest, highest], or a Refusal naming the item.
int64_t integerIn(const Json &value, int64_t lowest, int64_t highest, const std::string &item);
// Refuses every member of an object whose name is not among the known ones.
void refuseUnknownMembers(const Json &object, const std::vector<const char *> &known,
                          const std::string &item);
const Json &expectObject(const Json &value, const std::string &item);
const Json &expectArray(const Json &value, const std::string &item);
const std::string &expectString(const Json &value, const std::string &item);

// Bytes as lower-case hex, and back (either case; a Refusal on anything else).
std::string hexFromBytes(const Bytes &bytes);
Bytes bytesFromHex(const std::string &hex, const std::string &item);

// Byte strings travel through JSON one character per byte (U+0000 to U+00FF).
std::string utf8FromBytes(const std::string &bytes);
Bytes bytesFromUtf8(const std::string &text, const std::string &item);

// "pages" + 3 -> "pages[3]", "pages[3]" + "page" -> "pages[3].page".
std::string itemAt(const std::string &item, size_t index);
std::string memberOf(const std::string &item, const std::string &member);

} // namespace standin
