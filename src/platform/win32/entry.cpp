// The process starts here: no C runtime start-up runs before it.
#include <windows.h>

#include "main.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_platform.h"

void RunGlobalConstructors();

// Picks the real platform for the tool; the unit tests pick a fake one.
extern "C" void WINAPI PlumwickEntry()
{
    RunGlobalConstructors();
    Win32Platform* platform = new Win32Platform;
    Tool* tool = new Tool(*platform, *new Win32Files);
    int exitCode = Main(*tool);
    if (exitCode == kRunTheWindows) {
        platform->run();
        exitCode = 0;
    }
    ExitProcess(static_cast<UINT>(exitCode));
}
