#pragma once
#include "logo_files/machine.h"
#include "platform/platform.h"

// The tool on Windows, for the whole run: the platform its windows and
// boxes run on, and the machine whose logos it changes.
struct Tool {
    Tool(Platform& p, FileSystem& files) : platform(p), machine(files) {}

    Platform& platform;
    Machine machine;
};
