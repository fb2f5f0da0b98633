// Stored settings of any size and content: the UserDialog and ShowWarning values, and the key
// around them, through Init, invocations that open the settings dialog and end it with OK, Cancel
// or Remove, and Terminate.
#include "fuzz_session.h"
#include "script_steps.h"

namespace {

using fuzzing::Session;
using namespace scriptstep;

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
const std::vector<std::string> kScripts[] = {
    {click(IDC_WARNING_YES), click(IDC_SETTINGS_OK)},
    {click(IDC_WARNING_YES), "key esc"},
    {click(IDC_WARNING_YES), click(IDC_REMOVE), "answer yes", "answer ok", "key esc"},
    {click(IDC_WARNING_YES), click(IDC_REMOVE), "answer no", click(IDC_SETTINGS_CANCEL)},
    {click(IDC_WARNING_NO)},
    {click(IDC_DONT_SHOW_AGAIN), click(IDC_WARNING_YES), click(IDC_SETTINGS_OK)},
    {},
    {click(IDC_WARNING_YES), click(IDC_SELECTED_PAGES), type(IDC_FIRST_PAGE, "2"),
     type(IDC_LAST_PAGE, "3"), click(IDC_SETTINGS_OK)},
    {click(IDC_WARNING_YES), click(IDC_AUTO_ADJUST_V), click(IDC_SETTINGS_OK)},
    {click(IDC_WARNING_YES), spin(IDC_ORIGIN_SPIN, "down"), spin(IDC_H_SPIN, "up"),
     spin(IDC_V_SPIN, "down"), "key enter"},
};

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
        session.scripts.push_back(input.PickValueInArray(kScripts));
    fuzzing::runSession(session);
    return 0;
}
