// Push buttons, check boxes, radio buttons and group boxes of the dialog model.
#include "dialog_controls.h"

namespace standin {

namespace {

uint32_t buttonType(const ModelControl &button) { return button.style & BS_TYPEMASK; }

bool isRadio(const ModelControl &button) {
    return buttonType(button) == BS_RADIOBUTTON || buttonType(button) == BS_AUTORADIOBUTTON;
}

// The highest check state a button of this type keeps; BM_SETCHECK clips to it.
int32_t highestCheck(const ModelControl &button) {
    switch (buttonType(button)) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return BST_CHECKED;
    case BS_3STATE:
    case BS_AUTO3STATE:
        return BST_INDETERMINATE;
    default:
        return BST_UNCHECKED;
    }
}

bool takesPart(const ModelControl &control) {
    return (control.style & WS_VISIBLE) != 0 && control.enabled;
}

// The group runs from the last WS_GROUP control at or before this one (looking back around the
// end of the dialog) up to the next; hidden and disabled members are passed over.
void uncheckGroupSiblings(ModelControl &button) {
    auto &controls = button.dialog->controls;
    const size_t count = controls.size();
    size_t at = 0;
    while (controls[at].get() != &button)
        ++at;
    size_t start = at;
    for (size_t back = 0; back < count; ++back) {
        const size_t index = (at + count - back) % count;
        if ((controls[index]->style & WS_GROUP) != 0) {
            start = index;
            break;
        }
    }
    for (size_t step = 0; step < count; ++step) {
        ModelControl &sibling = *controls[(start + step) % count];
        if (step > 0 && (sibling.style & WS_GROUP) != 0)
            break;
        if (&sibling != &button && takesPart(sibling) && buttonType(sibling) == BS_AUTORADIOBUTTON)
            buttonMessage(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void setCheck(ModelControl &button, WPARAM state) {
    const int32_t highest = highestCheck(button);
    const int32_t check =
        state > static_cast<WPARAM>(highest) ? highest : static_cast<int32_t>(state);
    // A checked radio button is the group's tab stop.
    if (isRadio(button))
        button.style = check != 0 ? button.style | WS_TABSTOP : button.style & ~WS_TABSTOP;
    button.check = check;
    if (buttonType(button) == BS_AUTORADIOBUTTON && check == BST_CHECKED &&
        (button.style & WS_CHILD) != 0)
        uncheckGroupSiblings(button);
}

// Button down takes the focus; button up changes an auto button and tells the parent.
void click(ModelControl &button) {
    setFocus(*button.dialog, &button);
    switch (buttonType(button)) {
    case BS_AUTOCHECKBOX:
        setCheck(button, button.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTORADIOBUTTON:
        setCheck(button, BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        setCheck(button, button.check == BST_INDETERMINATE ? 0 : button.check + 1);
        break;
    default:
        break;
    }
    notifyParent(button, BN_CLICKED);
}

} // namespace

LRESULT buttonMessage(ModelControl &button, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case BM_GETCHECK:
        return button.check;
    case BM_SETCHECK:
        setCheck(button, wParam);
        return 0;
    case BM_CLICK:
        click(button);
        return 0;
    case WM_SETTEXT:
        button.text = textArgument(lParam);
        return 1;
    case WM_GETTEXT:
        return copyText(button.text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(button.text.size());
    default:
        return 0;
    }
}

} // namespace standin
