// The message handling of each control class of the dialog model.
#pragma once

#include "dialog_model.h"

namespace standin {

LRESULT buttonMessage(ModelControl &button, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT editMessage(ModelControl &edit, UINT message, WPARAM wParam, LPARAM lParam);
// List boxes and drop-down lists.
LRESULT listMessage(ModelControl &list, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT upDownMessage(ModelControl &upDown, UINT message, WPARAM wParam, LPARAM lParam);

// WM_GETTEXT into a caller's buffer of `size` characters; the number copied.
LRESULT copyText(const std::string &text, WPARAM size, LPARAM buffer);
// The text a message passes by pointer; a null pointer is the empty text.
std::string textArgument(LPARAM text);

} // namespace standin
