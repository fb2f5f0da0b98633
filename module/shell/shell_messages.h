// Texts, captions and styles of the plug-in shell.
#pragma once

#include <cstdint>

constexpr const char *kMenuText = "RZ Velunor &Divider [v 1.03e]...";
constexpr const char *kCommandDescription = "Placing breaks between systems";
constexpr const char *kCommandShortName = "System Divider";

constexpr const char *kExtractedPartCaption = "Extracted Part";
constexpr const char *kExtractedPartText =
    "Your music is marked as an extracted part. The Velunor Divider plug-in only supports scores. "
    "Turn off special part extraction and try again.";
constexpr const char *kPlacementErrorCaption = "Error";
constexpr const char *kPlacementErrorText = "Error creating divider symbols.";

// Message box styles used throughout the module.
constexpr uint16_t kErrorStyle = 0x10;       // MB_OK with MB_ICONHAND
constexpr uint16_t kInformationStyle = 0x40; // MB_OK with MB_ICONINFORMATION
constexpr uint16_t kQuestionStyle = 0x24;    // MB_YESNO with MB_ICONQUESTION
