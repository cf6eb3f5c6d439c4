#include <cstdio>
#include <optional>

#include "host/commands.h"
#include "host/host_files.h"
#include "host/logo_from_picture.h"
#include "host/user_error.h"

namespace {
const char kKeepColours[] = "--keep-colours", kBand[] = "--band", kBandColours[] = "--band-colours";

bool Digits(const std::string& s, size_t most)
{
    return !s.empty() && s.size() <= most && s.find_first_not_of("0123456789") == std::string::npos;
}

// bottom, top, or Y:HEIGHT: what may follow --band.
bool IsBandPlace(const std::string& w)
{
    const size_t colon = w.find(':');
    return w == "bottom" || w == "top" ||
           (colon != std::string::npos && Digits(w.substr(0, colon), 3) && Digits(w.substr(colon + 1), 3));
}

std::optional<Band> BandOf(const CommandArgs& args)
{
    if (!args.has(kBand)) {
        if (args.has(kBandColours)) throw WrongUsage("make", "--band-colours goes with --band");
        return std::nullopt;
    }
    BandColours colours = BandColours::Picture;
    if (args.has(kBandColours)) {
        const std::string& c = args.options.at(kBandColours);
        if (c != "picture" && c != "blue") throw WrongUsage("make", "--band-colours is picture or blue, not " + c);
        colours = c == "blue" ? BandColours::Blue : BandColours::Picture;
    }
    const std::string& place = args.options.at(kBand);
    if (place.empty() || place == "bottom") return BottomBand(colours);
    if (place == "top") return TopBand(colours);
    if (!IsBandPlace(place)) throw WrongUsage("make", "--band is bottom, top or Y:HEIGHT, not " + place);
    const size_t colon = place.find(':');
    const Band band{std::stoi(place.substr(0, colon)), std::stoi(place.substr(colon + 1)), colours};
    if (!BandFits(band))
        throw WrongUsage("make", "--band " + place + " is not within the logo's rows 0 to " +
                                     std::to_string(kLogoHeight - 1) + ", at least one row high");
    return band;
}

// The colours the picture keeps: all 256, or N (1 to 255) with --keep-colours N.
// A band takes 32 entries unless --keep-colours says how many the picture
// keeps; it needs two at least to move.
uint32_t StillColours(const CommandArgs& args, bool band)
{
    const auto given = args.options.find(kKeepColours);
    if (given == args.options.end()) return band ? kLogoPaletteEntries - kBandEntries : kLogoPaletteEntries;
    const std::string& n = given->second;
    const unsigned long value = Digits(n, 3) ? std::stoul(n) : 0;
    if (value < 1 || value >= kLogoPaletteEntries)
        throw WrongUsage("make", "--keep-colours takes a number from 1 to 255, not " + n);
    if (band && value > kLogoPaletteEntries - 2)
        throw WrongUsage("make", "--keep-colours 255 leaves one entry; a band needs two at least to move");
    return static_cast<uint32_t>(value);
}

int RunMake(const CommandArgs& args, Progress& progress)
{
    const std::string& picture = args.positional[0];
    const std::string& logo = args.positional[1];
    const std::optional<Band> band = BandOf(args);
    const uint32_t still = StillColours(args, band.has_value());
    if (SameHostFile(picture, logo))
        throw UserError(logo +
                        ": that is the picture itself, which plumwick does not write over; give the logo "
                        "another name");
    progress.step("converting " + picture);
    const LogoFromFile made = LogoFromPicture(picture, still, band ? &*band : nullptr);
    WriteHostFile(logo, made.logo);
    if (band)
        std::printf(
            "%s: a logo made from %s (%s) in %u colours, with a band in rows %d to %d painted with "
            "entries %u to 255, which turn at start-up. Only the start-up logo (LOGO.SYS) moves: as the "
            "shutdown or power-off logo the band stands still.\n",
            logo.c_str(), picture.c_str(), made.kind.c_str(), still, band->top, band->top + band->height - 1, still);
    else if (still < kLogoPaletteEntries)  // converted, always
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
    "make PICTURE LOGO [--keep-colours N] [--band [bottom|top|Y:HEIGHT]] [--band-colours picture|blue]",
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
    "                  (which starts at 236). Paint the band with those entries.\n"
    "--band [PLACE]    paints that band for you: a strip across the logo, at the\n"
    "                  bottom (the default), the top, or Y:HEIGHT (rows Y to\n"
    "                  Y+HEIGHT-1 of 0 to 399), in a gradient that runs along it\n"
    "                  as the entries turn; the picture keeps the rest of the logo\n"
    "                  and, unless --keep-colours says otherwise, 224 colours (the\n"
    "                  band takes 32 entries). Windows moves only the start-up\n"
    "                  logo; `plumwick show LOGO OUT.gif` shows it move.\n"
    "--band-colours C  picture: from the picture's darkest and brightest colours\n"
    "                  (the default); blue: a classic blue.\n",
    {{kKeepColours, "a number"}, {kBand, "a place", IsBandPlace}, {kBandColours, "picture or blue"}},
    2,
    RunMake,
};
