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

void ShowAndGoOn(Tool& t, const Err& e, const Text& title)
{
    if (e) t.platform.messageBox(e.description(), Buttons::Ok, Icon::Critical, title);
}

void ShowAndEnd(Tool& t, const Err& e)
{
    if (!e) return;
    t.platform.messageBox(e.description(), Buttons::Ok, Icon::Critical, TextOf(kTxtAppTitle));
    t.platform.endNow();
}
