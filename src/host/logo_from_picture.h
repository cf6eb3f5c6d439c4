#pragma once
#include <string>

#include "host/host_files.h"

// A logo for any picture file: a file that already is a logo, byte for
// byte; a PNG, JPEG or GIF decoded by its library and a BMP as it is,
// converted by the core's MakeLogo with the rules of the tool on Windows.
struct LogoFromFile {
    Bytes logo;          // kLogoFileSize bytes, or the logo file as it was
    bool converted;      // false: the file was a logo already
    std::string kind;    // "PNG", "JPEG", "GIF" or "BMP"
};
LogoFromFile LogoFromPicture(const std::string& path);
