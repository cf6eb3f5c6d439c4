#include "command_line/switch_run.h"

#include "logo_files/apply.h"
#include "logo_files/random_logos.h"
#include "logo_files/slots.h"
#include "picture/make_logo.h"

namespace {
Text Joined(const Text& a, const Text& b) { return a + "\r\n\r\n" + b; }

void Tell(Tool& t, const Text& text, Icon icon)
{
    t.platform.messageBox(text, Buttons::Ok, icon, TextOf(kTxtAppTitle));
}

// The files given are checked, every one, before any logo changes: a file
// Windows would not show is named, with the way to make a logo of it.
Err GivenLogos(Tool& t, const Switches& s, Text chosen[kSlotCount], Text* refusal)
{
    Platform& p = t.platform;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (s.files[slot].empty()) continue;
        chosen[slot] = p.fullPath(s.files[slot]);
        uint8_t* data = nullptr;
        uint32_t size = 0;
        PLUMWICK_TRY(p.readFile(chosen[slot], kMaxBitmapFileSize, &data, &size));
        const bool shown = IsLogoShaped(data, size);
        delete[] data;
        if (!shown) {
            *refusal = Text(TextOf(kTxtNotALogo)) + "\r\n" + chosen[slot] + "\r\n\r\n" + TextOf(kTxtHowToMakeLogo);
            return Err();
        }
    }
    return Err();
}

Err ChosenFor(Tool& t, const Switches& s, Text chosen[kSlotCount], Text* refusal)
{
    switch (s.job) {
    case Job::Random: return PickRandomLogos(t, t.platform.randomSeed(), chosen);
    case Job::Default: return DefaultLogoSources(t, chosen);
    default: return GivenLogos(t, s, chosen, refusal);
    }
}

Text LeftAsTheyWere(Tool& t, const bool changed[kSlotCount])
{
    if (!changed[0] && !changed[1] && !changed[2]) return TextOf(kTxtNothingChanged);
    Text text(TextOf(kTxtLeftUnchanged));
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (!changed[slot]) text += Text("\r\n") + LivePath(t, slot);
    return text;
}
}

int TellAboutSwitches(Tool& t, const Switches& s)
{
    if (s.job == Job::Help) {
        Tell(t, TextOf(kTxtSwitchesHelp), Icon::Information);
        return kExitDone;
    }
    Tell(t, Joined(Text(TextOf(s.wrong)) + s.where, TextOf(kTxtSeeSwitches)), Icon::Critical);
    return kExitWrongSwitches;
}

// Slot by slot, so that a failure can say which logos it left as they were.
int RunSwitches(Tool& t, const Switches& s)
{
    Text chosen[kSlotCount], refusal;
    const bool unchanged[kSlotCount] = {};
    if (Err e = ChosenFor(t, s, chosen, &refusal)) refusal = e.description();
    if (!refusal.empty()) {
        Tell(t, Joined(refusal, LeftAsTheyWere(t, unchanged)), Icon::Critical);
        return kExitFailed;
    }
    bool changed[kSlotCount] = {};
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (chosen[slot].empty()) continue;
        Text one[kSlotCount];
        one[slot] = chosen[slot];
        if (Err e = ApplyLogos(t, one)) {
            Tell(t, Joined(e.description(), LeftAsTheyWere(t, changed)), Icon::Critical);
            return kExitFailed;
        }
        changed[slot] = true;
    }
    return kExitDone;
}
