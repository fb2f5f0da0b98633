// Up-down controls of the dialog model, stepping as the platform's common controls do: the
// arrows propose a delta to the parent, then move the position within the range and, with
// UDS_SETBUDDYINT, write it into the buddy.
#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "dialog_controls.h"

namespace standin {

namespace {

// The buddy's text is read into at most this many characters.
constexpr size_t kBuddyTextRoom = 19;

int32_t lowEnd(const ModelControl &upDown) { return std::min(upDown.rangeMin, upDown.rangeMax); }
int32_t highEnd(const ModelControl &upDown) { return std::max(upDown.rangeMin, upDown.rangeMax); }

bool inRange(const ModelControl &upDown, int64_t value) {
    return value >= lowEnd(upDown) && value <= highEnd(upDown);
}

bool buddyIsEdit(const ModelControl &upDown) {
    return upDown.buddy != nullptr && upDown.buddy->kind == ControlClass::Edit;
}

bool setsBuddyInt(const ModelControl &upDown) {
    return (upDown.style & UDS_SETBUDDYINT) != 0 && upDown.buddy != nullptr;
}

// With UDS_SETBUDDYINT the position is taken from the buddy first; a text that is not a whole
// number within the range (an empty text reads 0) leaves the position as it was. False then, and
// for an up-down that does not set its buddy.
bool readBuddy(ModelControl &upDown) {
    if (!setsBuddyInt(upDown))
        return false;
    const std::string text = windowText(*upDown.buddy).substr(0, kBuddyTextRoom);
    char *end = nullptr;
    errno = 0;
    long long value = std::strtoll(text.c_str(), &end, 10);
    // The platform's long is 32 bits: it saturates there.
    if (errno == ERANGE || value > INT32_MAX || value < INT32_MIN)
        value = value < 0 ? INT32_MIN : INT32_MAX;
    if (*end != '\0' || !inRange(upDown, value))
        return false;
    upDown.position = static_cast<int32_t>(value);
    return true;
}

// Moves by the delta; beyond the range the position stops at its end. True when it moved.
bool movePosition(ModelControl &upDown, int32_t delta) {
    const int32_t moved = std::clamp(upDown.position + delta, lowEnd(upDown), highEnd(upDown));
    const bool changed = moved != upDown.position;
    upDown.position = moved;
    return changed;
}

void scrollNotice(ModelControl &upDown, WORD code) {
    callProcedure(*upDown.dialog, WM_VSCROLL, MAKEWPARAM(code, upDown.position),
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
    if (movePosition(upDown, notification.iDelta) && setsBuddyInt(upDown)) {
        const std::string text = std::to_string(upDown.position);
        controlMessage(*upDown.buddy, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    scrollNotice(upDown, SB_THUMBPOSITION);
    // Letting go of the arrow selects the buddy edit's whole text.
    if (buddyIsEdit(upDown))
        controlMessage(*upDown.buddy, EM_SETSEL, 0, MAKELPARAM(0, 0xFFFF));
    scrollNotice(upDown, SB_ENDSCROLL);
}

LRESULT upDownMessage(ModelControl &upDown, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case UDM_SETRANGE:
        // The upper limit in the low word, the lower in the high word; the position stays.
        upDown.rangeMax = static_cast<int16_t>(LOWORD(lParam));
        upDown.rangeMin = static_cast<int16_t>(HIWORD(lParam));
        return 0;
    case UDM_GETPOS: {
        // The high word is 1 when the buddy gave no position; one outside the range then reads
        // as its nearer end.
        const bool read = readBuddy(upDown);
        return MAKELONG(std::clamp(upDown.position, lowEnd(upDown), highEnd(upDown)), read ? 0 : 1);
    }
    default:
        return 0;
    }
}

} // namespace standin
