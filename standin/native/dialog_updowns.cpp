// Up-down controls of the dialog model, stepping as the platform's common controls do: the
// arrows propose a delta to the parent, then move the position within the range and, with
// UDS_SETBUDDYINT, write it into the buddy.
#include <cerrno>
#include <cstdlib>
#include <strings.h>

#include "dialog_controls.h"

namespace standin {

namespace {

// The buddy's text is read into at most this many characters.
constexpr size_t kBuddyTextRoom = 19;

bool inRange(const ModelControl &upDown, int64_t value) {
    if (upDown.rangeMax > upDown.rangeMin)
        return value >= upDown.rangeMin && value <= upDown.rangeMax;
    return value >= upDown.rangeMax && value <= upDown.rangeMin;
}

bool buddyIsEdit(const ModelControl &upDown) {
    return upDown.buddy != nullptr && upDown.buddy->kind == ControlClass::Edit;
}

// With UDS_SETBUDDYINT the position is taken from the buddy first; a text that is not a whole
// number within the range (an empty text reads 0) leaves the position as it was.
void readBuddy(ModelControl &upDown) {
    if ((upDown.style & UDS_SETBUDDYINT) == 0 || upDown.buddy == nullptr)
        return;
    if (upDown.buddy->kind == ControlClass::ListBox) {
        if (upDown.buddy->selected >= 0)
            upDown.position = upDown.buddy->selected;
        return;
    }
    std::string text = windowText(*upDown.buddy).substr(0, kBuddyTextRoom);
    std::string digits;
    for (char c : text)
        if (c != ',')
            digits += c;
    char *end = nullptr;
    errno = 0;
    long long value = std::strtoll(digits.c_str(), &end, 10);
    // The platform's long is 32 bits: it saturates there.
    if (errno == ERANGE || value > INT32_MAX || value < INT32_MIN)
        value = value < 0 ? INT32_MIN : INT32_MAX;
    if (*end != '\0' || !inRange(upDown, value))
        return;
    upDown.position = static_cast<int32_t>(value);
}

std::string positionText(const ModelControl &upDown) {
    std::string text = std::to_string(upDown.position);
    if ((upDown.style & UDS_NOTHOUSANDS) == 0) {
        const size_t sign = text[0] == '-' ? 1 : 0;
        for (size_t at = text.size(); at > sign + 3; at -= 3)
            text.insert(at - 3, ",");
    }
    return text;
}

void writeBuddy(ModelControl &upDown) {
    if ((upDown.style & UDS_SETBUDDYINT) == 0 || upDown.buddy == nullptr)
        return;
    ModelControl &buddy = *upDown.buddy;
    if (buddy.kind == ControlClass::ListBox) {
        controlMessage(buddy, LB_SETCURSEL, static_cast<WPARAM>(upDown.position), 0);
        return;
    }
    const std::string text = positionText(upDown);
    // An unchanged text is not written again.
    if (strcasecmp(windowText(buddy).c_str(), text.c_str()) == 0)
        return;
    controlMessage(buddy, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Moves by the delta; beyond the range the position stops at its end (or wraps with UDS_WRAP).
// True when it moved.
bool movePosition(ModelControl &upDown, int64_t delta) {
    const int64_t min = upDown.rangeMin, max = upDown.rangeMax, current = upDown.position;
    if (!inRange(upDown, current + delta)) {
        if ((upDown.style & UDS_WRAP) != 0)
            delta +=
                (delta < 0 ? -1 : 1) * (max < min ? -1 : 1) * (min - max) + (delta < 0 ? 1 : -1);
        else if ((max > min && current + delta > max) || (max < min && current + delta < max))
            delta = max - current;
        else
            delta = min - current;
    }
    upDown.position = static_cast<int32_t>(current + delta);
    return delta != 0;
}

void scrollNotice(ModelControl &upDown, WORD code) {
    const UINT message = (upDown.style & UDS_HORZ) != 0 ? WM_HSCROLL : WM_VSCROLL;
    callProcedure(*upDown.dialog, message, MAKEWPARAM(code, upDown.position),
                  reinterpret_cast<LPARAM>(&upDown.window));
}

} // namespace

void clickUpDownArrow(ModelControl &upDown, bool up) {
    if (buddyIsEdit(upDown))
        setFocus(*upDown.dialog, upDown.buddy);
    readBuddy(upDown);
    // In a reversed range, such as the default 100 to 0, the up arrow proposes -1.
    const int32_t delta = (up ? 1 : -1) * (upDown.rangeMax < upDown.rangeMin ? -1 : 1);
    NMUPDOWN notification{};
    notification.hdr.hwndFrom = &upDown.window;
    notification.hdr.idFrom = upDown.id;
    notification.hdr.code = UDN_DELTAPOS;
    notification.iPos = upDown.position;
    notification.iDelta = delta;
    // A dialog procedure's own result is not the message's: without a notification result of
    // its own (the module sets none) the change goes ahead, with the delta as the parent left it.
    callProcedure(*upDown.dialog, WM_NOTIFY, upDown.id, reinterpret_cast<LPARAM>(&notification));
    if (movePosition(upDown, notification.iDelta))
        writeBuddy(upDown);
    scrollNotice(upDown, SB_THUMBPOSITION);
    // Letting go of the arrow selects the buddy edit's whole text.
    if (buddyIsEdit(upDown))
        controlMessage(*upDown.buddy, EM_SETSEL, 0, MAKELPARAM(0, 0xFFFF));
    scrollNotice(upDown, SB_ENDSCROLL);
}

LRESULT upDownMessage(ModelControl &upDown, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case UDM_SETRANGE:
        // The upper limit in the low word, the lower in the high word; the position stays.
        upDown.rangeMax = static_cast<int16_t>(LOWORD(lParam));
        upDown.rangeMin = static_cast<int16_t>(HIWORD(lParam));
        return 0;
    case UDM_GETRANGE:
        return MAKELONG(upDown.rangeMax, upDown.rangeMin);
    case UDM_SETPOS: {
        const int32_t old = upDown.position;
        int32_t wanted = static_cast<int16_t>(LOWORD(lParam));
        if (!inRange(upDown, wanted))
            wanted = wanted < std::min(upDown.rangeMin, upDown.rangeMax)
                         ? std::min(upDown.rangeMin, upDown.rangeMax)
                         : std::max(upDown.rangeMin, upDown.rangeMax);
        upDown.position = wanted;
        writeBuddy(upDown);
        return old;
    }
    case UDM_GETPOS: {
        readBuddy(upDown);
        return MAKELONG(upDown.position, 0);
    }
    case UDM_SETBUDDY: {
        ModelControl *old = upDown.buddy;
        upDown.buddy = controlOfWindow(reinterpret_cast<HWND>(wParam));
        return old == nullptr ? 0 : reinterpret_cast<LRESULT>(&old->window);
    }
    case UDM_GETBUDDY:
        return upDown.buddy == nullptr ? 0 : reinterpret_cast<LRESULT>(&upDown.buddy->window);
    case WM_GETTEXT:
        return copyText(upDown.text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(upDown.text.size());
    default:
        return 0;
    }
}

} // namespace standin
