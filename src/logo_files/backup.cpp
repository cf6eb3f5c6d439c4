#include "logo_files/backup.h"

#include "logo_files/slots.h"

namespace {
// The backup folder while it is being filled.
const char kUnfinished[] = ".new";

Text RecordPath(const Machine& m) { return m.BackupFolder + "\\" + kBackupRecordName; }

// A folder left unfinished goes, with what it holds.
class Remover final : public FileNames {
public:
    Remover(FileSystem& fs, const Text& folder) : fs_(fs), folder_(folder) {}
    void found(const Text& name) override { (void)DeleteFileIfPresent(fs_, folder_ + "\\" + name); }

private:
    FileSystem& fs_;
    const Text& folder_;
};

void RemoveUnfinished(FileSystem& fs, const Text& folder)
{
    Text present;
    if (fs.findFile(folder, FileQuery::Directory, &present) || present.empty()) return;
    Remover remover(fs, folder);
    (void)fs.listFiles(folder, remover);
    (void)fs.removeFolder(folder);
}

// Every logo there is fails with the first failure, or with its own.
BackupFailures Failed(const bool present[kSlotCount], const Err& first, const BackupFailures& own = {})
{
    BackupFailures failures;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (present[slot]) failures.slot[slot] = own.slot[slot] ? own.slot[slot] : first;
    return failures;
}

Err SaveLogo(Machine& m, LogoSlot slot, const Text& folder, KeptLogo* kept)
{
    const Text live = LivePath(m, slot);
    PLUMWICK_TRY(m.files.attributes(live, &kept->attributes));
    PLUMWICK_TRY(m.files.copyFile(live, folder + "\\" + LogoName(slot)));
    kept->state = Kept::Saved;
    return Err();
}
}

// Anything of that name counts, a hidden folder or a file too: the backup is
// never made over it.
bool HasBackup(Machine& m)
{
    uint32_t bits = 0;
    return !m.files.attributes(m.BackupFolder, &bits);
}

BackupFailures TakeBackup(Machine& m, const Text& disk)
{
    FileSystem& fs = m.files;
    const Text folder = m.BackupFolder + kUnfinished;
    BackupRecord record;
    record.disk = disk;
    bool present[kSlotCount] = {};
    Err first;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (!HasPlace(m, slot)) continue;
        Text name;
        if (Err e = fs.findFile(LivePath(m, slot), FileQuery::AnyFile, &name)) first = first ? first : e;
        present[slot] = !name.empty();
        record.logo[slot].state = Kept::Absent;
    }
    if (first) return Failed(present, first);
    RemoveUnfinished(fs, folder);
    if (Err e = fs.makeFolder(folder)) return Failed(present, e);
    BackupFailures own;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        if (!present[slot]) continue;
        own.slot[slot] = SaveLogo(m, slot, folder, &record.logo[slot]);
        if (!first) first = own.slot[slot];
    }
    if (!first) {
        const Text text = FormatBackupRecord(record);
        first = fs.writeNewFile(folder + "\\" + kBackupRecordName, reinterpret_cast<const uint8_t*>(text.c_str()),
                                static_cast<uint32_t>(text.size()));
    }
    if (!first) first = fs.moveFile(folder, m.BackupFolder);
    if (!first) return BackupFailures();
    RemoveUnfinished(fs, folder);
    return Failed(present, first, own);
}

BackupFailures BackUpOnFirstStart(Machine& m) { return HasBackup(m) ? BackupFailures() : TakeBackup(m, Text()); }

Err ReadBackupRecord(Machine& m, BackupRecord* record)
{
    FileSystem& fs = m.files;
    *record = BackupRecord();
    uint8_t* data = nullptr;
    uint32_t size = 0;
    Err read = fs.readFile(RecordPath(m), kLargestBackupRecord, &data, &size);
    if (!read) {
        *record = ParseBackupRecord(data, size);
        delete[] data;
    } else if (read.number() != kErrFileNotFound) {
        return read;
    } else {
        for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
            Text name;
            PLUMWICK_TRY(fs.findFile(BackupPath(m, slot), FileQuery::AnyFile, &name));
            if (!name.empty())
                record->logo[slot] = {Kept::Saved, kSameAttributes};
            else if (slot == 0)
                record->logo[slot].state = Kept::Absent;
        }
    }
    return Err();
}

Err RestoreLogo(Machine& m, const BackupRecord& record, LogoSlot slot, Restored* done)
{
    const KeptLogo& kept = record.logo[slot];
    *done = Restored::NotKept;
    if (kept.state == Kept::Unknown || !HasPlace(m, slot)) return Err();
    if (kept.state == Kept::Saved) {
        if (m.files.checkReadable(BackupPath(m, slot))) {
            *done = Restored::Lost;
            return Err();
        }
        *done = Restored::Replaced;
        return ReplaceLogo(m, slot, BackupPath(m, slot), kept.attributes);
    }
    Text name;
    PLUMWICK_TRY(m.files.findFile(LivePath(m, slot), FileQuery::AnyFile, &name));
    *done = name.empty() ? Restored::NothingToRemove : Restored::Removed;
    return DeleteLogoIfPresent(m, slot);
}
