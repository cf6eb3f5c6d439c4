#pragma once
#include "picture/bitmap_check.h"
#include "ui/main_window/main_window.h"

// The start-up logo moves: Windows cycles its palette entries from the
// header's "colours important" index up to 255. Slot 0's preview shows it
// the same way while the window is open.

// Slot 0's preview of a file: a logo whose colours important is not 0 is
// read into a new cycle, which draws it and moves it (*cycling true). Any
// other file leaves the cycle to the caller, who previews it.
Err FollowStartupLogo(MainWindow& w, ByteSource& file, const BitmapLayout& l, bool* cycling);

// One step of the cycle; the main window's timer calls it.
void StepPaletteCycle(MainWindow& w);

// Ends the cycle and frees what it keeps.
void StopPaletteCycle(MainWindow& w);

// What a cycle keeps, freed with the window.
void DeletePaletteCycle(PaletteCycle* cycle);
