// Texts, captions and styles of the message boxes that the dialogs show.
#pragma once

#include <cstdint>

constexpr const char *kPageRangeErrorCaption = "Page Range Error";
constexpr const char *kPageRangeErrorText = "Page range is non-valid";
constexpr const char *kRangeErrorCaption = "Range Error";
constexpr const char *kRangeErrorText = "Adjustment values must be between -1000 and 1000 ORVUs.";

constexpr uint16_t kDialogErrorStyle = 0x10; // MB_OK with MB_ICONHAND
