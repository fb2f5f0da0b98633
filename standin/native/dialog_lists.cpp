// List boxes and drop-down list combo boxes of the dialog model: the same list of items under two
// sets of message numbers.
#include "dialog_controls.h"

namespace standin {

namespace {

struct ListMessages {
    UINT add, setCurrent, getCurrent, count, text, textLength;
};

constexpr ListMessages kListBox = {LB_ADDSTRING, LB_SETCURSEL, LB_GETCURSEL,
                                   LB_GETCOUNT,  LB_GETTEXT,   LB_GETTEXTLEN};
constexpr ListMessages kComboBox = {CB_ADDSTRING, CB_SETCURSEL, CB_GETCURSEL,
                                    CB_GETCOUNT,  CB_GETLBTEXT, CB_GETLBTEXTLEN};
static_assert(LB_ERR == CB_ERR, "one error result serves both");

bool validIndex(const ModelControl &list, int32_t index) {
    return index >= 0 && index < static_cast<int32_t>(list.items.size());
}

} // namespace

LRESULT listMessage(ModelControl &list, UINT message, WPARAM wParam, LPARAM lParam) {
    const ListMessages &messages = list.kind == ControlClass::ListBox ? kListBox : kComboBox;
    const int32_t index = static_cast<int32_t>(wParam);
    // The module's lists are not sorted: items are appended.
    if (message == messages.add) {
        list.items.push_back(textArgument(lParam));
        return static_cast<LRESULT>(list.items.size() - 1);
    }
    // An index beyond the items leaves the selection as it was; -1 clears it.
    if (message == messages.setCurrent) {
        if (index != -1 && !validIndex(list, index))
            return LB_ERR;
        list.selected = index;
        return index;
    }
    if (message == messages.getCurrent)
        return list.selected;
    if (message == messages.count)
        return static_cast<LRESULT>(list.items.size());
    if (message == messages.text)
        return validIndex(list, index) ? copyText(list.items[wParam], SIZE_MAX, lParam) : LB_ERR;
    if (message == messages.textLength)
        return validIndex(list, index) ? static_cast<LRESULT>(list.items[wParam].size()) : LB_ERR;
    return 0;
}

} // namespace standin
