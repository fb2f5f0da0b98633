// The small subset of the Windows API that the module uses, for the native build of the stand-in
// host. Values match the platform's headers; the stand-in host supplies the functions.
#pragma once

#include <cstdint>

#define WINAPI
#define CALLBACK

typedef int BOOL;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef uint8_t BYTE;
typedef short SHORT;
typedef BYTE *LPBYTE;
typedef DWORD *LPDWORD;
typedef const char *LPCSTR;
typedef char *LPSTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef void *LPVOID;
typedef LONG LSTATUS;
typedef DWORD REGSAM;

struct HWND__ {
    int unused;
};
typedef HWND__ *HWND;
struct HKEY__ {
    int unused;
};
typedef HKEY__ *HKEY;
typedef HKEY *PHKEY;
struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES *LPSECURITY_ATTRIBUTES;

#define HKEY_CURRENT_USER ((HKEY)(uintptr_t)0x80000001u)
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_MORE_DATA 234L
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define REG_OPTION_NON_VOLATILE 0
#define REG_BINARY 3

#define MB_OK 0x0
#define MB_YESNO 0x4
#define MB_ICONHAND 0x10
#define MB_ICONQUESTION 0x20
#define MB_ICONINFORMATION 0x40
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

#define VK_SHIFT 0x10
#define VK_CONTROL 0x11

#define WM_USER 0x0400
#define WM_NOTIFY 0x004E
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111

#define LB_ADDSTRING 0x0180
#define LB_SETCURSEL 0x0186
#define LB_GETCURSEL 0x0188
#define LB_ERR (-1)
#define LBN_SELCHANGE 1
#define CB_ADDSTRING 0x0143
#define EM_SETSEL 0x00B1
#define EM_LIMITTEXT 0x00C5

#define LOWORD(l) ((WORD)(((uintptr_t)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((uintptr_t)(l)) >> 16) & 0xffff))
#define MAKELONG(a, b) ((LONG)(((WORD)(((uintptr_t)(a)) & 0xffff)) | ((DWORD)((WORD)(((uintptr_t)(b)) & 0xffff))) << 16))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))

extern "C" {
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
SHORT WINAPI GetKeyState(int virtualKey);
int wsprintfA(LPSTR buffer, LPCSTR format, ...);
HWND WINAPI GetDlgItem(HWND dialog, int id);
LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
LSTATUS WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options,
                               REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result,
                               LPDWORD disposition);
LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                LPDWORD size);
LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE *data,
                              DWORD size);
LSTATUS WINAPI RegCloseKey(HKEY key);
}
