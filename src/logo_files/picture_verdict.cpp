#include "logo_files/picture_verdict.h"

#include "picture/bitmap_rows.h"
#include "text/errors.h"
#include "text/messages.h"

Err ReadPictureVerdict(ByteSource& file, PictureVerdict* verdict, BitmapLayout* layout)
{
    PictureKind kind = PictureKind::Bitmap;
    verdict->pictureMagic = KindOfPicture(file, &kind);
    *layout = BitmapLayout{};
    if (kind != PictureKind::Bitmap) {
        OpenedPicture picture;
        const Err e = picture.open(file);
        verdict->summary = picture.shape();
        verdict->summary.kind = kind;  // also when the headers were too damaged to say more
        return e;
    }
    PLUMWICK_TRY(ReadBitmapLayout(file, layout));
    verdict->summary = ShapeOf(*layout);
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
    if (verdict.tooLarge) return TextOf(verdict.summary.readWhole ? kTxtTooLargeToReadWhole : kTxtTooLarge);
    if (failed.number() == kErrInvalidPicture) {
        if (!verdict.pictureMagic) return TextOf(kTxtNotAPicture);
        return TextOf(verdict.summary.kind == PictureKind::Bitmap ? kTxtDamagedBitmap : kTxtDamagedPicture);
    }
    Text name;
    if (!fs.findFile(path, FileQuery::Directory, &name) && !name.empty() &&
        !fs.findFile(path, FileQuery::AnyFile, &name) && name.empty())
        return TextOf(kTxtIsAFolder);
    return ErrorDescription(failed.number());
}
