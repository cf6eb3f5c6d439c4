#include "error_styles.h"

const char kAppTitle[] = "Plumwick";

void AskToGoOn(Tool& t, const Err& e)
{
    if (!e) return;
    Platform& p = t.platform;
    if (IsFileError(e)) {
        if (p.messageBox(e.description() + "\r\n続けますか？", Buttons::YesNo, Icon::Question, kAppTitle) ==
            Answer::Yes)
            return;
    } else {
        p.messageBox(e.description(), Buttons::Ok, Icon::Critical, kAppTitle);
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
    t.platform.messageBox(e.description(), Buttons::Ok, Icon::Critical, kAppTitle);
    t.platform.endNow();
}
