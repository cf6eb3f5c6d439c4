#include "command_line/switch_run.h"

#include "logo_files/apply.h"
#include "logo_files/logo_copy.h"
#include "logo_files/picture_verdict.h"
#include "logo_files/random_logos.h"
#include "logo_files/slots.h"

namespace {
Text Joined(const Text& a, const Text& b) { return a + "\r\n\r\n" + b; }

void Tell(Tool& t, const Text& text, Icon icon)
{
    t.platform.messageBox(text, Buttons::Ok, icon, TextOf(kTxtAppTitle));
}

// The files given are judged, every one, before anything changes: one that
// is no picture is refused, saying why. Then a picture Windows would not
// show is made into a logo in the Logos folder, as the window makes it when
// its user says yes, and that copy is given instead.
Err GivenLogos(Tool& t, const Switches& s, Text chosen[kSlotCount], Text* refusal)
{
    FileSystem& fs = t.machine.files;
    PictureVerdict verdicts[kSlotCount];
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (s.files[slot].empty()) continue;
        chosen[slot] = fs.fullPath(s.files[slot]);
        if (Err e = JudgePicture(fs, chosen[slot], &verdicts[slot])) {
            *refusal = chosen[slot] + "\r\n\r\n" + WhyNotAPicture(fs, chosen[slot], e, verdicts[slot]);
            return Err();
        }
    }
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (chosen[slot].empty() || verdicts[slot].logo) continue;
        Text copy;
        PLUMWICK_TRY(WriteLogoCopy(t.machine, chosen[slot], &copy));
        chosen[slot] = copy;
    }
    return Err();
}

// What each slot gets from a file: the one given, or a random one.
Err ChosenFor(Tool& t, const Switches& s, Text chosen[kSlotCount], Text* refusal)
{
    if (s.job == Job::Random) return PickRandomLogos(t.machine, t.platform.randomSeed(), chosen);
    return GivenLogos(t, s, chosen, refusal);
}

Text LeftAsTheyWere(Tool& t, const bool changed[kSlotCount])
{
    if (!changed[0] && !changed[1] && !changed[2]) return TextOf(kTxtNothingChanged);
    Text text(TextOf(kTxtLeftUnchanged));
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (!changed[slot]) text += Text("\r\n") + LivePath(t.machine, slot);
    return text;
}

// As Default does: every logo the backup has goes back, and one whose copy
// is gone is named.
int RunDefault(Tool& t)
{
    Restored done[kSlotCount];
    const Err failed = RestoreDefaultLogos(t.machine, done);
    bool changed[kSlotCount] = {};
    Text gone;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        changed[slot] = done[slot] == Restored::Replaced || done[slot] == Restored::Removed;
        if (!failed && (done[slot] == Restored::Lost || done[slot] == Restored::NotKept))
            gone += Text("\r\n") + BackupPath(t.machine, slot);
    }
    if (failed) Tell(t, Joined(failed.description(), LeftAsTheyWere(t, changed)), Icon::Critical);
    if (!gone.empty())
        Tell(t, Joined(Text(TextOf(kTxtBackupCopyGone)) + gone, LeftAsTheyWere(t, changed)), Icon::Critical);
    return failed || !gone.empty() ? kExitFailed : kExitDone;
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
namespace {
// The logos /random made of pictures go when the run ends, installed or not.
struct MadeLogosCleared {
    Machine& m;
    ~MadeLogosCleared() { ClearMadeRandomLogos(m); }
};
}

int RunSwitches(Tool& t, const Switches& s)
{
    if (s.job == Job::Default) return RunDefault(t);
    MadeLogosCleared cleared{t.machine};
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
        if (Err e = ApplyLogos(t.machine, one)) {
            Tell(t, Joined(e.description(), LeftAsTheyWere(t, changed)), Icon::Critical);
            return kExitFailed;
        }
        changed[slot] = true;
    }
    return kExitDone;
}
