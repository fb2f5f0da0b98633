#include "key_state.h"

#include <windows.h>

namespace {
constexpr BYTE kKeyDown = 0x80;
// Any key has its toggle set after an odd number of presses: only the high bit tells down.
constexpr BYTE kToggled = 0x01;

void setKey(BYTE (&state)[256], int key, bool down) {
    state[key] = static_cast<BYTE>((down ? kKeyDown : 0) | kToggled);
}
} // namespace

namespace standin {

bool holdKeys(bool control, bool shift) {
    BYTE state[256] = {};
    if (!GetKeyboardState(state))
        return false;
    // The generic key is the one the module asks about; the left-hand keys keep the state coherent.
    setKey(state, VK_CONTROL, control);
    setKey(state, VK_LCONTROL, control);
    setKey(state, VK_RCONTROL, false);
    setKey(state, VK_SHIFT, shift);
    setKey(state, VK_LSHIFT, shift);
    setKey(state, VK_RSHIFT, false);
    return SetKeyboardState(state) != FALSE;
}

} // namespace standin
