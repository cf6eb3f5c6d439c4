#pragma once
#include <string>
#include <vector>

#include "host/host_files.h"

// What a program run to its end gave back.
struct ChildResult {
    int exitCode;        // -1: ended by a signal
    Bytes output;        // its standard output
    std::string errors;  // its standard error
};

// Runs a program found on the PATH with these arguments and extra
// environment entries ("NAME=value"), no shell between, and waits for it.
// Throws a UserError naming `missingHint` if the program is not there.
ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnvironment,
                     const std::string& missingHint);
