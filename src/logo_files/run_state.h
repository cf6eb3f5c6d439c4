#pragma once
#include "platform/platform.h"

using LogoSlot = int;
constexpr int kSlotCount = 3;

// The values that live for the whole run, and the platform they run on.
// The windows and the logo procedures share them; only the windows' code
// touches the windows.
struct PaletteCycle;

struct Tool {
    explicit Tool(Platform& p) : platform(p) {}

    Platform& platform;
    Text WindowsDir;
    Text BootRoot;  // the Windows directory's drive root, with its backslash
    Text SettingsPath;
    bool SkipNextPreview = false;
    FormHandle mainWindow = kNoForm;
    CommonDialog CommonDialog1;
    PaletteCycle* paletteCycle = nullptr;  // slot 0's preview, while it moves
};
