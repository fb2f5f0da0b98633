// Random users: scripts of clicks, typing, picks, arrows, keys and message box answers through the
// warning and the settings dialog of up to three invocations, on the native dialog model, with
// stored settings of any content.
#include <string>
#include <vector>

#include "core/script.h"
#include "fuzz_session.h"

namespace {

using fuzzing::Session;

const uint16_t kControls[] = {1,   2,   6,   7,   101, 102, 103, 104, 105, 106, 107,
                              108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118,
                              119, 120, 121, 122, 123, 124, 125, 126, 130};
const uint16_t kEdits[] = {110, 112, 115, 117};
const uint16_t kUpDowns[] = {122, 123, 124, 125, 126};
const char *const kTyped[] = {"",     "0",     "1",     "-1",    "2",        "5",       "999",
                              "1000", "1001",  "-1000", "-1001", "1000.9",   "-1000.9", "0.5",
                              "2.5",  "abc",   "1e3",   "-0",    "32767",    "65536",   "nan",
                              "inf",  "12abc", "  7 ",  "0x10",  "99999999", "."};
const char *const kPicked[] = {
    "8",    "9", "14", "18", "36", "48", "15", "Never", "Always", "On Odd Pages", "On Even Pages",
    "never"};

uint16_t control(FuzzedDataProvider &input, const uint16_t *likely, size_t count) {
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return input.PickValueInArray(kControls);
    case 1:
        return fuzzing::word(input);
    default:
        return likely[input.ConsumeIntegralInRange<size_t>(0, count - 1)];
    }
}

// Free text a person could type: any byte but the step separator and NUL.
std::string freeText(FuzzedDataProvider &input) {
    std::string text = input.ConsumeRandomLengthString(24);
    for (char &c : text)
        if (c == ';' || c == '\0')
            c = '0';
    return text;
}

std::string step(FuzzedDataProvider &input) {
    switch (input.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
        return "click " + std::to_string(control(input, kControls, std::size(kControls)));
    case 1:
        return "type " + std::to_string(control(input, kEdits, std::size(kEdits))) + " " +
               (input.ConsumeBool() ? std::string(input.PickValueInArray(kTyped))
                                    : freeText(input));
    case 2: {
        static const uint16_t kLists[] = {103, 120};
        std::string text =
            input.ConsumeBool() ? std::string(input.PickValueInArray(kPicked)) : freeText(input);
        return "pick " + std::to_string(control(input, kLists, 2)) + " " +
               (text.empty() ? "8" : text);
    }
    case 3:
        return "spin " + std::to_string(control(input, kUpDowns, std::size(kUpDowns))) +
               (input.ConsumeBool() ? " up" : " down");
    case 4:
        return input.ConsumeBool() ? "key enter" : "key esc";
    case 5: {
        static const char *const kAnswers[] = {"answer ok", "answer yes", "answer no"};
        return input.PickValueInArray(kAnswers);
    }
    case 6:
        return "snapshot";
    default:
        // The usual way into the settings dialog.
        return "click 6";
    }
}

std::vector<std::string> script(FuzzedDataProvider &input) {
    std::string text;
    const int count = input.ConsumeIntegralInRange<int>(0, 40);
    for (int i = 0; i < count; ++i)
        text += step(input) + ";";
    // As the command line gives it: steps split at ';' and read one by one.
    std::vector<standin::ScriptStep> steps;
    std::string problem;
    if (!standin::parseScript(text, steps, problem))
        return {};
    std::vector<std::string> texts;
    for (const auto &parsed : steps)
        texts.push_back(standin::stepText(parsed));
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    static const standin::RecordStore documents[] = {
        fuzzing::sessionDocument(false), fuzzing::sessionDocument(true), standin::RecordStore()};
    Session session;
    session.document = documents[input.ConsumeIntegralInRange<int>(0, 2)];
    session.controlHeld = input.ConsumeBool();
    session.shiftHeld = input.ConsumeBool();
    if (input.ConsumeBool()) {
        session.registry.emplace();
        if (input.ConsumeBool()) {
            standin::RegistryValue stored;
            stored.data = input.ConsumeBytes<uint8_t>(30);
            (*session.registry)[kUserDialogValue] = stored;
        }
        if (input.ConsumeBool()) {
            standin::RegistryValue flag;
            flag.data = {static_cast<uint8_t>(input.ConsumeIntegralInRange<int>(0, 1)), 0};
            (*session.registry)[kShowWarningValue] = flag;
        }
    }
    const int invocations = input.ConsumeIntegralInRange<int>(1, 3);
    for (int i = 0; i < invocations; ++i)
        session.scripts.push_back(script(input));
    fuzzing::runSession(session);
    return 0;
}
