// Pictures of the dialogs: the documentation's screenshots (scripts/screenshots.sh) hold each
// dialog until the screen is grabbed, and the Windows checks have each dialog write its own
// picture; in any other run nothing holds and nothing is drawn.
#pragma once

#include "dialog_runs.h"

namespace standin {
// Once the dialog is up: false when no picture is being taken, else the hold starts, and the
// scripted user with its end.
bool startHold(DialogRun &run);
// The hold's timer ticks; false for every other message.
bool holdTimerTick(DialogRun &run, UINT message, WPARAM wParam);
} // namespace standin
