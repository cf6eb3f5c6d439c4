#include "decoder_names.h"
//
#include "picture/gif_rows.h"

#include <gif_lib.h>

namespace {
// An interlaced picture stores every 8th row from row 0, then every 8th
// from row 4, every 4th from row 2, every 2nd from row 1.
constexpr int kInterlaceStart[] = {0, 4, 2, 1};
constexpr int kInterlaceStep[] = {8, 8, 4, 2};
constexpr int kNotTransparent = -1;

Err ErrorOf(int gifError)
{
    return gifError == D_GIF_ERR_NOT_ENOUGH_MEM ? Err(kErrOutOfMemory) : Err(kErrInvalidPicture);
}

bool FitsWhole(int64_t width, int64_t height)
{
    return width >= 1 && height >= 1 && static_cast<uint64_t>(width * height) <= kMaxWholePixels;
}

// Skips the records before the first picture; false if there is none. The
// picture's transparent colour, if it has one, is told in the graphics
// control extension before it.
bool FindFirstImage(GifFileType* gif, int* transparent)
{
    *transparent = kNotTransparent;
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) != GIF_OK) return false;
        if (record == IMAGE_DESC_RECORD_TYPE) return true;
        if (record == TERMINATE_RECORD_TYPE) return false;
        if (record == EXTENSION_RECORD_TYPE) {
            int code;
            GifByteType* block;
            if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
            GraphicsControlBlock control;
            if (code == GRAPHICS_EXT_FUNC_CODE && block && DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                *transparent = control.TransparentColor;
            while (block)
                if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
        }
    }
}
}

int ReadGifBytes(GifFileType* gif, unsigned char* into, int count)
{
    GifRows& rows = *static_cast<GifRows*>(gif->UserData);
    uint32_t got = 0;
    if (count <= 0) return 0;
    if (Err e = rows.file_->read(rows.at_, into, static_cast<uint32_t>(count), &got)) rows.readFailed_ = e;
    rows.at_ += got;
    return static_cast<int>(got);
}

GifRows::~GifRows() { close(); }

void GifRows::close()
{
    if (gif_) DGifCloseFile(gif_, nullptr);
    gif_ = nullptr;
    delete[] whole_;
    whole_ = nullptr;
}

Err GifRows::open(ByteSource& file)
{
    close();
    file_ = &file;
    at_ = 0;
    readFailed_ = failed_ = Err();
    started_ = false;
    next_ = 0;
    int error = 0;
    gif_ = DGifOpen(this, ReadGifBytes, &error);
    if (!gif_) return readFailed_ ? readFailed_ : ErrorOf(error);
    int transparent = kNotTransparent;
    if (!FindFirstImage(gif_, &transparent) || DGifGetImageDesc(gif_) != GIF_OK)
        return readFailed_ ? readFailed_ : ErrorOf(gif_->Error);
    const GifImageDesc& frame = gif_->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif_->SColorMap;
    if (!map) return Err(kErrInvalidPicture);
    // Some files give no screen size; the picture's own is meant then.
    const int64_t width = gif_->SWidth > 0 ? gif_->SWidth : int64_t{frame.Left} + frame.Width;
    const int64_t height = gif_->SHeight > 0 ? gif_->SHeight : int64_t{frame.Top} + frame.Height;
    shape_ = {PictureKind::Gif, static_cast<int32_t>(width), static_cast<int32_t>(height), 8, false, true};
    rowWidth_ = shape_.width;
    rowCount_ = shape_.height;
    if (!FitsWhole(width, height) || !FitsWhole(frame.Width, frame.Height)) return Err(kErrOverflow);
    for (int i = 0; i < 256; ++i) {
        const bool shown = i < map->ColorCount && i != transparent;
        const GifColorType c = shown ? map->Colors[i] : GifColorType{0, 0, 0};
        uint8_t* entry = colours_ + i * 4;
        entry[0] = c.Blue, entry[1] = c.Green, entry[2] = c.Red, entry[3] = 0;
    }
    palette_ = colours_;
    background_ = map == gif_->SColorMap && gif_->SBackGroundColor < map->ColorCount
                      ? static_cast<uint8_t>(gif_->SBackGroundColor)
                      : 0;
    return Err();
}

bool GifRows::readFrame()
{
    started_ = true;
    const uint32_t width = static_cast<uint32_t>(rowWidth_), height = static_cast<uint32_t>(rowCount_);
    const size_t size = static_cast<size_t>(width) * height;
    whole_ = new uint8_t[size];
    GifByteType* line = new GifByteType[static_cast<size_t>(gif_->Image.Width)];
    if (!whole_ || !line) {
        delete[] line;
        fail(Err(kErrOutOfMemory));
        return false;
    }
    for (size_t i = 0; i < size; ++i) whole_[i] = background_;
    const GifImageDesc& frame = gif_->Image;
    auto store = [&](int row) {
        if (DGifGetLine(gif_, line, frame.Width) != GIF_OK) return false;
        const int64_t y = int64_t{frame.Top} + row;
        if (y >= height || frame.Left < 0 || static_cast<uint32_t>(frame.Left) >= width) return true;
        uint32_t n = static_cast<uint32_t>(frame.Width);
        if (n > width - static_cast<uint32_t>(frame.Left)) n = width - static_cast<uint32_t>(frame.Left);
        uint8_t* to = whole_ + static_cast<size_t>(y) * width + frame.Left;
        for (uint32_t x = 0; x < n; ++x) to[x] = line[x];
        return true;
    };
    bool read = true;
    if (frame.Interlace) {
        for (int pass = 0; pass < 4 && read; ++pass)
            for (int row = kInterlaceStart[pass]; row < frame.Height && read; row += kInterlaceStep[pass])
                read = store(row);
    } else {
        for (int row = 0; row < frame.Height && read; ++row) read = store(row);
    }
    delete[] line;
    if (!read) fail(readFailed_ ? readFailed_ : ErrorOf(gif_->Error));
    return read;
}

bool GifRows::nextRow(int32_t* y)
{
    if (!gif_ || failed_) return false;
    if (!started_ && !readFrame()) return false;
    if (next_ == rowCount_) return false;
    handedOut_ = 0;
    *y = next_++;
    return true;
}

uint32_t GifRows::piece(const uint8_t** pixels)
{
    return !gif_ || !next_
               ? 0
               : pieceOf(whole_ + static_cast<size_t>(next_ - 1) * static_cast<uint32_t>(rowWidth_), 1, pixels);
}
