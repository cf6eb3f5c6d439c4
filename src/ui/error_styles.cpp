#include "ui/error_styles.h"

void AskToGoOn(Tool& t, const Err& e)
{
    if (!e) return;
    Platform& p = t.platform;
    if (IsFileError(e)) {
        if (p.messageBox(e.description() + "\r\n" + TextOf(kTxtGoOn), Buttons::YesNo, Icon::Question,
                         TextOf(kTxtAppTitle)) == Answer::Yes)
            return;
    } else {
        p.messageBox(e.description(), Buttons::Ok, Icon::Critical, TextOf(kTxtAppTitle));
    }
    p.endNow();
}

// A heading as the title would be cut short in the box's title bar.
void ShowAndGoOn(Tool& t, const Err& e, const Text& heading)
{
    if (!e) return;
    const Text text = heading.empty() ? e.description() : heading + "\r\n\r\n" + e.description();
    t.platform.messageBox(text, Buttons::Ok, Icon::Critical, TextOf(kTxtAppTitle));
}

void ShowAndEnd(Tool& t, const Err& e)
{
    if (!e) return;
    t.platform.messageBox(e.description(), Buttons::Ok, Icon::Critical, TextOf(kTxtAppTitle));
    t.platform.endNow();
}
