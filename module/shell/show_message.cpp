#include "shell/show_message.h"

int32_t showMessage(HWND owner, const char *text, const char *caption, uint16_t style) {
    return MessageBoxA(owner, text, caption, style);
}
