// Screenshots of the dialogs for the documentation (scripts/screenshots.sh) hold each dialog
// until its picture is taken; in any other run nothing holds.
#pragma once

#include "dialog_runs.h"

namespace standin {
// Once the dialog is up: false when no screenshot is being taken, else the hold starts, and the
// scripted user with its end.
bool startHold(DialogRun &run);
// The hold's timer ticks; false for every other message.
bool holdTimerTick(DialogRun &run, UINT message, WPARAM wParam);
} // namespace standin
