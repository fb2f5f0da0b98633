// Texts and captions of the plug-in shell.
#pragma once

#include "resources/version.h"

constexpr const char *kMenuText = "RZ Velunor &Divider [v " DIVAZIVIR_VERSION "]...";
constexpr const char *kCommandDescription = "Placing breaks between systems";
constexpr const char *kCommandShortName = "System Divider";

constexpr const char *kExtractedPartCaption = "Extracted Part";
constexpr const char *kExtractedPartText =
    "Your music is marked as an extracted part. The Velunor Divider plug-in only supports scores. "
    "Turn off special part extraction and try again.";
constexpr const char *kPlacementErrorCaption = "Error";
constexpr const char *kPlacementErrorText = "Error creating divider symbols.";
