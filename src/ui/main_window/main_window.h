#pragma once
#include "logo_files/run_state.h"

// Loads the main window, which opens itself, and shows it.
Err ShowMainWindow(Tool& t);

// The window's opening: layout, place, previews of the installed logos,
// empty choices and OK disabled.
void InitMainWindow(Tool& t);

// The window's place in the settings file beside the tool.
Err SaveWindowPosition(Tool& t);
int32_t ReadWindowPosition(Tool& t, const char* key, int32_t fallback);
bool ParseStoredPosition(const Text& text, int32_t* value);
extern const char kSettingsSection[];
extern const char kKeyLeft[];
extern const char kKeyTop[];

// The slot's 設定 button: the file dialog, and the path as the slot's choice.
void SelectLogoFile(Tool& t, int16_t index);
