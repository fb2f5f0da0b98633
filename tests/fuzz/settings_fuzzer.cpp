// Stored settings of any size and content: the UserDialog and ShowWarning values, and the key
// around them, through Init, invocations that open the settings dialog and end it with OK, Cancel
// or Remove, and Terminate.
#include "core/script.h"
#include "fuzz_session.h"

namespace {

using fuzzing::Session;

// Most often the size the module writes, then any size around it.
standin::RegistryValue storedValue(FuzzedDataProvider &input, size_t size) {
    standin::RegistryValue value;
    value.type = input.ConsumeBool() ? 3 : input.ConsumeIntegral<uint32_t>();
    const size_t length = input.ConsumeBool() ? size : input.ConsumeIntegralInRange<size_t>(0, 40);
    value.data = input.ConsumeBytes<uint8_t>(length);
    value.data.resize(length, input.ConsumeIntegral<uint8_t>());
    return value;
}

// What the users do: place, cancel, remove, refuse the warning, switch it off.
const char *const kScripts[] = {
    "click 6; click 1",
    "click 6; key esc",
    "click 6; click 121; answer yes; answer ok; key esc",
    "click 6; click 121; answer no; click 2",
    "click 7",
    "click 130; click 6; click 1",
    "",
    "click 6; click 109; type 110 2; type 112 3; click 1",
    "click 6; click 118; click 1",
    "click 6; spin 126 down; spin 124 up; spin 125 down; key enter",
};

std::vector<std::string> steps(const char *script) {
    std::vector<standin::ScriptStep> parsed;
    std::string problem;
    if (!standin::parseScript(script, parsed, problem))
        fuzzing::broken("a fixed script parses");
    std::vector<std::string> texts;
    for (const auto &step : parsed)
        texts.push_back(standin::stepText(step));
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    static const standin::RecordStore documents[] = {fuzzing::sessionDocument(false),
                                                     fuzzing::sessionDocument(true)};
    Session session;
    session.document = documents[input.ConsumeIntegralInRange<int>(0, 1)];
    session.controlHeld = input.ConsumeBool();
    session.shiftHeld = input.ConsumeBool();
    if (input.ConsumeIntegralInRange<int>(0, 7) != 0) {
        session.registry.emplace();
        if (input.ConsumeIntegralInRange<int>(0, 7) != 0)
            (*session.registry)[kUserDialogValue] = storedValue(input, 30);
        if (input.ConsumeIntegralInRange<int>(0, 7) != 0)
            (*session.registry)[kShowWarningValue] = storedValue(input, 2);
        if (input.ConsumeBool())
            (*session.registry)["Other"] = storedValue(input, 4);
    }
    const int invocations = input.ConsumeIntegralInRange<int>(1, 3);
    for (int i = 0; i < invocations; ++i)
        session.scripts.push_back(steps(input.PickValueInArray(kScripts)));
    fuzzing::runSession(session);
    return 0;
}
