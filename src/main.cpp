#include "main.h"

#include "command_line/switch_run.h"
#include "logo_files/backup.h"
#include "logo_files/slots.h"
#include "ui/error_styles.h"
#include "ui/main_window/main_window.h"

namespace {
// Told at each start that tries: without its backup a logo cannot come
// back with ﾃﾞﾌｫﾙﾄ.
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

// The settings file remembers that the first logos were kept, so that a
// BakLog deleted later is not made again from logos changed since without
// the user's word.
void KeepTheFirstLogos(Tool& t)
{
    Platform& p = t.platform;
    Machine& m = t.machine;
    const Text settings = SettingsPath(m), made = "1";
    Text value;
    const bool madeBefore = p.readProfileString(kSettingsSection, kKeyBackupMade, settings, &value);
    if (HasBackup(m)) {
        if (!madeBefore) p.writeProfileString(kSettingsSection, kKeyBackupMade, made, settings);
        return;
    }
    if (madeBefore && p.messageBox(Text(TextOf(kTxtBackupFolderGone)) + "\r\n" + m.BackupFolder + "\r\n\r\n" +
                                       TextOf(kTxtTakeAsFirstLogos),
                                   Buttons::YesNo, Icon::Question, TextOf(kTxtAppTitle)) != Answer::Yes)
        return;
    const BackupFailures failures = TakeBackup(m, Text());
    TellFailedBackups(t, failures);
    if (!failures.any()) p.writeProfileString(kSettingsSection, kKeyBackupMade, made, settings);
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
    KeepTheFirstLogos(t);
    if (!withWindow) return RunSwitches(t, switches);
    ShowAndEnd(t, ShowMainWindow(t));
    return kRunTheWindows;
}
