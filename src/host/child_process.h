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

// The descriptor the first of `passed` has in the child; the next ones follow.
constexpr int kFirstPassedDescriptor = 3;

// Runs a program found on the PATH with these arguments and extra
// environment entries ("NAME=value"), no shell between, and waits for it.
// The descriptors `passed` are open in it as 3, 4 and on, so that a file can
// be named to it as /dev/fd/3 and never by a name it might read otherwise.
// Throws a MissingProgram naming `missingHint` if the program is not there.
ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnvironment,
                     const std::string& missingHint, const std::vector<int>& passed = {});
