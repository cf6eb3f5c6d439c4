#pragma once
#include <string>

#include "host/host_files.h"
#include "host/picture_core.h"

// A logo for any picture file: a file that already is a logo, byte for
// byte; a PNG, JPEG or GIF decoded by its library and a BMP as it is,
// converted by the core's MakeLogo with the rules of the tool on Windows.
// stillColours below 256: converted always, into that many colours, the
// entries from there on left for a moving band (see MakeLogo).
struct LogoFromFile {
    Bytes logo;        // kLogoFileSize bytes, or the logo file as it was
    bool converted;    // false: the file was a logo already
    std::string kind;  // "PNG", "JPEG", "GIF" or "BMP"
};
LogoFromFile LogoFromPicture(const std::string& path, uint32_t stillColours = kLogoPaletteEntries);
