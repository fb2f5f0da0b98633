// One load of the module as the host makes it: the registry and the document in place, Init, the
// enumeration, invocations with scripted users, Terminate. The rules checked on the way hold for
// any stored settings and any user.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "core/host_state.h"
#include "core/strict_json.h"
#include "dialogs/settings_dialog.h"
#include "document_builder.h"
#include "fuzz_support.h"
#include "host/record_keys.h"
#include "native/windows_api.h"
#include "resources/resource_ids.h"
#include "settings/module_state.h"
#include "settings/persistence.h"

namespace fuzzing {

struct Session {
    standin::RecordStore document;
    standin::RegistryKeyState registry;
    bool controlHeld = false;
    bool shiftHeld = false;
    std::vector<std::vector<std::string>> scripts; // canonical steps, one list per invocation
};

inline const standin::RegistryValue *registryValue(const standin::RegistryKeyState &key,
                                                   const char *name) {
    if (!key)
        return nullptr;
    const auto value = key->find(name);
    return value == key->end() ? nullptr : &value->second;
}

// What Init makes of the stored values: a UserDialog of at most 30 bytes over the defaults, and a
// ShowWarning of at most 2 bytes over the flag's 1; anything longer is ignored.
inline void checkInit(const standin::RegistryKeyState &stored) {
    DividerSettings expected = kLoadTimeSettings;
    if (const standin::RegistryValue *value = registryValue(stored, kUserDialogValue))
        if (value->data.size() <= sizeof expected && !value->data.empty())
            std::memcpy(&expected, value->data.data(), value->data.size());
    expected.settingsUsed = 0;
    require(std::memcmp(&expected, &dividerSettings, sizeof expected) == 0,
            "Init loads UserDialog over the defaults");
    int16_t flag = 1;
    if (const standin::RegistryValue *value = registryValue(stored, kShowWarningValue))
        if (value->data.size() <= sizeof flag && !value->data.empty())
            std::memcpy(&flag, value->data.data(), value->data.size());
    require(showWarning == flag, "Init loads ShowWarning over 1");
}

inline bool settingsDialogShown(const standin::InvocationRecord &invocation) {
    for (const std::string &dialog : invocation.dialogsJson) {
        const standin::Json record = standin::Json::parse(dialog, nullptr, false);
        if (!record.is_discarded() && record.value("id", 0) == IDD_DIVIDER_SETTINGS)
            return true;
    }
    return false;
}

// An OK that the dialog accepted leaves only values its controls can give.
inline void checkAccepted(const DividerSettings &settings) {
    require(settings.hAdjust >= -1000 && settings.hAdjust <= 1000, "H within 1000 ORVU");
    require(settings.vAdjust >= -1000 && settings.vAdjust <= 1000, "V within 1000 ORVU");
    bool listed = false;
    for (uint8_t size : fontSizeChoices)
        listed = listed || settings.fontSize == size;
    require(listed, "the font size is one of the list");
    require(settings.vPositionMode == 0 || settings.vPositionMode == 1, "a V mode of the two");
    require(settings.selectedPagesOnly == 0 || settings.selectedPagesOnly == 1, "a page choice");
    require(settings.autoAdjustV == 0 || settings.autoAdjustV == 1, "a tick state");
    require(settings.rightMarginOrigin >= -1 && settings.rightMarginOrigin <= 3,
            "an origin item, or none");
    if (settings.selectedPagesOnly == 0)
        require(settings.firstPage == 1 && settings.lastPage == settings.pageCount,
                "all pages are 1 to the page count");
    else
        require(settings.firstPage >= 1 && settings.firstPage <= settings.lastPage &&
                    settings.lastPage <= settings.pageCount,
                "a selected range lies within the pages");
    require(settings.settingsUsed == 1, "an accepted run marks the settings used");
}

// Terminate writes the flag always and the record after a run that got past both dialogs; every
// other stored value stays.
inline void checkTerminate(const standin::RegistryKeyState &stored) {
    const standin::RegistryKeyState &key = standin::host().registry;
    require(key.has_value(), "Terminate creates the key");
    const standin::RegistryValue *flag = registryValue(key, kShowWarningValue);
    require(flag != nullptr && flag->type == 3 && flag->data.size() == 2 &&
                std::memcmp(flag->data.data(), &showWarning, 2) == 0,
            "ShowWarning is the flag's two bytes");
    const standin::RegistryValue *record = registryValue(key, kUserDialogValue);
    const standin::RegistryValue *before = registryValue(stored, kUserDialogValue);
    if (dividerSettings.settingsUsed != 0)
        require(record != nullptr && record->type == 3 && record->data.size() == 30 &&
                    std::memcmp(record->data.data(), &dividerSettings, 30) == 0,
                "UserDialog is the record's 30 bytes");
    else
        require((record == nullptr && before == nullptr) ||
                    (record != nullptr && before != nullptr && *record == *before),
                "an unused record is not written");
    if (stored)
        for (const auto &[name, value] : *stored)
            if (name != kUserDialogValue && name != kShowWarningValue)
                require(registryValue(key, name.c_str()) != nullptr &&
                            *registryValue(key, name.c_str()) == value,
                        "other values stay");
}

inline void runSession(const Session &session) {
    resetModuleState();
    standin::resetHost();
    standin::Host &host = standin::host();
    host.store = session.document;
    host.registry = session.registry;
    host.controlHeld = session.controlHeld;
    host.shiftHeld = session.shiftHeld;

    require(OrvaneExtensionVersion(0) == 0x04000107, "the interface version");
    require(OrvaneExtensionInit(0, 0) == 1, "Init answers 1");
    checkInit(session.registry);
    standin::DescriptorBuffer buffer;
    require(standin::enumerateCommand(standin::linkedModule(), 0, buffer) == 1, "one command");
    require(standin::enumerateCommand(standin::linkedModule(), 1, buffer) == 0, "only one command");
    require(OrvaneExtensionGetMenuStatus(0) == 1, "the command is available");
    for (const auto &steps : session.scripts) {
        standin::beginInvocation(steps);
        const int32_t result = OrvaneExtensionInvoke(standin::hostMainWindow(), 0, 0, 0);
        standin::finishInvocation(result);
        require(result == 0 || result == 1, "Invoke answers 0 or 1");
        const standin::InvocationRecord &invocation = host.invocations.back();
        if (settingsDialogShown(invocation) && dividerSettings.dialogAccepted == 1) {
            checkAccepted(dividerSettings);
            const std::vector<std::pair<int32_t, int32_t>> update = {{1, 0}};
            require(invocation.layoutUpdates == update, "an accepted OK updates the layout: 1, 0");
        } else {
            require(invocation.layoutUpdates.empty(), "no layout update without an OK");
        }
    }
    OrvaneExtensionTerminate(0);
    checkTerminate(session.registry);
    // Everything the session allocated goes with it, so that the fuzzer sees no leak to chase.
    standin::resetHost();
}

// Pages 1 to 4 with systems on pages 1, 2 and 4 and the two dividers of size 14 on page 1
// already placed; measured in inches when asked.
inline standin::RecordStore sessionDocument(bool inches) {
    using docbuild::key2;
    standin::RecordStore document;
    const int16_t firstSystems[] = {1, 4, -1, 6};
    for (int16_t page = 1; page <= 4; ++page)
        document.put(kPageRecordTag, key2(page, 0), docbuild::pageRecord(firstSystems[page - 1]));
    for (int16_t system = 1; system <= 7; ++system)
        document.put(kSystemRecordTag, key2(system, 0), docbuild::systemRecord({-200, -150}));
    for (int16_t staff = 1; staff <= 3; ++staff) {
        document.put(kStaffRecordTag, key2(staff, 0), docbuild::staffRecord({}));
        document.put(kStaffListEntryTag, key2(0, staff - 1),
                     docbuild::staffListEntryRecord({staff, -300 * (staff - 1)}));
    }
    if (inches)
        document.put(kDocumentOptionsRecordTag, key2(0, 0), docbuild::documentOptionsRecord(2));
    const std::string text = docbuild::dividerText(14);
    for (int16_t divider = 1; divider <= 2; ++divider) {
        document.put(kTextBlockTag, key2(divider, 0), standin::Bytes(text.begin(), text.end()));
        document.put(kTextExpressionDefTag, key2(divider, 0),
                     docbuild::expressionDefRecord(divider));
        document.put(kExpressionAssignmentTag, key2(1, divider - 1),
                     docbuild::assignmentRecord(1, divider, 0, -685));
    }
    return document;
}

} // namespace fuzzing
