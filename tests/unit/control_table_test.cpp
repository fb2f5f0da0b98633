// The control table on the native build's dialog model.
#include <gtest/gtest.h>

#include "../controls/control_table.h"
#include "core/host_state.h"
#include "native/dialog_model.h"

namespace {

using namespace standin;

int32_t WINAPI recordingProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                  int32_t) {
    return static_cast<int32_t>(controls::recordMessage(dialog, message, wParam, lParam));
}

class ModelDriver : public controls::Driver {
  public:
    // The template as the host reads it from the module's compiled resources.
    HWND open(int id) override {
        const std::vector<uint8_t> file(kModuleResourceBytes,
                                        kModuleResourceBytes + kModuleResourceSize);
        const auto bytes =
            findResourceInResFile(file, kDialogResourceType, static_cast<uint16_t>(id));
        const auto dialogTemplate = parseDialogTemplate(bytes.value());
        ModelDialog &dialog =
            openModelDialog(dialogTemplate.value(), id, recordingProcedure, nullptr);
        if (callProcedure(dialog, WM_INITDIALOG, 0, 0) != 0)
            focusWithSelection(dialog, firstTabItem(dialog));
        return &dialog.window;
    }
    void close(HWND dialog) override { closeModelDialog(*dialogOfWindow(dialog)); }
    void spin(HWND upDown, bool up) override { clickUpDownArrow(*controlOfWindow(upDown), up); }
    void key(HWND dialog, UINT key) override { pressDialogKey(*dialogOfWindow(dialog), key); }
    void focus(HWND window) override {
        ModelControl *control = controlOfWindow(window);
        setFocus(*control->dialog, control);
    }
    int focusedId(HWND dialog) override {
        const ModelControl *focus = dialogOfWindow(dialog)->focus;
        return focus == nullptr ? 0 : static_cast<int>(focus->id);
    }
    void enable(HWND control, bool enable) override {
        enableControl(*controlOfWindow(control), enable);
    }
    void holdControl(bool down) override { host().controlHeld = down; }
};

TEST(ControlTable, TheModelDoesWhatThePlatformsControlsDo) {
    ModelDriver driver;
    for (const controls::ControlCase &controlCase : controls::controlCases()) {
        SCOPED_TRACE(controlCase.name);
        EXPECT_EQ(controls::mismatch(driver, controlCase, true), "");
    }
}

} // namespace
