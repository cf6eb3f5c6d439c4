#include "logo_files/backup_record.h"

#include "logo_files/slots.h"

// For example:
//   ; the logos as they were before Plumwick first changed them
//   logo.sys absent
//   logow.sys saved archive
//   logos.sys saved read-only hidden system archive
//   disk partition 1, FAT volume D424-A484
const char kBackupRecordName[] = "record.txt";

namespace {
const char kHeading[] = "; the logos as they were before Plumwick first changed them\r\n";
const char kAbsent[] = "absent";
const char kSaved[] = "saved";
const char kDisk[] = "disk";
const char kLineEnd[] = "\r\n";

struct AttributeWord {
    uint32_t bit;
    const char* word;
};
const AttributeWord kAttributeWords[] = {
    {kAttrReadOnly, "read-only"},
    {kAttrHidden, "hidden"},
    {kAttrSystem, "system"},
    {kAttrArchive, "archive"},
};

bool IsBlank(uint8_t c) { return c == ' ' || c == '\t'; }

// A run of bytes within one line.
struct Span {
    const uint8_t* at;
    uint32_t size;

    bool is(const char* ascii) const
    {
        return Text(reinterpret_cast<const char*>(at), size).equalsAsciiIgnoringCase(ascii);
    }
    Span rest(uint32_t from) const { return {at + from, size - from}; }
};

// The next word of a line, and what follows it.
Span NextWord(Span* line)
{
    uint32_t start = 0;
    while (start < line->size && IsBlank(line->at[start])) ++start;
    uint32_t end = start;
    while (end < line->size && !IsBlank(line->at[end])) ++end;
    const Span word = {line->at + start, end - start};
    *line = line->rest(end);
    return word;
}

void ReadLogoLine(Span line, KeptLogo* logo)
{
    const Span state = NextWord(&line);
    if (state.is(kAbsent)) {
        *logo = {Kept::Absent, 0};
        return;
    }
    if (!state.is(kSaved)) return;
    *logo = {Kept::Saved, 0};
    for (Span word = NextWord(&line); word.size; word = NextWord(&line))
        for (const AttributeWord& a : kAttributeWords)
            if (word.is(a.word)) logo->attributes |= a.bit;
}

void ReadLine(Span line, BackupRecord* record)
{
    const Span key = NextWord(&line);
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot)
        if (key.is(LogoName(slot))) ReadLogoLine(line, &record->logo[slot]);
    if (!key.is(kDisk)) return;
    while (line.size && IsBlank(line.at[0])) line = line.rest(1);
    record->disk = Text(reinterpret_cast<const char*>(line.at), line.size);
}
}

Text FormatBackupRecord(const BackupRecord& record)
{
    Text text = kHeading;
    for (LogoSlot slot = 0; slot < kSlotCount; ++slot) {
        const KeptLogo& logo = record.logo[slot];
        if (logo.state == Kept::Unknown) continue;
        text += Text(LogoName(slot)) + " " + (logo.state == Kept::Absent ? kAbsent : kSaved);
        for (const AttributeWord& a : kAttributeWords)
            if (logo.state == Kept::Saved && (logo.attributes & a.bit)) text += Text(" ") + a.word;
        text += kLineEnd;
    }
    if (!record.disk.empty()) text += Text(kDisk) + " " + record.disk + kLineEnd;
    return text;
}

BackupRecord ParseBackupRecord(const uint8_t* data, uint32_t size)
{
    BackupRecord record;
    uint32_t start = 0;
    while (start < size) {
        uint32_t end = start;
        while (end < size && data[end] != '\r' && data[end] != '\n') ++end;
        ReadLine({data + start, end - start}, &record);
        start = end + 1;
    }
    return record;
}
