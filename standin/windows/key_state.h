// Keys held down during an invocation, in the thread's real keyboard state.
#pragma once

namespace standin {
// Sets Control and Shift down or up so that GetKeyState reports them; true when the platform
// took the new state.
bool holdKeys(bool control, bool shift);
} // namespace standin
