#include "host/logo_screen.h"

#include "host/picture_core.h"

std::vector<uint8_t> ScreenIndexes(const Bytes& logo)
{
    std::vector<uint8_t> screen(kScreenWidth * kScreenHeight);
    for (uint32_t y = 0; y < kScreenHeight; ++y) {
        // The logo row whose middle is nearest this screen row's middle.
        const uint32_t row = (2 * y + 1) * kLogoHeight / (2 * kScreenHeight);
        const uint8_t* stored = &logo[kLogoPixelsAt + (kLogoHeight - 1 - row) * kLogoWidth];
        for (uint32_t x = 0; x < kScreenWidth; ++x)
            screen[y * kScreenWidth + x] = stored[x * kLogoWidth / kScreenWidth];
    }
    return screen;
}

uint32_t CycledFrom(const Bytes& logo)
{
    const uint32_t first = ColourCycleStart(logo.data(), static_cast<uint32_t>(logo.size()));
    return first < kLogoPaletteEntries ? first : 0;
}

uint32_t CycleSteps(const Bytes& logo)
{
    const uint32_t first = CycledFrom(logo);
    return first ? kLogoPaletteEntries - first : 1;
}

std::vector<uint8_t> ScreenPalette(const Bytes& logo, uint32_t step)
{
    const uint32_t first = CycledFrom(logo);
    std::vector<uint8_t> rgb;
    for (uint32_t i = 0; i < kLogoPaletteEntries; ++i) {
        const uint8_t* bgr = &logo[kLogoPaletteAt + CycledEntry(i, first, step) * kPaletteEntryBytes];
        rgb.insert(rgb.end(), {bgr[2], bgr[1], bgr[0]});
    }
    return rgb;
}
