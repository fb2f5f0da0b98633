// The one message of the divider placement.
#pragma once

#include <cstdint>

constexpr const char *kLayoutErrorCaption = "Error";
constexpr const char *kLayoutErrorText = "Staff system is not updated correctly.";
constexpr uint16_t kLayoutErrorStyle = 0x10; // MB_OK with MB_ICONHAND
