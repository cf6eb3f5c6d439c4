#pragma once
#include "logo_files/run_state.h"

// The start-up logo moves: Windows cycles its palette entries from the
// header's "colours important" index up to 255. Slot 0's preview shows it
// the same way while the window is open.

// After slot 0's preview is drawn from `path`: cycles it if it is a logo
// whose colours important is not 0, else stands still.
void FollowStartupLogo(Tool& t, const Text& path);

// One step of the cycle; the main window's timer calls it.
void StepPaletteCycle(Tool& t);
