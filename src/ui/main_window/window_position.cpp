#include "text/units.h"
#include "ui/main_window/main_window.h"

const char kSettingsSection[] = "Wendrop1";
const char kKeyLeft[] = "起動時のLeft";
const char kKeyBackupMade[] = "BakLog";
const char kKeyTop[] = "起動時のTop";

namespace {
// Past this, no further digit can bring the number back into 16 bits.
constexpr int32_t kInt16Limit = 32768;
}

// Reads the leading number as the system's own profile reading does
// ("8654.4" is 8654, "9000abc" 9000), and negative ones too, which the tool
// writes for a window dragged past the left or top edge. No number, or one
// past 16 bits, counts as no stored value.
bool ParseStoredPosition(const Text& text, int32_t* value)
{
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    int32_t number = 0;
    size_t digits = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++digits) {
        number = number * 10 + (text[at] - '0');
        if (number > kInt16Limit) return false;
    }
    if (digits == 0) return false;
    if (negative) number = -number;
    if (!FitsInt16(number)) return false;
    *value = number;
    return true;
}

int32_t ReadWindowPosition(MainWindow& w, const char* key, int32_t fallback)
{
    Text stored;
    int32_t value = fallback;
    if (w.tool.platform.readProfileString(kSettingsSection, key, w.settingsPath, &stored))
        (void)ParseStoredPosition(stored, &value);
    return value;
}

// Whatever the window reports at closing is written, in twips.
Err SaveWindowPosition(MainWindow& w)
{
    Platform& p = w.tool.platform;
    PixelRect outer{};
    PLUMWICK_TRY(p.formRect(w.form, &outer));
    ScreenInfo screen = p.screen();
    p.writeProfileString(kSettingsSection, kKeyLeft, Text::number(PixelsToTwips(outer.left, screen.dpiX)),
                         w.settingsPath);
    p.writeProfileString(kSettingsSection, kKeyTop, Text::number(PixelsToTwips(outer.top, screen.dpiY)),
                         w.settingsPath);
    return Err();
}
