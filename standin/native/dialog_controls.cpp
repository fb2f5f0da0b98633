// Messages every control answers, and the dispatch to the class of the control.
#include "dialog_controls.h"

#include <cstring>

namespace standin {

LRESULT copyText(const std::string &text, WPARAM size, LPARAM buffer) {
    char *target = reinterpret_cast<char *>(buffer);
    if (target == nullptr || size == 0)
        return 0;
    const size_t count = std::min<size_t>(text.size(), size - 1);
    std::memcpy(target, text.data(), count);
    target[count] = '\0';
    return static_cast<LRESULT>(count);
}

std::string textArgument(LPARAM text) {
    const char *chars = reinterpret_cast<const char *>(text);
    return chars == nullptr ? std::string() : std::string(chars);
}

std::string windowText(const ModelControl &control) {
    if (control.kind == ControlClass::ComboBox)
        return control.selected >= 0 &&
                       control.selected < static_cast<int32_t>(control.items.size())
                   ? control.items[control.selected]
                   : std::string();
    return control.text;
}

LRESULT controlMessage(ModelControl &control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETTEXT:
        return copyText(windowText(control), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(windowText(control).size());
    case WM_SETTEXT:
        // An edit tells its parent; a drop-down list has no text of its own to set.
        if (control.kind == ControlClass::ComboBox)
            return 0;
        if (control.kind != ControlClass::Edit) {
            control.text = textArgument(lParam);
            return 1;
        }
        break;
    default:
        break;
    }
    switch (control.kind) {
    case ControlClass::Button:
        return buttonMessage(control, message, wParam, lParam);
    case ControlClass::Edit:
        return editMessage(control, message, wParam, lParam);
    case ControlClass::ListBox:
    case ControlClass::ComboBox:
        return listMessage(control, message, wParam, lParam);
    case ControlClass::UpDown:
        return upDownMessage(control, message, wParam, lParam);
    default:
        return 0;
    }
}

} // namespace standin
