#pragma once
#include "../platform/platform.h"

using LogoSlot = int;
constexpr int kSlotCount = 3;

// The values that live for the whole run, and the platform they run on.
struct Tool {
    explicit Tool(Platform& p) : platform(p) {}

    Platform& platform;
    Text WindowsDir;
    Text BootRoot;
    Text SettingsPath;
    bool SkipNextPreview = false;
    FormHandle mainWindow = kNoForm;
    CommonDialog CommonDialog1;
};

// Shows a failure that nothing handled, then ends the tool.
void TopLevel(Tool& t, const Err& e);

extern const char kAppTitle[];
