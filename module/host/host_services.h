// The services that the host program lends the module, imported by name from the host executable.
#pragma once

#include <cstdint>
#include <windows.h>

// The host calls dialog procedures with a fifth value that the module ignores.
typedef int32_t(WINAPI *OXDialogProc)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                      int32_t reserved);

// Value kinds of OX_GetDlgItemVal and OX_SetDlgItemVal.
constexpr int32_t kDropDownListValue = 0; // 1-based item number
constexpr int32_t kCheckBoxValue = 1;     // also radio buttons when read; 0 = off
constexpr int32_t kRadioButtonValue = 2;  // 0 = off
constexpr int32_t kEditNumberValue = 3;   // the edit's whole number

extern "C" {
// Record services: the key is an array of 16-bit words (RecordKey or StaffScaleKey).
int32_t WINAPI OX_LoadEData(uint32_t tag, void *key, void *buffer, int32_t *size);
int32_t WINAPI OX_NextEData(uint32_t tag, void *key, void *buffer, int32_t size);
int32_t WINAPI OX_CreateEData(uint32_t tag, void *key, const void *buffer, int32_t size);
int32_t WINAPI OX_DeleteEData(uint32_t tag, void *key);

int32_t WINAPI OX_UpdateLayout(int32_t full, int32_t reserved);

int32_t WINAPI OX_Dialog(int32_t resourceId, OXDialogProc procedure, HWND owner, int32_t modal,
                         int32_t reserved);
int32_t WINAPI OX_EndDialog(HWND dialog);
int32_t WINAPI OX_GetDlgItemVal(HWND dialog, int32_t id, int32_t kind);
int32_t WINAPI OX_SetDlgItemVal(HWND dialog, int32_t id, int32_t kind, int32_t value);
int32_t WINAPI OX_GetDlgItemUser(HWND dialog, int32_t id, int32_t unit, double *orvu);
int32_t WINAPI OX_SetDlgItemUser(HWND dialog, int32_t id, int32_t unit, double orvu);
int32_t WINAPI OX_EnableDlgItem(HWND dialog, int32_t id, int32_t enable);
int32_t WINAPI OX_SetDlgFocus(HWND dialog, int32_t id);
}
