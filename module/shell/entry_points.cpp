#include "shell/entry_points.h"

#include <cstring>

#include "settings/module_state.h"
#include "settings/persistence.h"
#include "shell/run_sequence.h"
#include "shell/shell_messages.h"

// A bounded copy: the text, then zero bytes to the end of the field.
static void copyField(char (&field)[64], const char *text) {
    std::strncpy(field, text, sizeof field);
}

extern "C" int32_t WINAPI OrvaneExtensionVersion(int32_t) noexcept { return kInterfaceVersion; }

extern "C" int32_t WINAPI OrvaneExtensionInit(int32_t, int32_t) noexcept {
    loadShowWarning(&showWarning);
    loadSettings(&dividerSettings);
    dividerSettings.settingsUsed = 0;
    return 1;
}

extern "C" int32_t WINAPI OrvaneExtensionEnumerate(int32_t, int32_t index,
                                                   CommandDescriptor *descriptor) noexcept {
    // Only the low half of the index counts; a negative index describes the one command too.
    if (static_cast<int16_t>(index) >= 1)
        return 0;
    copyField(descriptor->menuText, kMenuText);
    copyField(descriptor->description, kCommandDescription);
    copyField(descriptor->shortName, kCommandShortName);
    descriptor->hostWord1 = 0;
    descriptor->hostWord2 = 0;
    return 1;
}

extern "C" int32_t WINAPI OrvaneExtensionInvoke(HWND owner, int32_t, int32_t, int32_t) noexcept {
    return runDividerCommand(owner);
}

extern "C" void WINAPI OrvaneExtensionTerminate(int32_t) noexcept {
    if (dividerSettings.settingsUsed != 0)
        saveSettings(&dividerSettings);
    saveShowWarning(showWarning);
}

extern "C" int32_t WINAPI OrvaneExtensionGetMenuStatus(int32_t) noexcept { return 1; }
