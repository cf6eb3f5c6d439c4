#include "logo_files/safe_replace.h"

// The replace goes in four steps, each of which leaves a whole file under
// the live name or a way back to it:
//   1. copy the source to the fresh name beside the live file (a failed copy
//      leaves only a partial fresh file, which is deleted);
//   2. rename the live file to the old name;
//   3. rename the fresh file to the live name (undo 2 if that fails);
//   4. delete the old file (undo 3 and 2 if that fails).
// The temporary names sit in the live file's own folder, so both renames
// stay on one disk, where a rename is a single directory change. They are
// 8.3 names with extensions of their own, so Windows never takes them for
// a logo and any leftover can be told from the user's files.
Err DeleteFileIfPresent(Platform& p, const Text& path)
{
    Text name;
    PLUMWICK_TRY(p.findFile(path, FileQuery::AnyFile, &name));
    if (name.empty()) return Err();
    PLUMWICK_TRY(p.clearAttributes(path));
    return p.deleteFile(path);
}

namespace {
// An error about a temporary file would name a file the user never saw:
// it names the file being replaced instead.
Err NamingTheLiveFile(Err e, const Text& temporary, const Text& live)
{
    return e.path() == temporary ? Err(e.number(), live) : e;
}
}

// A run cut off between steps 2 and 3 left the live file only under its old
// name: it goes back. Any other leftover is deleted.
Err Recover(Platform& p, const Text& dir, const ReplaceNames& names)
{
    const Text live = dir + names.live;
    const Text fresh = dir + names.fresh;
    const Text old = dir + names.old;
    Text oldName;
    PLUMWICK_TRY(p.findFile(old, FileQuery::AnyFile, &oldName));
    if (!oldName.empty()) {
        Text liveName;
        PLUMWICK_TRY(p.findFile(live, FileQuery::AnyFile, &liveName));
        if (liveName.empty()) PLUMWICK_TRY(p.moveFile(old, live));
    }
    PLUMWICK_TRY(DeleteFileIfPresent(p, fresh));
    return DeleteFileIfPresent(p, old);
}

Err ReplaceFile(Platform& p, const Text& from, const Text& dir, const ReplaceNames& names)
{
    const Text live = dir + names.live;
    const Text fresh = dir + names.fresh;
    const Text old = dir + names.old;
    PLUMWICK_TRY(Recover(p, dir, names));
    if (Err e = p.copyFile(from, fresh)) {
        (void)DeleteFileIfPresent(p, fresh);
        return NamingTheLiveFile(e, fresh, live);
    }
    Text current;
    if (Err e = p.findFile(live, FileQuery::AnyFile, &current)) {
        (void)DeleteFileIfPresent(p, fresh);
        return e;
    }
    // The name as stored keeps the capitalisation the disk has.
    const Text stored = current.empty() ? Text() : dir + current;
    if (!stored.empty()) {
        Err e = p.clearAttributes(stored);
        if (!e) e = p.moveFile(stored, old);
        if (e) {
            (void)DeleteFileIfPresent(p, fresh);
            return e;
        }
    }
    if (Err e = p.moveFile(fresh, live)) {
        if (!stored.empty()) (void)p.moveFile(old, stored);
        (void)DeleteFileIfPresent(p, fresh);
        return NamingTheLiveFile(e, fresh, live);
    }
    if (stored.empty()) return Err();
    if (Err e = p.deleteFile(old)) {
        // Undo rather than leave the old file lying beside the new one.
        if (!p.moveFile(live, fresh)) (void)p.moveFile(old, stored);
        (void)DeleteFileIfPresent(p, fresh);
        return NamingTheLiveFile(e, old, live);
    }
    return Err();
}
