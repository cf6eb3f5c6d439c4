#pragma once
#include "tool.h"

// The three ways the tool meets a failure. Each does nothing for no error.

// The window's opening: a missing or unreadable file asks whether to go on
// (No ends the tool); any other failure is shown and ends the tool.
void AskToGoOn(Tool& t, const Err& e);

// The previews: the failure is shown after its own heading (none if empty),
// under the tool's title, and the run goes on.
void ShowAndGoOn(Tool& t, const Err& e, const Text& heading);

// What no procedure handles: shown with the tool's title, then the tool ends.
void ShowAndEnd(Tool& t, const Err& e);
