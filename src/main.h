#pragma once
#include "logo_files/run_state.h"

// Main's answer when the tool's window is open and runs until it closes.
constexpr int kRunTheWindows = -1;

// The tool's start, before any window exists: shows the main window, or
// does the one job the command line asks for. Answers the exit code of a
// run with switches, or kRunTheWindows.
int Main(Tool& t);
