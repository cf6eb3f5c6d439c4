#include "picture/picture_rows.h"

#include "picture/bitmap_rows.h"
#include "picture/gif_rows.h"
#include "picture/jpeg_rows.h"
#include "picture/png_rows.h"

namespace {
// Each kind's first bytes.
struct Signature {
    PictureKind kind;
    uint32_t size;
    uint8_t bytes[8];
};
constexpr Signature kSignatures[] = {
    {PictureKind::Png, 8, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}},
    {PictureKind::Jpeg, 3, {0xFF, 0xD8, 0xFF}},
    {PictureKind::Gif, 4, {'G', 'I', 'F', '8'}},
    {PictureKind::Bitmap, 2, {'B', 'M'}},
};
}

bool KindOfPicture(ByteSource& file, PictureKind* kind)
{
    uint8_t start[8] = {};
    uint32_t got = 0;
    if (file.read(0, start, sizeof start, &got)) return false;
    for (const Signature& s : kSignatures) {
        bool same = got >= s.size;
        for (uint32_t i = 0; same && i < s.size; ++i) same = start[i] == s.bytes[i];
        if (same) {
            *kind = s.kind;
            return true;
        }
    }
    return false;
}

Err OpenedPicture::open(ByteSource& file)
{
    close();
    PictureKind kind = PictureKind::Bitmap;
    // A file of no known kind is read as a bitmap, whose checks say why not.
    KindOfPicture(file, &kind);
    switch (kind) {
    case PictureKind::Bitmap: rows_ = new BitmapRows; break;
    case PictureKind::Jpeg: rows_ = new JpegRows; break;
    case PictureKind::Png: rows_ = new PngRows; break;
    case PictureKind::Gif: rows_ = new GifRows; break;
    }
    if (!rows_) return Err(kErrOutOfMemory);
    return rows_->open(file);
}
