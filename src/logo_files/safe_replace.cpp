#include "logo_files/safe_replace.h"

// The replace goes in four steps, each of which leaves a whole file under
// the live name or a way back to it:
//   1. copy the source to the fresh name beside the live file, and give it
//      the attributes it is to have (a failure deletes the fresh file);
//   2. rename the live file to the old name;
//   3. rename the fresh file to the live name (undo 2 if that fails);
//   4. delete the old file (undo 3 and 2 if that fails).
// The temporary names sit in the live file's own folder, so both renames
// stay on one disk, where a rename is a single directory change. They are
// 8.3 names with extensions of their own, so Windows never takes them for
// a logo and any leftover can be told from the user's files. Renames keep
// a file's attributes, so an undone replace leaves the old file as it was.
Err DeleteFileIfPresent(FileSystem& fs, const Text& path)
{
    Text name;
    PLUMWICK_TRY(fs.findFile(path, FileQuery::AnyFile, &name));
    if (name.empty()) return Err();
    PLUMWICK_TRY(fs.setAttributes(path, 0));
    return fs.deleteFile(path);
}

namespace {
// An error about a temporary file would name a file the user never saw:
// it names the file being replaced instead.
Err NamingTheLiveFile(Err e, const Text& temporary, const Text& live)
{
    return e.path() == temporary ? Err(e.number(), live) : e;
}

// Steps 2 to 4 for a live file that is there under `stored`, the name as
// the disk has it, which the new one takes.
Err SwapIn(FileSystem& fs, const Text& stored, const Text& live, const Text& fresh, const Text& old)
{
    PLUMWICK_TRY(fs.moveFile(stored, old));
    if (Err e = fs.moveFile(fresh, stored)) {
        (void)fs.moveFile(old, stored);
        return e;
    }
    uint32_t oldAttributes = 0;
    Err e = fs.attributes(old, &oldAttributes);
    if (!e) e = DeleteFileIfPresent(fs, old);
    if (!e) return Err();
    // Undone rather than leave the old file lying beside the new one.
    if (!fs.moveFile(stored, fresh) && !fs.moveFile(old, stored)) (void)fs.setAttributes(stored, oldAttributes);
    return NamingTheLiveFile(e, old, live);
}
}

// A run cut off between steps 2 and 3 left the live file only under its old
// name: it goes back. Any other leftover is deleted.
Err Recover(FileSystem& fs, const Text& dir, const ReplaceNames& names)
{
    const Text live = dir + names.live;
    const Text fresh = dir + names.fresh;
    const Text old = dir + names.old;
    Text oldName;
    PLUMWICK_TRY(fs.findFile(old, FileQuery::AnyFile, &oldName));
    if (!oldName.empty()) {
        Text liveName;
        PLUMWICK_TRY(fs.findFile(live, FileQuery::AnyFile, &liveName));
        if (liveName.empty()) PLUMWICK_TRY(fs.moveFile(old, live));
    }
    PLUMWICK_TRY(DeleteFileIfPresent(fs, fresh));
    return DeleteFileIfPresent(fs, old);
}

Err ReplaceFile(FileSystem& fs, const Text& from, const Text& dir, const ReplaceNames& names, uint32_t attributes)
{
    const Text live = dir + names.live;
    const Text fresh = dir + names.fresh;
    const Text old = dir + names.old;
    PLUMWICK_TRY(Recover(fs, dir, names));
    Text current;
    PLUMWICK_TRY(fs.findFile(live, FileQuery::AnyFile, &current));
    // The name as stored keeps the capitalisation the disk has.
    const Text stored = current.empty() ? Text() : dir + current;
    if (attributes == kSameAttributes) {
        attributes = 0;
        if (!stored.empty()) PLUMWICK_TRY(fs.attributes(stored, &attributes));
    }
    Err e = fs.copyFile(from, fresh);
    if (!e) e = fs.setAttributes(fresh, attributes);
    if (!e && stored.empty()) e = fs.moveFile(fresh, live);
    if (!e && !stored.empty()) e = SwapIn(fs, stored, live, fresh, old);
    if (e) (void)DeleteFileIfPresent(fs, fresh);
    return NamingTheLiveFile(e, fresh, live);
}
