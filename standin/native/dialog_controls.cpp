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
    switch (control.kind) {
    case ControlClass::Button:
        return buttonMessage(control, message, wParam, lParam);
    case ControlClass::Edit:
        return editMessage(control, message, wParam, lParam);
    case ControlClass::ListBox:
        return listMessage(control, message, wParam, lParam);
    case ControlClass::ComboBox:
        return comboMessage(control, message, wParam, lParam);
    case ControlClass::UpDown:
        return upDownMessage(control, message, wParam, lParam);
    default:
        break;
    }
    switch (message) {
    case WM_SETTEXT:
        control.text = textArgument(lParam);
        return 1;
    case WM_GETTEXT:
        return copyText(windowText(control), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(windowText(control).size());
    default:
        return 0;
    }
}

} // namespace standin
