// Single-line edits of the dialog model: text, selection, text limit and typed characters.
#include <algorithm>

#include "dialog_controls.h"

namespace standin {

namespace {

uint32_t selectionLow(const ModelControl &edit) {
    return std::min(edit.selectionStart, edit.selectionEnd);
}
uint32_t selectionHigh(const ModelControl &edit) {
    return std::max(edit.selectionStart, edit.selectionEnd);
}

void notifyChange(ModelControl &edit) {
    notifyParent(edit, EN_UPDATE);
    notifyParent(edit, EN_CHANGE);
}

// Replaces the selection; typed text stops at the text limit, which EN_MAXTEXT reports. The
// caret then stands after what was inserted.
void replaceSelection(ModelControl &edit, std::string inserted) {
    const uint32_t low = selectionLow(edit);
    const uint32_t high = selectionHigh(edit);
    const size_t kept = edit.text.size() - (high - low);
    if (kept + inserted.size() > edit.textLimit) {
        notifyParent(edit, EN_MAXTEXT);
        inserted.resize(
            edit.textLimit < kept ? 0 : std::min<size_t>(inserted.size(), edit.textLimit - kept));
    }
    edit.text.replace(low, high - low, inserted);
    edit.selectionStart = edit.selectionEnd = low + static_cast<uint32_t>(inserted.size());
    notifyChange(edit);
}

void setSelection(ModelControl &edit, uint32_t start, uint32_t end) {
    const uint32_t length = static_cast<uint32_t>(edit.text.size());
    // A start of -1 takes the selection away, leaving the caret where the selection ended.
    if (start == UINT32_MAX) {
        start = edit.selectionEnd;
        end = edit.selectionEnd;
    } else {
        start = std::min(start, length);
        end = std::min(end, length);
    }
    edit.selectionStart = start;
    edit.selectionEnd = end;
}

void typeCharacter(ModelControl &edit, unsigned char typed) {
    if (typed == VK_BACK) {
        // Backspace with Control held down deletes nothing.
        if (GetKeyState(VK_CONTROL) < 0)
            return;
        if (edit.selectionStart != edit.selectionEnd) {
            replaceSelection(edit, std::string());
        } else if (edit.selectionEnd > 0) {
            edit.selectionStart = edit.selectionEnd - 1;
            replaceSelection(edit, std::string());
        }
        return;
    }
    // A number edit refuses anything but digits, without a word to its parent.
    if ((edit.style & ES_NUMBER) != 0 && !(typed >= '0' && typed <= '9'))
        return;
    if (typed < ' ' || typed == 127)
        return;
    replaceSelection(edit, std::string(1, static_cast<char>(typed)));
}

} // namespace

LRESULT editMessage(ModelControl &edit, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        // The program's text ignores the limit and leaves the caret at the start.
        edit.text = textArgument(lParam);
        edit.selectionStart = edit.selectionEnd = 0;
        notifyChange(edit);
        return 1;
    case WM_CHAR:
        typeCharacter(edit, static_cast<unsigned char>(wParam));
        return 0;
    case EM_GETSEL: {
        const uint32_t low = selectionLow(edit), high = selectionHigh(edit);
        if (wParam != 0)
            *reinterpret_cast<DWORD *>(wParam) = low;
        if (lParam != 0)
            *reinterpret_cast<DWORD *>(lParam) = high;
        return MAKELONG(low, high);
    }
    case EM_SETSEL:
        setSelection(edit, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
        return 1;
    case EM_LIMITTEXT:
        edit.textLimit = static_cast<uint32_t>(wParam);
        return 0;
    default:
        return 0;
    }
}

} // namespace standin
