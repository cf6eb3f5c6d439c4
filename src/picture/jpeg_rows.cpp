#include "decoder_names.h"
//
#include "picture/jpeg_rows.h"

#include <stddef.h>
#include <stdio.h>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>
// After jpeglib.h: the message codes.
#include <jerror.h>

#include "picture/exif_orientation.h"

namespace {
constexpr uint32_t kSourceBufferBytes = 4096;
constexpr int kWarning = -1;
const int kExifMarker = JPEG_APP0 + 1;
constexpr unsigned kLongestMarker = 0xFFFF;
constexpr unsigned kScaleEighths = 8;
const JOCTET kFakeEnd[] = {0xFF, JPEG_EOI};

// The warnings that mean part of the picture is missing: libjpeg would
// make it up (grey), so the file is refused. Others (bytes between
// segments, an unknown revision) leave the picture whole.
constexpr int kPartMissing[] = {JWRN_JPEG_EOF,       JWRN_HIT_MARKER,    JWRN_MUST_RESYNC,
                                JWRN_NOT_SEQUENTIAL, JWRN_HUFF_BAD_CODE, JWRN_BOGUS_PROGRESSION};
}

// libjpeg's state, with the ways it reaches the file and reports errors.
struct JpegDecoder {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    jpeg_source_mgr source;
    DecoderJump jump;
    ByteSource* file;
    uint32_t at;  // where in the file the next buffer starts
    Err failed;
    bool created;
    JOCTET buffer[kSourceBufferBytes];
};

namespace {
JpegDecoder& DecoderOf(j_common_ptr info) { return *reinterpret_cast<JpegDecoder*>(info->client_data); }
JpegDecoder& DecoderOf(j_decompress_ptr info) { return *reinterpret_cast<JpegDecoder*>(info->client_data); }

Err ErrorOf(int code)
{
    switch (code) {
    case JERR_OUT_OF_MEMORY: return Err(kErrOutOfMemory);
    case JERR_NO_BACKING_STORE:
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW: return Err(kErrOverflow);
    default: return Err(kErrInvalidPicture);
    }
}

void Stop(j_common_ptr info)
{
    JpegDecoder& d = DecoderOf(info);
    if (!d.failed) d.failed = ErrorOf(info->err->msg_code);
    JumpBack(d.jump);
}

void Hear(j_common_ptr info, int level)
{
    if (level != kWarning) return;
    for (int code : kPartMissing)
        if (info->err->msg_code == code) Stop(info);
}

void Say(j_common_ptr) {}
void Word(j_common_ptr, char* buffer) { buffer[0] = 0; }
void Forget(j_common_ptr) {}

void StartSource(j_decompress_ptr) {}
void EndSource(j_decompress_ptr) {}

// At the file's end libjpeg gets an end marker, and warns: the file was cut.
boolean FillBuffer(j_decompress_ptr info)
{
    JpegDecoder& d = DecoderOf(info);
    uint32_t got = 0;
    if (Err e = d.file->read(d.at, d.buffer, kSourceBufferBytes, &got)) {
        d.failed = e;
        JumpBack(d.jump);
    }
    d.at += got;
    if (got == 0) {
        WARNMS(info, JWRN_JPEG_EOF);
        d.source.next_input_byte = kFakeEnd;
        d.source.bytes_in_buffer = sizeof kFakeEnd;
        return TRUE;
    }
    d.source.next_input_byte = d.buffer;
    d.source.bytes_in_buffer = got;
    return TRUE;
}

void SkipBytes(j_decompress_ptr info, long count)
{
    JpegDecoder& d = DecoderOf(info);
    if (count <= 0) return;
    const size_t n = static_cast<size_t>(count);
    if (n <= d.source.bytes_in_buffer) {
        d.source.next_input_byte += n;
        d.source.bytes_in_buffer -= n;
        return;
    }
    const size_t beyond = n - d.source.bytes_in_buffer;
    d.at = beyond > 0xFFFFFFFFu - d.at ? 0xFFFFFFFFu : d.at + static_cast<uint32_t>(beyond);
    d.source.bytes_in_buffer = 0;
}

int Orientation(const jpeg_decompress_struct& info)
{
    for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next)
        if (m->marker == kExifMarker) return ExifOrientation(m->data, m->data_length);
    return 1;
}

uint32_t Scaled(uint32_t side, unsigned eighths) { return (side * eighths + kScaleEighths - 1) / kScaleEighths; }
}

JpegRows::~JpegRows() { close(); }

void JpegRows::close()
{
    if (decoder_ && decoder_->created) jpeg_destroy_decompress(&decoder_->info);
    delete decoder_;
    decoder_ = nullptr;
    delete[] row_;
    row_ = nullptr;
    delete[] whole_;
    whole_ = nullptr;
}

Err JpegRows::open(ByteSource& file)
{
    close();
    started_ = false;
    next_ = 0;
    failed_ = Err();
    decoder_ = new JpegDecoder;
    if (!decoder_) return Err(kErrOutOfMemory);
    JpegDecoder& d = *decoder_;
    d.file = &file;
    d.at = 0;
    d.failed = Err();
    d.created = false;
    jpeg_error_mgr& e = d.errors;
    e = jpeg_error_mgr{};
    e.error_exit = Stop;
    e.emit_message = Hear;
    e.output_message = Say;
    e.format_message = Word;
    e.reset_error_mgr = Forget;
    d.info.err = &e;
    d.info.client_data = decoder_;
    if (!PLUMWICK_DECODER_CALL(d.jump)) return d.failed;
    jpeg_create_decompress(&d.info);
    d.created = true;
    d.info.client_data = decoder_;  // jpeg_create_decompress clears all but err
    d.info.mem->max_memory_to_use = kMaxDecoderBytes;
    d.source.init_source = StartSource;
    d.source.fill_input_buffer = FillBuffer;
    d.source.skip_input_data = SkipBytes;
    d.source.resync_to_restart = jpeg_resync_to_restart;
    d.source.term_source = EndSource;
    d.source.bytes_in_buffer = 0;
    d.source.next_input_byte = nullptr;
    d.info.src = &d.source;
    jpeg_save_markers(&d.info, kExifMarker, kLongestMarker);
    jpeg_read_header(&d.info, TRUE);
    jpeg_decompress_struct& info = d.info;
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) return Err(kErrInvalidPicture);
    orientation_ = Orientation(info);
    const bool across = TurnsAcross(orientation_);
    shape_ = {PictureKind::Jpeg,
              static_cast<int32_t>(across ? info.image_height : info.image_width),
              static_cast<int32_t>(across ? info.image_width : info.image_height),
              24,
              false,
              info.progressive_mode != 0};
    if (shape_.readWhole && uint64_t{info.image_width} * info.image_height > kMaxWholePixels) return Err(kErrOverflow);
    info.out_color_space = JCS_EXT_BGR;
    info.dct_method = JDCT_ISLOW;
    reduceTo(shape_.width, shape_.height);
    return Err();
}

// The fewest eighths that keep every side at least as long as asked for,
// if the picture is more than twice as large as that.
void JpegRows::reduceTo(int32_t width, int32_t height)
{
    if (!decoder_ || started_) return;
    jpeg_decompress_struct& info = decoder_->info;
    const bool across = TurnsAcross(orientation_);
    const uint32_t wantW = static_cast<uint32_t>(across ? height : width);
    const uint32_t wantH = static_cast<uint32_t>(across ? width : height);
    unsigned eighths = kScaleEighths;
    if (info.image_width > 2 * uint64_t{wantW} && info.image_height > 2 * uint64_t{wantH}) {
        eighths = 1;
        while (Scaled(info.image_width, eighths) < wantW || Scaled(info.image_height, eighths) < wantH) ++eighths;
    }
    info.scale_num = eighths;
    info.scale_denom = kScaleEighths;
    if (!PLUMWICK_DECODER_CALL(decoder_->jump)) return fail(decoder_->failed);
    jpeg_calc_output_dimensions(&info);
    rowWidth_ = static_cast<int32_t>(across ? info.output_height : info.output_width);
    rowCount_ = static_cast<int32_t>(across ? info.output_width : info.output_height);
}

bool JpegRows::start()
{
    started_ = true;
    jpeg_decompress_struct& info = decoder_->info;
    if (!PLUMWICK_DECODER_CALL(decoder_->jump)) {
        fail(decoder_->failed);
        return false;
    }
    jpeg_start_decompress(&info);
    // A turned picture's rows are as long as the stored one's columns.
    const uint32_t longest = info.output_width > static_cast<uint32_t>(rowWidth_) ? info.output_width : rowWidth_;
    row_ = new uint8_t[static_cast<size_t>(longest) * 3];
    if (!row_) {
        fail(Err(kErrOutOfMemory));
        return false;
    }
    return orientation_ == 1 || readWholeTurned();
}

bool JpegRows::readRow(uint8_t* into)
{
    if (!PLUMWICK_DECODER_CALL(decoder_->jump)) {
        fail(decoder_->failed);
        return false;
    }
    JSAMPROW row = into;
    if (jpeg_read_scanlines(&decoder_->info, &row, 1) != 1) {
        fail(Err(kErrInvalidPicture));
        return false;
    }
    // The last row: what follows it must be whole too.
    if (decoder_->info.output_scanline == decoder_->info.output_height) jpeg_finish_decompress(&decoder_->info);
    return true;
}

// A turned picture's first row is a column of the stored one: the stored
// rows are all read first.
bool JpegRows::readWholeTurned()
{
    jpeg_decompress_struct& info = decoder_->info;
    const uint64_t bytes = uint64_t{info.output_width} * info.output_height * 3;
    if (bytes > kMaxDecoderBytes) {
        fail(Err(kErrOverflow));
        return false;
    }
    whole_ = new uint8_t[static_cast<size_t>(bytes)];
    if (!whole_) {
        fail(Err(kErrOutOfMemory));
        return false;
    }
    for (uint32_t y = 0; y < info.output_height; ++y)
        if (!readRow(whole_ + static_cast<size_t>(y) * info.output_width * 3)) return false;
    return true;
}

bool JpegRows::nextRow(int32_t* y)
{
    if (!decoder_ || failed_) return false;
    if (!started_ && !start()) return false;
    if (next_ == rowCount_) return false;
    handedOut_ = 0;
    *y = next_++;
    if (!whole_) return readRow(row_);
    const jpeg_decompress_struct& info = decoder_->info;
    for (uint32_t x = 0; x < static_cast<uint32_t>(rowWidth_); ++x) {
        uint32_t sx, sy;
        UprightSource(orientation_, info.output_width, info.output_height, x, static_cast<uint32_t>(*y), &sx, &sy);
        const uint8_t* from = whole_ + (static_cast<size_t>(sy) * info.output_width + sx) * 3;
        uint8_t* to = row_ + x * 3;
        to[0] = from[0], to[1] = from[1], to[2] = from[2];
    }
    return true;
}

uint32_t JpegRows::piece(const uint8_t** pixels) { return !decoder_ || !next_ ? 0 : pieceOf(row_, 3, pixels); }
