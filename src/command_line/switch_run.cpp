#include "command_line/switch_run.h"

#include "logo_files/apply.h"
#include "logo_files/backup.h"
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
    FileSystem& fs = t.machine.files;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (s.files[slot].empty()) continue;
        chosen[slot] = fs.fullPath(s.files[slot]);
        uint8_t* data = nullptr;
        uint32_t size = 0;
        PLUMWICK_TRY(fs.readFile(chosen[slot], kMaxBitmapFileSize, &data, &size));
        const bool shown = IsLogoShaped(data, size);
        delete[] data;
        if (!shown) {
            *refusal = Text(TextOf(kTxtNotALogo)) + "\r\n" + chosen[slot] + "\r\n\r\n" + TextOf(kTxtHowToMakeLogo);
            return Err();
        }
    }
    return Err();
}

// What each slot gets: for /default what the backup holds, else a file.
Err ChosenFor(Tool& t, const Switches& s, BackupRecord* backup, Text chosen[kSlotCount], Text* refusal)
{
    switch (s.job) {
    case Job::Random: return PickRandomLogos(t.machine, t.platform.randomSeed(), chosen);
    case Job::Default: PLUMWICK_TRY(ReadBackup(t.machine, backup)); return RequireEveryLogo(t.machine, *backup);
    default: return GivenLogos(t, s, chosen, refusal);
    }
}

Err ChangeSlot(Tool& t, const Switches& s, const BackupRecord& backup, const Text chosen[kSlotCount], LogoSlot slot)
{
    if (s.job == Job::Default) {
        Restored done;
        return RestoreLogo(t.machine, backup, slot, &done);
    }
    Text one[kSlotCount];
    one[slot] = chosen[slot];
    return ApplyLogos(t.machine, one);
}

Text LeftAsTheyWere(Tool& t, const bool changed[kSlotCount])
{
    if (!changed[0] && !changed[1] && !changed[2]) return TextOf(kTxtNothingChanged);
    Text text(TextOf(kTxtLeftUnchanged));
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (!changed[slot]) text += Text("\r\n") + LivePath(t.machine, slot);
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
    BackupRecord backup;
    const bool unchanged[kSlotCount] = {};
    if (Err e = ChosenFor(t, s, &backup, chosen, &refusal)) refusal = e.description();
    if (!refusal.empty()) {
        Tell(t, Joined(refusal, LeftAsTheyWere(t, unchanged)), Icon::Critical);
        return kExitFailed;
    }
    bool changed[kSlotCount] = {};
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (s.job != Job::Default && chosen[slot].empty()) continue;
        if (Err e = ChangeSlot(t, s, backup, chosen, slot)) {
            Tell(t, Joined(e.description(), LeftAsTheyWere(t, changed)), Icon::Critical);
            return kExitFailed;
        }
        changed[slot] = true;
    }
    return kExitDone;
}
