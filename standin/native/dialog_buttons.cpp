// Push buttons, check boxes, radio buttons and group boxes of the dialog model.
#include "dialog_controls.h"

namespace standin {

namespace {

uint32_t buttonType(const ModelControl &button) { return button.style & BS_TYPEMASK; }

bool takesPart(const ModelControl &control) {
    return (control.style & WS_VISIBLE) != 0 && control.enabled;
}

// The group runs from the last WS_GROUP control at or before this one up to the next; hidden and
// disabled members are passed over.
void uncheckGroupSiblings(ModelControl &button) {
    auto &controls = button.dialog->controls;
    size_t start = 0;
    while (controls[start].get() != &button)
        ++start;
    while (start > 0 && (controls[start]->style & WS_GROUP) == 0)
        --start;
    for (size_t at = start; at < controls.size(); ++at) {
        ModelControl &sibling = *controls[at];
        if (at > start && (sibling.style & WS_GROUP) != 0)
            break;
        if (&sibling != &button && takesPart(sibling) && buttonType(sibling) == BS_AUTORADIOBUTTON)
            sibling.check = BST_UNCHECKED;
    }
}

// A check box or radio button keeps checked or not; BM_SETCHECK clips to that. Other buttons
// keep no check. Setting a check leaves the group alone: only a click clears it.
void setCheck(ModelControl &button, WPARAM state) {
    const uint32_t type = buttonType(button);
    const bool checkable = type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON;
    button.check = checkable && state != BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED;
}

// Button down takes the focus; button up changes an auto button and tells the parent.
void click(ModelControl &button) {
    setFocus(*button.dialog, &button);
    if (buttonType(button) == BS_AUTOCHECKBOX)
        setCheck(button, button.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    if (buttonType(button) == BS_AUTORADIOBUTTON) {
        setCheck(button, BST_CHECKED);
        uncheckGroupSiblings(button);
    }
    notifyParent(button, BN_CLICKED);
}

} // namespace

LRESULT buttonMessage(ModelControl &button, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case BM_GETCHECK:
        return button.check;
    case BM_SETCHECK:
        setCheck(button, wParam);
        return 0;
    case BM_CLICK:
        click(button);
        return 0;
    default:
        return 0;
    }
}

} // namespace standin
