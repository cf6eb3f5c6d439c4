#pragma once
#include "ui/main_window/main_window.h"

// The start-up logo moves: Windows cycles its palette entries from the
// header's "colours important" index up to 255. Slot 0's preview shows it
// the same way while the window is open.

// After slot 0's preview is drawn from a file's bytes: cycles it if it is
// a logo whose colours important is not 0, else stands still.
void FollowStartupLogo(MainWindow& w, const uint8_t* data, uint32_t size);

// One step of the cycle; the main window's timer calls it.
void StepPaletteCycle(MainWindow& w);

// Ends the cycle and frees what it keeps.
void StopPaletteCycle(MainWindow& w);

// What a cycle keeps, freed with the window.
void DeletePaletteCycle(PaletteCycle* cycle);
