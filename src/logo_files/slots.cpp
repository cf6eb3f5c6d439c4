#include "logo_files/slots.h"

namespace {
constexpr size_t kDriveRootLength = 3;  // "C:\"

const ReplaceNames kSlotFiles[kSlotCount] = {
    {"logo.sys", "logo.pwn", "logo.pwo"},
    {"logow.sys", "logow.pwn", "logow.pwo"},
    {"logos.sys", "logos.pwn", "logos.pwo"},
};

// The start-up logo lives in the boot drive's root, whose value already
// ends in a backslash; the other two live in the Windows directory.
Text SlotDir(const Machine& m, LogoSlot slot) { return slot == 0 ? m.BootRoot : m.WindowsDir + "\\"; }
}

void PlaceWindows(Machine& m, const Text& windowsDir, const Text& bootRoot)
{
    m.WindowsDir = windowsDir;
    m.BootRoot = bootRoot;
}

Text DriveRoot(const Text& path) { return path.left(kDriveRootLength); }

void PlaceTool(Machine& m, const Text& toolFolder)
{
    m.ToolFolder = toolFolder;
    m.BackupFolder = toolFolder + "\\BakLog";
}

const char* LogoName(LogoSlot slot) { return kSlotFiles[slot].live; }
bool HasPlace(const Machine& m, LogoSlot slot) { return !(slot == 0 ? m.BootRoot : m.WindowsDir).empty(); }
Text LivePath(const Machine& m, LogoSlot slot) { return SlotDir(m, slot) + kSlotFiles[slot].live; }
Text BackupPath(const Machine& m, LogoSlot slot) { return m.BackupFolder + "\\" + kSlotFiles[slot].live; }
// Where logos made from the user's pictures go.
Text LogosFolder(const Machine& m) { return m.ToolFolder + "\\Logos"; }
Text DefaultPicturePath(const Machine& m) { return m.ToolFolder + "\\DfltLogo.sys"; }
Text SettingsPath(const Machine& m) { return m.ToolFolder + "\\Wendrop1.vrx"; }

Err DeleteLogoIfPresent(Machine& m, LogoSlot slot) { return DeleteFileIfPresent(m.files, LivePath(m, slot)); }

Err ReplaceLogo(Machine& m, LogoSlot slot, const Text& from, uint32_t attributes)
{
    return ReplaceFile(m.files, from, SlotDir(m, slot), kSlotFiles[slot], attributes);
}

Err RecoverLogo(Machine& m, LogoSlot slot) { return Recover(m.files, SlotDir(m, slot), kSlotFiles[slot]); }

Err RecoverAllLogos(Machine& m)
{
    Err first;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (!HasPlace(m, slot)) continue;
        Err e = RecoverLogo(m, slot);
        if (!first) first = e;
    }
    return first;
}
