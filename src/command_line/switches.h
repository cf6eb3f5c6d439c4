#pragma once
#include "tool.h"

// What the tool was asked to do on its command line: with no argument, open
// its window; else one job, without a window.
enum class Job { Window, Random, Default, Apply, Help, Wrong };

struct Switches {
    Job job = Job::Window;
    Text files[kSlotCount];    // Apply: each slot's file as given, or empty
    TextId wrong = kTxtEmpty;  // Wrong: what is wrong...
    Text where;                // ...and with which argument
};

// "/random", "/default", "/?", or any of "/logo FILE", "/logow FILE" and
// "/logos FILE"; switches in any capitalisation. A file may be quoted; one
// that is not runs to the next switch, spaces and all.
Switches ParseSwitches(const Text& arguments);
