#include <cstdio>

#include "host/commands.h"
#include "host/host_files.h"
#include "host/logo_from_picture.h"

namespace {
int RunMake(const CommandArgs& args, Progress& progress)
{
    const std::string& picture = args.positional[0];
    const std::string& logo = args.positional[1];
    progress.step("converting " + picture);
    const LogoFromFile made = LogoFromPicture(picture);
    WriteHostFile(logo, made.logo);
    if (made.converted)
        std::printf("%s: a logo made from %s (%s)\n", logo.c_str(), picture.c_str(), made.kind.c_str());
    else
        std::printf("%s: %s is a logo already; copied byte for byte\n", logo.c_str(), picture.c_str());
    return 0;
}
}

const Command kMakeCommand = {
    "make",
    "make PICTURE LOGO",
    "make a logo from a PNG, JPEG, GIF or BMP picture",
    "Writes LOGO, a logo Windows 95/98 shows (320 x 400, 256 colours, 129,078\n"
    "bytes), made from PICTURE by the same rules as the tool on Windows:\n"
    "  - a 4:3 or 16:10 picture fills the screen, any other keeps its shape on black;\n"
    "  - it gets 256 colours of its own, with error diffusion so gradients do not band;\n"
    "  - a 320 x 400 picture with a palette (a BMP of up to 8 bits, a paletted PNG,\n"
    "    a GIF) keeps its palette and its pixels exactly;\n"
    "  - a file that already is a logo is copied byte for byte.\n"
    "PNG, JPEG and GIF are read by libpng, libjpeg-turbo and giflib; of a GIF, the\n"
    "first picture. Transparent parts become black.\n",
    // The conversion's own options go here (a switch to keep a picture's
    // colours is planned).
    {},
    2,
    RunMake,
};
