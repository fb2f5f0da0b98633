#include "strict_json.h"

#include <algorithm>
#include <set>
#include <vector>

#include "host_code_page.h"

namespace standin {

namespace {

// Where the parser is: one level per open object or array.
struct Level {
    bool isArray = false;
    size_t index = 0; // elements seen so far, for arrays
    std::string key;  // the current member, for objects
    std::set<std::string> seen;
};

std::string pathOf(const std::vector<Level> &levels) {
    std::string path;
    // The innermost level is the open container itself; the others give its position.
    for (size_t i = 0; i + 1 < levels.size(); ++i)
        path =
            levels[i].isArray ? itemAt(path, levels[i].index - 1) : memberOf(path, levels[i].key);
    return path;
}

std::string withoutExceptionTag(const std::string &what) {
    // nlohmann prefixes its messages with "[json.exception.parse_error.101] ".
    const size_t end = what.find("] ");
    return end == std::string::npos ? what : what.substr(end + 2);
}

std::string shortDump(const Json &value) {
    std::string text = value.dump(-1, ' ', true);
    return text.size() > 40 ? text.substr(0, 37) + "..." : text;
}

} // namespace

Json parseStrictJson(const std::string &text) {
    std::vector<Level> levels;
    auto track = [&levels](int, Json::parse_event_t event, Json &parsed) {
        using Event = Json::parse_event_t;
        const bool startsValue =
            event == Event::object_start || event == Event::array_start || event == Event::value;
        if (startsValue && !levels.empty() && levels.back().isArray)
            ++levels.back().index;
        switch (event) {
        case Event::object_start:
        case Event::array_start:
            levels.emplace_back();
            levels.back().isArray = event == Event::array_start;
            break;
        case Event::object_end:
        case Event::array_end:
            levels.pop_back();
            break;
        case Event::key: {
            Level &object = levels.back();
            object.key = parsed.get<std::string>();
            if (!object.seen.insert(object.key).second)
                throw Refusal{memberOf(pathOf(levels), object.key), "member given twice"};
            break;
        }
        case Event::value:
            break;
        }
        return true;
    };
    try {
        return Json::parse(text, track);
    } catch (const Json::parse_error &error) {
        throw Refusal{"", "not valid JSON: " + withoutExceptionTag(error.what())};
    }
}

std::string dumpJson(const Json &value) { return value.dump(2, ' ', true) + "\n"; }

int64_t integerIn(const Json &value, int64_t lowest, int64_t highest, const std::string &item) {
    const std::string range =
        " (" + std::to_string(lowest) + " to " + std::to_string(highest) + ")";
    if (value.is_number_unsigned()) {
        const uint64_t number = value.get<uint64_t>();
        if (highest < 0 || number > static_cast<uint64_t>(highest))
            throw Refusal{item, std::to_string(number) + " is out of range" + range};
        return static_cast<int64_t>(number);
    }
    if (value.is_number_integer()) {
        const int64_t number = value.get<int64_t>();
        if (number < lowest || number > highest)
            throw Refusal{item, std::to_string(number) + " is out of range" + range};
        return number;
    }
    if (value.is_number())
        throw Refusal{item, shortDump(value) + " is not an integer"};
    throw Refusal{item, std::string("expected an integer, found ") + value.type_name()};
}

void refuseUnknownMembers(const Json &object, const std::vector<const char *> &known,
                          const std::string &item) {
    for (const auto &member : object.items())
        if (std::find(known.begin(), known.end(), member.key()) == known.end())
            throw Refusal{memberOf(item, member.key()), "unknown member"};
}

const Json &expectObject(const Json &value, const std::string &item) {
    if (!value.is_object())
        throw Refusal{item, std::string("expected an object, found ") + value.type_name()};
    return value;
}

const Json &expectArray(const Json &value, const std::string &item) {
    if (!value.is_array())
        throw Refusal{item, std::string("expected an array, found ") + value.type_name()};
    return value;
}

const std::string &expectString(const Json &value, const std::string &item) {
    if (!value.is_string())
        throw Refusal{item, std::string("expected a string, found ") + value.type_name()};
    return value.get_ref<const std::string &>();
}

std::string hexFromBytes(const Bytes &bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (uint8_t byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0xF];
    }
    return hex;
}

Bytes bytesFromHex(const std::string &hex, const std::string &item) {
    if (hex.size() % 2 != 0)
        throw Refusal{item, "odd number of hex digits (" + std::to_string(hex.size()) + ")"};
    const size_t notHex = hex.find_first_not_of("0123456789abcdefABCDEF");
    if (notHex != std::string::npos)
        throw Refusal{item, "not a hex digit at position " + std::to_string(notHex)};
    Bytes bytes(hex.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
    return bytes;
}

std::string utf8FromBytes(const std::string &bytes) {
    std::string text;
    for (const char character : bytes) {
        const auto byte = static_cast<uint8_t>(character);
        if (byte < 0x80) {
            text += static_cast<char>(byte);
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

Bytes bytesFromUtf8(const std::string &text, const std::string &item) {
    Bytes bytes;
    uint32_t codePoint = 0;
    // The parser has checked the encoding.
    for (size_t at = 0, character = 0; at < text.size() && nextCodePoint(text, at, codePoint);
         ++character) {
        if (codePoint > 0xFF)
            throw Refusal{item, "character " + codePointName(codePoint) + " at position " +
                                    std::to_string(character) + " is above U+00FF"};
        bytes.push_back(static_cast<uint8_t>(codePoint));
    }
    return bytes;
}

std::string itemAt(const std::string &item, size_t index) {
    return item + "[" + std::to_string(index) + "]";
}

std::string memberOf(const std::string &item, const std::string &member) {
    return item.empty() ? member : item + "." + member;
}

} // namespace standin
