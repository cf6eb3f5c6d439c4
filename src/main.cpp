#include "main.h"

#include "command_line/switch_run.h"
#include "logo_files/backup.h"
#include "logo_files/slots.h"
#include "ui/error_styles.h"
#include "ui/main_window/main_window.h"

namespace {
// Told once, when it happens: without its backup a logo cannot come back
// with ﾃﾞﾌｫﾙﾄ, and the folder now exists, so the next start will not try again.
void TellFailedBackups(Tool& t, const BackupFailures& failures)
{
    if (!failures.any()) return;
    Text text(TextOf(kTxtBackupFailed));
    Err first;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (!failures.slot[slot]) continue;
        text += Text("\r\n") + LivePath(t.machine, slot);
        if (!first) first = failures.slot[slot];
    }
    text += Text("\r\n\r\n") + ErrorDescription(first.number()) + "\r\n\r\n" + TextOf(kTxtBackupLost);
    t.platform.messageBox(text, Buttons::Ok, Icon::Critical, TextOf(kTxtAppTitle));
}
}

void FindSystemFolders(Tool& t)
{
    const Text windows = t.platform.windowsDirectory();
    PlaceWindows(t.machine, windows, DriveRoot(windows));
    PlaceTool(t.machine, t.platform.toolFolder());
}

// Failures up to the window are ignored or told, and start-up goes on; a
// window that cannot be made ends the tool rather than leave it running
// unseen. A run with switches does the same steps, then its one job.
int Main(Tool& t)
{
    Platform& p = t.platform;
    const Switches switches = ParseSwitches(p.commandLine());
    UseLanguage(LanguageForCodePage(p.codePage()));
    if (switches.job == Job::Help || switches.job == Job::Wrong) return TellAboutSwitches(t, switches);
    const bool withWindow = switches.job == Job::Window;
    if (p.anotherCopyRunning()) {
        if (withWindow) p.endNow();
        p.messageBox(TextOf(kTxtAnotherCopy), Buttons::Ok, Icon::Critical, TextOf(kTxtAppTitle));
        return kExitAnotherCopy;
    }
    FindSystemFolders(t);
    // A logo that a cut-off replace left under its temporary name is put
    // back first, so that the first start's backup finds it.
    (void)RecoverAllLogos(t.machine);
    TellFailedBackups(t, BackUpOnFirstStart(t.machine));
    if (!withWindow) return RunSwitches(t, switches);
    ShowAndEnd(t, ShowMainWindow(t));
    return kRunTheWindows;
}
