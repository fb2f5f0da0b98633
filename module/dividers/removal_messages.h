// Texts, captions and styles of the removal's message boxes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <windows.h>

constexpr const char *kConfirmRemovalCaption = "Delete dividers?";
constexpr const char *kConfirmRemovalText =
    "This will erase all divider symbols with the specified font size within the selected page "
    "range. Are you sure?";
constexpr uint16_t kConfirmRemovalStyle = MB_YESNO | MB_ICONQUESTION;

constexpr const char *kDividersRemovedCaption = "Divider symbols deleted";
// One format for every count, 1 included.
constexpr const char *kDividersRemovedFormat = "%d divider symbols erased.";
constexpr size_t kDividersRemovedTextCapacity = 100;
constexpr uint16_t kDividersRemovedStyle = MB_OK | MB_ICONINFORMATION;

constexpr const char *kNoDividersFoundCaption = "No dividers found";
constexpr const char *kNoDividersFoundText =
    "No divider symbols were found within the selected page range.";
constexpr uint16_t kNoDividersFoundStyle = MB_OK | MB_ICONINFORMATION;

constexpr const char *kNotDeletedCaption = "Divider symbols not deleted";
constexpr const char *kNotErasedText = "The divider symbols could not be erased.";
constexpr const char *kRemovalOutOfMemoryText = "Not enough memory to erase the divider symbols.";
// Shown with the module's error box style.
static_assert(kConfirmRemovalStyle == 0x24, "question box with Yes and No");
static_assert(kDividersRemovedStyle == 0x40 && kNoDividersFoundStyle == 0x40, "information box");
