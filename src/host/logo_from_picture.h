#pragma once
#include <string>

#include "host/host_files.h"
#include "host/picture_core.h"

// A logo for any picture file: a file that already is a logo, byte for
// byte; any other PNG, JPEG, GIF or BMP read and converted by the core,
// with the same decoders and rules as the tool on Windows.
// stillColours below 256: converted always, into that many colours, the
// entries from there on left for a moving band (see MakeLogo).
struct LogoFromFile {
    Bytes logo;        // kLogoFileSize bytes, or the logo file as it was
    bool converted;    // false: the file was a logo already
    std::string kind;  // "PNG", "JPEG", "GIF" or "BMP"
};
// With a band, its strip is painted with those entries (see band.h).
LogoFromFile LogoFromPicture(const std::string& path, uint32_t stillColours = kLogoPaletteEntries,
                             const Band* band = nullptr);
