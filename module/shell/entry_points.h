// The six entry points through which the host drives the module.
#pragma once

#include <cstddef>
#include <cstdint>
#include <windows.h>

constexpr int32_t kInterfaceVersion = 0x04000107;

// The host's record describing one menu command; the module writes its first 196 bytes.
#pragma pack(push, 1)
struct CommandDescriptor {
    char menuText[64];
    char description[64];
    char shortName[64];
    uint16_t hostWord1;
    uint16_t hostWord2;
};
#pragma pack(pop)
static_assert(sizeof(CommandDescriptor) == 196, "the module writes 196 bytes");
static_assert(offsetof(CommandDescriptor, description) == 64, "descriptor layout");
static_assert(offsetof(CommandDescriptor, shortName) == 128, "descriptor layout");
static_assert(offsetof(CommandDescriptor, hostWord1) == 192, "descriptor layout");
static_assert(offsetof(CommandDescriptor, hostWord2) == 194, "descriptor layout");

extern "C" {
int32_t WINAPI OrvaneExtensionVersion(int32_t unused) noexcept;
int32_t WINAPI OrvaneExtensionInit(int32_t unused1, int32_t unused2) noexcept;
int32_t WINAPI OrvaneExtensionEnumerate(int32_t unused, int32_t index,
                                        CommandDescriptor *descriptor) noexcept;
int32_t WINAPI OrvaneExtensionInvoke(HWND owner, int32_t unused2, int32_t unused3,
                                     int32_t unused4) noexcept;
void WINAPI OrvaneExtensionTerminate(int32_t unused) noexcept;
int32_t WINAPI OrvaneExtensionGetMenuStatus(int32_t unused) noexcept;
}
