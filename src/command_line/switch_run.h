#pragma once
#include "command_line/switches.h"

// How a run with switches ends, for the batch file or shortcut that ran it.
enum ExitCode : int {
    kExitDone = 0,
    kExitFailed = 1,         // a logo could not be changed; a box said which
    kExitWrongSwitches = 2,  // nothing was done
    kExitAnotherCopy = 3,    // Plumwick was running already; nothing was done
};

// "/?" and a wrong command line: one box, nothing else.
int TellAboutSwitches(Tool& t, const Switches& s);

// One job, once the start-up steps are done, with no window: any failure is
// one box that says what failed and which logos were left as they were.
int RunSwitches(Tool& t, const Switches& s);
