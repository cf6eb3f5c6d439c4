#pragma once
#include "tool.h"

// Main's answer when the tool's window is open and runs until it closes.
constexpr int kRunTheWindows = -1;

// The Windows directory, its drive's root and the tool's folder, from the
// system.
void FindSystemFolders(Tool& t);

// The tool's start, before any window exists: shows the main window, or
// does the one job the command line asks for. Answers the exit code of a
// run with switches, or kRunTheWindows.
int Main(Tool& t);
