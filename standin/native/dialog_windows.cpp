// Windows of the dialog model: creating a dialog from its template, finding dialogs and controls
// by handle, and the Win32 calls of the module and of the host's services that the model answers.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <strings.h>

#include "dialog_model.h"

namespace standin {

namespace {

std::vector<std::unique_ptr<ModelDialog>> &openDialogs() {
    static std::vector<std::unique_ptr<ModelDialog>> dialogs;
    return dialogs;
}

ControlClass classOf(const std::string &name) {
    static const struct {
        const char *name;
        ControlClass kind;
    } kClasses[] = {
        {"BUTTON", ControlClass::Button},     {"EDIT", ControlClass::Edit},
        {"STATIC", ControlClass::Static},     {"LISTBOX", ControlClass::ListBox},
        {"COMBOBOX", ControlClass::ComboBox}, {"msctls_updown32", ControlClass::UpDown}};
    for (const auto &known : kClasses)
        if (strcasecmp(name.c_str(), known.name) == 0)
            return known.kind;
    return ControlClass::Other;
}

} // namespace

ModelDialog &openModelDialog(const DialogTemplate &dialogTemplate, int32_t resourceId,
                             OXDialogProc procedure, HWND owner) {
    auto dialog = std::make_unique<ModelDialog>();
    dialog->resourceId = resourceId;
    dialog->procedure = procedure;
    dialog->owner = owner;
    ModelControl *previous = nullptr;
    for (const auto &item : dialogTemplate.items) {
        auto control = std::make_unique<ModelControl>();
        control->dialog = dialog.get();
        control->id = item.id;
        control->className = item.className;
        control->kind = classOf(item.className);
        control->style = item.style;
        control->enabled = (item.style & WS_DISABLED) == 0;
        // Lists and up-downs show no text of their own; a combo box shows its item.
        if (control->kind != ControlClass::ComboBox)
            control->text = item.text;
        if (control->kind == ControlClass::UpDown && (item.style & UDS_AUTOBUDDY) != 0)
            control->buddy = previous;
        if (control->kind == ControlClass::Button &&
            (item.style & BS_TYPEMASK) == static_cast<uint32_t>(BS_DEFPUSHBUTTON))
            dialog->defaultId = item.id;
        previous = control.get();
        dialog->controls.push_back(std::move(control));
    }
    openDialogs().push_back(std::move(dialog));
    return *openDialogs().back();
}

void closeModelDialog(ModelDialog &dialog) {
    auto &dialogs = openDialogs();
    dialogs.erase(std::remove_if(dialogs.begin(), dialogs.end(),
                                 [&](const auto &open) { return open.get() == &dialog; }),
                  dialogs.end());
}

ModelDialog *dialogOfWindow(HWND window) {
    for (const auto &dialog : openDialogs())
        if (&dialog->window == window)
            return dialog.get();
    return nullptr;
}

ModelControl *controlOfWindow(HWND window) {
    if (window == nullptr)
        return nullptr;
    for (const auto &dialog : openDialogs())
        for (const auto &control : dialog->controls)
            if (&control->window == window)
                return control.get();
    return nullptr;
}

ModelControl *controlById(ModelDialog &dialog, uint32_t id) {
    for (const auto &control : dialog.controls)
        if (control->id == id)
            return control.get();
    return nullptr;
}

LRESULT callProcedure(ModelDialog &dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (dialog.procedure == nullptr)
        return 0;
    return dialog.procedure(&dialog.window, message, wParam, lParam, 0);
}

void notifyParent(ModelControl &control, WORD code) {
    callProcedure(*control.dialog, WM_COMMAND, MAKEWPARAM(control.id, code),
                  reinterpret_cast<LPARAM>(&control.window));
}

} // namespace standin

using namespace standin;

extern "C" HWND WINAPI GetDlgItem(HWND dialogWindow, int id) {
    ModelDialog *dialog = dialogOfWindow(dialogWindow);
    if (dialog == nullptr)
        return nullptr;
    ModelControl *control = controlById(*dialog, static_cast<uint32_t>(id));
    return control == nullptr ? nullptr : &control->window;
}

extern "C" int WINAPI GetDlgCtrlID(HWND window) {
    ModelControl *control = controlOfWindow(window);
    return control == nullptr ? 0 : static_cast<int>(control->id);
}

extern "C" LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ModelControl *control = controlOfWindow(window))
        return controlMessage(*control, message, wParam, lParam);
    if (ModelDialog *dialog = dialogOfWindow(window)) {
        if (message == DM_GETDEFID)
            return dialog->defaultId == 0 ? 0 : MAKELONG(dialog->defaultId, DC_HASDEFID);
        return callProcedure(*dialog, message, wParam, lParam);
    }
    return 0;
}

extern "C" LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    HWND control = GetDlgItem(dialog, id);
    return control == nullptr ? 0 : SendMessageA(control, message, wParam, lParam);
}

// The platform's signed GetDlgItemInt: spaces, a sign and digits, whatever follows; 0 when no
// digit comes first or the number does not fit in 32 bits.
extern "C" UINT WINAPI GetDlgItemInt(HWND dialog, int id, BOOL *translated, BOOL) {
    ModelControl *control = controlOfWindow(GetDlgItem(dialog, id));
    const std::string text =
        control == nullptr ? std::string() : windowText(*control).substr(0, 29);
    char *end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    const bool read =
        end != text.c_str() && errno != ERANGE && value < INT32_MAX && value > INT32_MIN;
    if (translated != nullptr)
        *translated = read ? TRUE : FALSE;
    return read ? static_cast<UINT>(static_cast<int32_t>(value)) : 0;
}

extern "C" BOOL WINAPI EnableWindow(HWND window, BOOL enable) {
    ModelControl *control = controlOfWindow(window);
    if (control == nullptr)
        return FALSE;
    const bool wasDisabled = !control->enabled;
    enableControl(*control, enable != FALSE);
    return wasDisabled ? TRUE : FALSE;
}

extern "C" HWND WINAPI SetFocus(HWND window) {
    ModelControl *control = controlOfWindow(window);
    if (control == nullptr)
        return nullptr;
    ModelControl *previous = control->dialog->focus;
    setFocus(*control->dialog, control);
    return previous == nullptr ? nullptr : &previous->window;
}
