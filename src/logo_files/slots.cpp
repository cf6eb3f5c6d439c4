#include "slots.h"

const char kAppTitle[] = "Plumwick";

namespace {
// A logo file's name and the names it goes by while it is being replaced.
struct SlotFiles {
    const char* live;
    const char* fresh;  // the new file until it stands in place
    const char* old;    // the replaced file until the new one stands
};

// The start-up logo lives in the boot drive's root, whose value already
// ends in a backslash; the other two live in the Windows directory.
const SlotFiles kSlotFiles[kSlotCount] = {
    {"logo.sys", "logo.pwn", "logo.pwo"},
    {"logow.sys", "logow.pwn", "logow.pwo"},
    {"logos.sys", "logos.pwn", "logos.pwo"},
};

Text SlotDir(const Tool& t, LogoSlot slot) { return slot == 0 ? t.BootRoot : t.WindowsDir + "\\"; }

// Removes a file whatever its attributes; absent is fine.
Err DeleteAny(Platform& p, const Text& path)
{
    Text name;
    PLUMWICK_TRY(p.findFile(path, FileQuery::AnyFile, &name));
    if (name.empty()) return Err();
    PLUMWICK_TRY(p.clearAttributes(path));
    return p.deleteFile(path);
}

// A run that stopped half way (power cut) may have left the replaced file
// under its temporary name with nothing in its place: put it back first.
Err Recover(Platform& p, const Text& target, const Text& fresh, const Text& old)
{
    Text oldName;
    PLUMWICK_TRY(p.findFile(old, FileQuery::AnyFile, &oldName));
    if (!oldName.empty()) {
        Text targetName;
        PLUMWICK_TRY(p.findFile(target, FileQuery::AnyFile, &targetName));
        if (targetName.empty()) PLUMWICK_TRY(p.moveFile(old, target));
    }
    PLUMWICK_TRY(DeleteAny(p, fresh));
    return DeleteAny(p, old);
}

Err Blame(Err e, const Text& temp, const Text& target)
{
    return e.path() == temp ? Err(e.number(), target) : e;
}
}

Text LivePath(const Tool& t, LogoSlot slot) { return SlotDir(t, slot) + kSlotFiles[slot].live; }
Text BackupPath(Tool& t, LogoSlot slot) { return BackupFolder(t) + "\\" + kSlotFiles[slot].live; }
Text BackupFolder(Tool& t) { return t.platform.toolFolder() + "\\BakLog"; }
Text DefaultPicturePath(Tool& t) { return t.platform.toolFolder() + "\\DfltLogo.sys"; }
Text DefaultStartupMarker(Tool& t) { return t.platform.toolFolder() + "\\dfltlogo.sys"; }

// Hidden, system and read-only logos are found too: Windows shows them all.
Err DeleteLogoIfPresent(Tool& t, LogoSlot slot)
{
    Platform& p = t.platform;
    Text name;
    PLUMWICK_TRY(p.findFile(LivePath(t, slot), FileQuery::AnyFile, &name));
    if (name.empty()) return Err();
    Text path = slot == 0 ? t.BootRoot + name : LivePath(t, slot);
    PLUMWICK_TRY(p.clearAttributes(path));
    return p.deleteFile(path);
}

// Puts a copy of `from` in the place of dir + files.live so that this file
// holds its old content or the whole new one at every moment, and no
// temporary file stays behind, whatever fails.
static Err ReplaceFile(Platform& p, const Text& from, const Text& dir, const SlotFiles& files)
{
    const Text target = dir + files.live;
    const Text fresh = dir + files.fresh;
    const Text old = dir + files.old;
    PLUMWICK_TRY(Recover(p, target, fresh, old));
    if (Err e = p.copyFile(from, fresh)) {
        (void)DeleteAny(p, fresh);
        return Blame(e, fresh, target);
    }
    Text current;
    if (Err e = p.findFile(target, FileQuery::AnyFile, &current)) {
        (void)DeleteAny(p, fresh);
        return e;
    }
    // The name as stored keeps the capitalisation the disk has.
    const Text stored = current.empty() ? Text() : dir + current;
    if (!stored.empty()) {
        Err e = p.clearAttributes(stored);
        if (!e) e = p.moveFile(stored, old);
        if (e) {
            (void)DeleteAny(p, fresh);
            return e;
        }
    }
    if (Err e = p.moveFile(fresh, target)) {
        if (!stored.empty()) (void)p.moveFile(old, stored);
        (void)DeleteAny(p, fresh);
        return Blame(e, fresh, target);
    }
    if (stored.empty()) return Err();
    if (Err e = p.deleteFile(old)) {
        // Undo rather than leave the old file lying beside the new one.
        if (!p.moveFile(target, fresh)) (void)p.moveFile(old, stored);
        (void)DeleteAny(p, fresh);
        return Blame(e, old, target);
    }
    return Err();
}

Err ReplaceLogo(Tool& t, LogoSlot slot, const Text& from)
{
    return ReplaceFile(t.platform, from, SlotDir(t, slot), kSlotFiles[slot]);
}

Err StoreBackup(Tool& t, LogoSlot slot)
{
    return ReplaceFile(t.platform, LivePath(t, slot), BackupFolder(t) + "\\", kSlotFiles[slot]);
}

void TopLevel(Tool& t, const Err& e)
{
    if (!e) return;
    t.platform.messageBox(e.description(), Buttons::Ok, Icon::Critical, kAppTitle);
    t.platform.endNow();
}
