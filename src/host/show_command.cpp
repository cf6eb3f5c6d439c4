#include <strings.h>

#include <cstdio>

#include "host/commands.h"
#include "host/gif_writer.h"
#include "host/host_files.h"
#include "host/logo_screen.h"
#include "host/logo_verdict.h"
#include "host/picture_core.h"
#include "host/png_writer.h"

namespace {
constexpr int kMillisecondsPerCentisecond = 10;

bool EndsWith(const std::string& s, const char* tail)
{
    const size_t n = std::string(tail).size();
    return s.size() >= n && strcasecmp(s.c_str() + s.size() - n, tail) == 0;
}

int RunShow(const CommandArgs& args, Progress& progress)
{
    const std::string& logoPath = args.positional[0];
    const std::string& out = args.positional[1];
    const bool gif = EndsWith(out, ".gif");
    if (!gif && !EndsWith(out, ".png")) throw UsageError{"plumwick show: " + out + " must end in .png or .gif"};
    const Bytes logo = ReadHostFile(logoPath);
    const LogoVerdict verdict = JudgeLogo(logo);
    if (!verdict.shown) {
        std::printf("%s: Windows does not show this file as a logo:\n", logoPath.c_str());
        for (const std::string& why : verdict.reasons) std::printf("  - %s\n", why.c_str());
        std::printf("`plumwick make %s LOGO.SYS` makes a logo of a picture.\n", logoPath.c_str());
        return 1;
    }
    std::printf("%s: Windows shows it (320 x 400, 256 colours, stretched over the 640 x 480 screen).\n",
                logoPath.c_str());
    const uint32_t first = CycledFrom(logo), steps = CycleSteps(logo);
    if (first)
        std::printf(
            "As the start-up logo (LOGO.SYS) its colours %u to 255 cycle: a step every %u ms, %u steps "
            "round; as a shutdown logo it stands still.\n",
            first, kColourCycleStepMilliseconds, steps);
    progress.step("writing " + out);
    const std::vector<uint8_t> screen = ScreenIndexes(logo);
    if (gif) {
        std::vector<std::vector<uint8_t>> palettes;
        for (uint32_t s = 0; s < steps; ++s) palettes.push_back(ScreenPalette(logo, s));
        WriteGif(out, kScreenWidth, kScreenHeight, screen, palettes,
                 static_cast<int>(kColourCycleStepMilliseconds) / kMillisecondsPerCentisecond);
        std::printf("%s: the screen, %u x %u%s\n", out.c_str(), kScreenWidth, kScreenHeight,
                    steps > 1 ? (", " + std::to_string(steps) + " frames looping").c_str() : "");
    } else {
        WritePalettedPng(out, kScreenWidth, kScreenHeight, screen, ScreenPalette(logo, 0));
        std::printf("%s: the screen, %u x %u%s\n", out.c_str(), kScreenWidth, kScreenHeight,
                    first ? " (the cycle's first step; a .gif shows it move)" : "");
    }
    return 0;
}
}

const Command kShowCommand = {
    "show",
    "show LOGO OUT.png|OUT.gif",
    "what Windows will show for a logo, as a picture",
    "Tells whether Windows 95/98 shows LOGO and, if not, why (size, colours,\n"
    "compression, header), then draws what it shows: the 640 x 480 screen, each\n"
    "logo pixel two screen pixels wide and each screen row the nearest logo row.\n"
    "For a start-up logo whose colours cycle (biClrImportant is not 0), OUT.gif\n"
    "is an animation of one whole cycle at Windows' pace, looping; OUT.png is its\n"
    "first step. Exit code 1 if Windows does not show LOGO (nothing is written).\n",
    {},
    2,
    RunShow,
};
