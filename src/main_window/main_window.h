#pragma once
#include "../logo_files/tool.h"

void InitMainWindow(Tool& t);
Err SaveWindowPosition(Tool& t);
int32_t ReadWindowPosition(Tool& t, const char* key, int32_t fallback);
bool ParseStoredPosition(const Text& text, int32_t* value);
void SelectLogoFile(Tool& t, int16_t index);

extern const char kSettingsSection[];
extern const char kKeyLeft[];
extern const char kKeyTop[];
