#pragma once
#include <string>
#include <vector>

// Ctrl-C (SIGINT) and SIGTERM, caught from here on, so that a run that
// changes a disk image stops between two changes rather than in one.
void CatchInterruptions();

// If one came: says on stderr which logos were left as they were, then
// ends the process by that signal, as it would have without the catching.
void StopIfInterrupted(const std::vector<std::string>& leftAsTheyWere);
