#pragma once
#include "platform/platform.h"

using LogoSlot = int;
constexpr int kSlotCount = 3;

// The values that live for the whole run, and the platform they run on:
// the system's folders, found once at start. The windows keep their own
// state.
struct Tool {
    explicit Tool(Platform& p) : platform(p) {}

    Platform& platform;
    Text WindowsDir;
    Text BootRoot;  // the Windows directory's drive root, with its backslash
};
