#include "logo_files/picture_verdict.h"

#include "text/errors.h"
#include "text/messages.h"

Err ReadPictureVerdict(ByteSource& file, PictureVerdict* verdict, BitmapLayout* layout)
{
    uint8_t magic[2] = {};
    uint32_t got = 0;
    PLUMWICK_TRY(file.read(0, magic, sizeof magic, &got));
    verdict->bitmapMagic = got == sizeof magic && magic[0] == 'B' && magic[1] == 'M';
    PLUMWICK_TRY(ReadBitmapLayout(file, layout));
    verdict->summary = Summarise(*layout);
    verdict->logo = IsLogoLayout(*layout);
    return Err();
}

Err JudgePicture(FileSystem& fs, const Text& path, PictureVerdict* verdict)
{
    ByteSource* file = nullptr;
    PLUMWICK_TRY(fs.openFile(path, &file));
    BitmapLayout layout;
    const Err e = ReadPictureVerdict(*file, verdict, &layout);
    delete file;
    return PictureFailure(e, path, verdict);
}

Err PictureFailure(const Err& failed, const Text& path, PictureVerdict* verdict)
{
    verdict->tooLarge = failed.number() == kErrOverflow;
    if (failed.number() == kErrInvalidPicture || verdict->tooLarge) return Err(kErrInvalidPicture, path);
    return failed;
}

Text WhyNotAPicture(FileSystem& fs, const Text& path, const Err& failed, const PictureVerdict& verdict)
{
    if (verdict.tooLarge) return TextOf(kTxtTooLarge);
    if (failed.number() == kErrInvalidPicture) return TextOf(verdict.bitmapMagic ? kTxtDamagedBitmap : kTxtNotABitmap);
    Text name;
    if (!fs.findFile(path, FileQuery::Directory, &name) && !name.empty() &&
        !fs.findFile(path, FileQuery::AnyFile, &name) && name.empty())
        return TextOf(kTxtIsAFolder);
    return ErrorDescription(failed.number());
}
