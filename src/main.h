#pragma once
#include "logo_files/run_state.h"

// The tool's start: runs before any window exists and shows the main window.
void Main(Tool& t);
