#pragma once
#include <string>
#include <vector>

#include "host/command_line.h"
#include "host/progress.h"

// One subcommand of plumwick: its words, its help and what it does. `run`
// returns the exit code, or throws a UserError or UsageError.
struct Command {
    const char* name;
    const char* usage;    // after "plumwick "
    const char* summary;  // one line for the overall help
    const char* details;  // the rest of its own help
    std::vector<KnownOption> options;
    size_t positionalCount;
    int (*run)(const CommandArgs& args, Progress& progress);
};

extern const Command kMakeCommand, kShowCommand, kInstallCommand, kRestoreCommand;
