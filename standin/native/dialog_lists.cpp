// List boxes and drop-down list combo boxes of the dialog model.
#include <strings.h>

#include "dialog_controls.h"

namespace standin {

namespace {

// Appends, or with the sorted style inserts before the first item that sorts after the text.
LRESULT addItem(ModelControl &list, const std::string &text, bool sorted) {
    size_t index = list.items.size();
    if (sorted)
        for (size_t at = 0; at < list.items.size(); ++at)
            if (strcasecmp(text.c_str(), list.items[at].c_str()) < 0) {
                index = at;
                break;
            }
    list.items.insert(list.items.begin() + static_cast<std::ptrdiff_t>(index), text);
    if (list.selected >= static_cast<int32_t>(index))
        ++list.selected;
    return static_cast<LRESULT>(index);
}

// An index beyond the items leaves the selection as it was; -1 clears it.
LRESULT setCurrent(ModelControl &list, WPARAM wParam) {
    const int32_t index = static_cast<int32_t>(wParam);
    if (index < -1 || index >= static_cast<int32_t>(list.items.size()))
        return LB_ERR;
    list.selected = index;
    return index;
}

bool validIndex(const ModelControl &list, WPARAM wParam) {
    const int32_t index = static_cast<int32_t>(wParam);
    return index >= 0 && index < static_cast<int32_t>(list.items.size());
}

} // namespace

LRESULT listMessage(ModelControl &list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LB_ADDSTRING:
        return addItem(list, textArgument(lParam), (list.style & LBS_SORT) != 0);
    case LB_RESETCONTENT:
        list.items.clear();
        list.selected = -1;
        return 0;
    case LB_SETCURSEL:
        return setCurrent(list, wParam);
    case LB_GETCURSEL:
        return list.selected;
    case LB_GETCOUNT:
        return static_cast<LRESULT>(list.items.size());
    case LB_GETTEXT:
        return validIndex(list, wParam) ? copyText(list.items[wParam], SIZE_MAX, lParam) : LB_ERR;
    case LB_GETTEXTLEN:
        return validIndex(list, wParam) ? static_cast<LRESULT>(list.items[wParam].size()) : LB_ERR;
    case WM_SETTEXT:
        list.text = textArgument(lParam);
        return 1;
    case WM_GETTEXT:
        return copyText(list.text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(list.text.size());
    default:
        return 0;
    }
}

LRESULT comboMessage(ModelControl &combo, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CB_ADDSTRING:
        return addItem(combo, textArgument(lParam), (combo.style & CBS_SORT) != 0);
    case CB_RESETCONTENT:
        combo.items.clear();
        combo.selected = -1;
        return 0;
    case CB_SETCURSEL:
        return setCurrent(combo, wParam);
    case CB_GETCURSEL:
        return combo.selected;
    case CB_GETCOUNT:
        return static_cast<LRESULT>(combo.items.size());
    case CB_GETLBTEXT:
        return validIndex(combo, wParam) ? copyText(combo.items[wParam], SIZE_MAX, lParam) : CB_ERR;
    case CB_GETLBTEXTLEN:
        return validIndex(combo, wParam) ? static_cast<LRESULT>(combo.items[wParam].size())
                                         : CB_ERR;
    case WM_GETTEXT:
        return copyText(windowText(combo), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(windowText(combo).size());
    default:
        // A drop-down list has no text of its own to set.
        return 0;
    }
}

} // namespace standin
