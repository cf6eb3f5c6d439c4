#include "../platform/units.h"
#include "main_window_controls.h"
#include "main_window.h"

const char kSettingsSection[] = "Wendrop1";
const char kKeyLeft[] = "起動時のLeft";
const char kKeyTop[] = "起動時のTop";

// Accepts what the tool itself writes: an optional minus and decimal digits
// that fit 16 bits. Anything else counts as no stored value.
bool ParseStoredPosition(const Text& text, int32_t* value)
{
    size_t at = 0;
    bool negative = text.size() > 0 && text[0] == '-';
    if (negative) ++at;
    if (at == text.size()) return false;
    int32_t number = 0;
    for (; at < text.size(); ++at) {
        char c = text[at];
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
        if (number > 32768) return false;
    }
    if (negative) number = -number;
    if (!FitsInt16(number)) return false;
    *value = number;
    return true;
}

int32_t ReadWindowPosition(Tool& t, const char* key, int32_t fallback)
{
    Text stored;
    int32_t value = fallback;
    if (t.platform.readProfileString(kSettingsSection, key, t.SettingsPath, &stored))
        (void)ParseStoredPosition(stored, &value);
    return value;
}

// Whatever the window reports at closing is written, in twips.
Err SaveWindowPosition(Tool& t)
{
    Platform& p = t.platform;
    PixelRect outer{};
    PLUMWICK_TRY(p.formRect(t.mainWindow, &outer));
    ScreenInfo screen = p.screen();
    p.writeProfileString(kSettingsSection, kKeyLeft, Text::number(PixelsToTwips(outer.left, screen.dpiX)),
                         t.SettingsPath);
    p.writeProfileString(kSettingsSection, kKeyTop, Text::number(PixelsToTwips(outer.top, screen.dpiY)),
                         t.SettingsPath);
    return Err();
}
