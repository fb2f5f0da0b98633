// The run of the one command, from the document check to the placement.
#pragma once

#include <cstdint>
#include <windows.h>

bool isExtractedPart();
bool warningKeysHeld();
void reportExtractedPart(HWND owner);
int32_t runDividerCommand(HWND owner);
