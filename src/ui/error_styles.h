#pragma once
#include "tool.h"

// The three ways the tool meets a failure. Each does nothing for no error.

// The window's opening: a missing or unreadable file asks whether to go on
// (No ends the tool); any other failure is shown and ends the tool.
void AskToGoOn(Tool& t, const Err& e);

// The previews: the failure is shown under its own title, and the run goes on.
void ShowAndGoOn(Tool& t, const Err& e, const Text& title);

// What no procedure handles: shown with the tool's title, then the tool ends.
void ShowAndEnd(Tool& t, const Err& e);
