#pragma once
#include <string>
#include <vector>

// Ctrl-C (SIGINT) and SIGTERM, caught from here on, so that a run that
// changes a disk image stops between two changes rather than in one.
void CatchInterruptions();

// Thrown once a caught signal has been told: the run unwinds, so that what
// it made in the temporary folder goes, and EndBy ends the process.
struct Interrupted {
    int signal;
};

// If one came: says on stderr which logos were left as they were, and
// throws Interrupted.
void StopIfInterrupted(const std::vector<std::string>& leftAsTheyWere);

// Ends the process by the signal, as it would have ended without the catching.
[[noreturn]] void EndBy(int signal);
