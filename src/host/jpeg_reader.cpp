#include "host/jpeg_reader.h"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>
// After jpeglib.h: the message codes, JWRN_JPEG_EOF and the others.
#include <jerror.h>

#include "host/bitmap_from_picture.h"
#include "host/exif_orientation.h"
#include "host/user_error.h"

namespace {
constexpr unsigned kLargestScaleDenominator = 8;

// libjpeg reports a fatal error by calling error_exit, which must not
// return: it jumps back to Decode's caller with the message kept.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

// The warnings that mean part of the picture is missing: libjpeg would
// make it up (grey), so the file is refused. Others (bytes between
// segments, an unknown revision) leave the picture whole.
constexpr int kPartMissing[] = {JWRN_JPEG_EOF,      JWRN_HIT_MARKER,     JWRN_MUST_RESYNC,      JWRN_NOT_SEQUENTIAL,
                                JWRN_HUFF_BAD_CODE, JWRN_ARITH_BAD_CODE, JWRN_BOGUS_PROGRESSION};
constexpr int kWarning = -1;
const int kExifMarker = JPEG_APP0 + 1;
constexpr unsigned kLongestMarker = 0xFFFF;

void JumpBack(j_common_ptr info)
{
    ErrorJump* jump = reinterpret_cast<ErrorJump*>(info->err);
    info->err->format_message(info, jump->message);
    std::longjmp(jump->back, 1);
}

void RefuseMissingParts(j_common_ptr info, int level)
{
    if (level != kWarning) return;
    for (int code : kPartMissing)
        if (info->err->msg_code == code) JumpBack(info);
}

int Orientation(const jpeg_decompress_struct& info)
{
    for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next)
        if (m->marker == kExifMarker) return ExifOrientation(m->data, m->data_length);
    return 1;
}

// Everything between the jump's setting and any jump back: no object here
// has a destructor, so a jump leaves nothing undone but the picture's
// buffers, which the caller owns.
bool Decode(jpeg_decompress_struct* info, ErrorJump* jump, std::FILE* file, DecodedPicture* picture)
{
    if (setjmp(jump->back)) return false;
    jpeg_create_decompress(info);
    jpeg_stdio_src(info, file);
    jpeg_save_markers(info, kExifMarker, kLongestMarker);
    jpeg_read_header(info, TRUE);
    const int orientation = Orientation(*info);  // read now: the markers go when the decoding ends
    if (info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK) {
        std::snprintf(jump->message, sizeof jump->message, "a CMYK JPEG; save it as RGB");
        return false;
    }
    info->out_color_space = JCS_EXT_BGR;
    info->scale_num = 1;
    info->scale_denom = 1;
    jpeg_calc_output_dimensions(info);
    while (!PictureFitsCore(info->output_width, info->output_height) && info->scale_denom < kLargestScaleDenominator) {
        info->scale_denom *= 2;
        jpeg_calc_output_dimensions(info);
    }
    if (!PictureFitsCore(info->output_width, info->output_height)) return true;  // the caller says why
    picture->width = info->output_width;
    picture->height = info->output_height;
    picture->pixels.resize(static_cast<size_t>(picture->width) * picture->height * 3);
    jpeg_start_decompress(info);
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = &picture->pixels[static_cast<size_t>(info->output_scanline) * picture->width * 3];
        jpeg_read_scanlines(info, &row, 1);
    }
    jpeg_finish_decompress(info);
    TurnUpright(picture, orientation);
    return true;
}
}

DecodedPicture ReadJpeg(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw UserError(path + ": cannot be read");
    jpeg_decompress_struct info;
    ErrorJump jump{};
    info.err = jpeg_std_error(&jump.manager);
    jump.manager.error_exit = JumpBack;
    jump.manager.emit_message = RefuseMissingParts;
    DecodedPicture picture;
    const bool decoded = Decode(&info, &jump, file, &picture);
    const uint32_t width = info.image_width, height = info.image_height;
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    if (!decoded)
        throw UserError(path + ": a damaged or cut-short JPEG, or one libjpeg cannot read (" + jump.message +
                        "); plumwick takes only whole pictures");
    if (picture.pixels.empty()) CheckPictureFitsCore(path, width, height);
    return picture;
}
