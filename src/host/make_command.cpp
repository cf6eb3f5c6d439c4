#include <cstdio>

#include "host/commands.h"
#include "host/host_files.h"
#include "host/logo_from_picture.h"
#include "host/user_error.h"

namespace {
const char kKeepColours[] = "--keep-colours";

// The colours the picture keeps: all 256, or N (1 to 255) with --keep-colours N.
uint32_t StillColours(const CommandArgs& args)
{
    const auto given = args.options.find(kKeepColours);
    if (given == args.options.end()) return kLogoPaletteEntries;
    const std::string& n = given->second;
    const bool digits = !n.empty() && n.size() <= 3 && n.find_first_not_of("0123456789") == std::string::npos;
    const unsigned long value = digits ? std::stoul(n) : 0;
    if (value < 1 || value >= kLogoPaletteEntries)
        throw WrongUsage("make", "--keep-colours takes a number from 1 to 255, not " + n);
    return static_cast<uint32_t>(value);
}

int RunMake(const CommandArgs& args, Progress& progress)
{
    const std::string& picture = args.positional[0];
    const std::string& logo = args.positional[1];
    const uint32_t still = StillColours(args);
    if (SameHostFile(picture, logo))
        throw UserError(logo + ": that is the picture itself, which plumwick does not write over; give the logo "
                               "another name");
    progress.step("converting " + picture);
    const LogoFromFile made = LogoFromPicture(picture, still);
    WriteHostFile(logo, made.logo);
    if (still < kLogoPaletteEntries)  // converted, always
        std::printf("%s: a logo made from %s (%s) in %u colours; entries %u to 255 are free and turn at start-up\n",
                    logo.c_str(), picture.c_str(), made.kind.c_str(), still, still);
    else if (made.converted)
        std::printf("%s: a logo made from %s (%s)\n", logo.c_str(), picture.c_str(), made.kind.c_str());
    else
        std::printf("%s: %s is a logo already; copied byte for byte\n", logo.c_str(), picture.c_str());
    return 0;
}
}

const Command kMakeCommand = {
    "make",
    "make PICTURE LOGO [--keep-colours N]",
    "make a logo from a PNG, JPEG, GIF or BMP picture",
    "Writes LOGO, a logo Windows 95/98 shows (320 x 400, 256 colours, 129,078\n"
    "bytes), made from PICTURE by the same rules as the tool on Windows:\n"
    "  - a 4:3 or 16:10 picture fills the screen, any other keeps its shape on black;\n"
    "  - it gets 256 colours of its own, with error diffusion so gradients do not band;\n"
    "  - a 320 x 400 picture with a palette (a BMP of up to 8 bits, a paletted PNG,\n"
    "    a GIF) keeps its palette and its pixels exactly;\n"
    "  - a file that already is a logo is copied byte for byte.\n"
    "PNG, JPEG and GIF are read by libpng, libjpeg-turbo and giflib; of a GIF, the\n"
    "first picture. Transparent parts become black.\n"
    "\n"
    "--keep-colours N  the picture gets N colours (1 to 255), palette entries 0 to\n"
    "                  N-1; the entries N to 255 stay free (black) for a band that\n"
    "                  moves, and biClrImportant says N, so that Windows turns\n"
    "                  those entries at start-up as it does its own logo's band\n"
    "                  (which starts at 236). Paint the band with those entries.\n",
    {{kKeepColours, "a number"}},
    2,
    RunMake,
};
