// Random users: scripts of clicks, typing, picks, arrows, keys and message box answers through the
// warning and the settings dialog of up to three invocations, on the native dialog model, with
// stored settings of any content.
#include <string>
#include <vector>

#include "core/script.h"
#include "fuzz_session.h"

namespace {

using fuzzing::Session;

// Every control of both dialogs (the warning's text shares its id with the font notice).
const uint16_t kControls[] = {IDC_SETTINGS_OK,
                              IDC_SETTINGS_CANCEL,
                              IDC_WARNING_YES,
                              IDC_WARNING_NO,
                              IDC_FONT_NOTICE,
                              IDC_FONT_SIZE_LABEL,
                              IDC_FONT_SIZE_LIST,
                              IDC_V_POSITION_FRAME,
                              IDC_STAFF_LINES_MODE,
                              IDC_SYSTEM_BOUNDARIES_MODE,
                              IDC_PAGE_RANGE_FRAME,
                              IDC_ALL_PAGES,
                              IDC_SELECTED_PAGES,
                              IDC_FIRST_PAGE,
                              IDC_PAGE_RANGE_TO,
                              IDC_LAST_PAGE,
                              IDC_ADJUSTMENTS_FRAME,
                              IDC_H_LABEL,
                              IDC_H_ADJUST,
                              IDC_V_LABEL,
                              IDC_V_ADJUST,
                              IDC_AUTO_ADJUST_V,
                              IDC_ORIGIN_FRAME,
                              IDC_MARGIN_ORIGIN,
                              IDC_REMOVE,
                              IDC_FIRST_PAGE_SPIN,
                              IDC_LAST_PAGE_SPIN,
                              IDC_H_SPIN,
                              IDC_V_SPIN,
                              IDC_ORIGIN_SPIN,
                              IDC_DONT_SHOW_AGAIN};
const uint16_t kEdits[] = {IDC_FIRST_PAGE, IDC_LAST_PAGE, IDC_H_ADJUST, IDC_V_ADJUST};
const uint16_t kUpDowns[] = {IDC_FIRST_PAGE_SPIN, IDC_LAST_PAGE_SPIN, IDC_H_SPIN, IDC_V_SPIN,
                             IDC_ORIGIN_SPIN};
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
        static const uint16_t kLists[] = {IDC_FONT_SIZE_LIST, IDC_MARGIN_ORIGIN};
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
