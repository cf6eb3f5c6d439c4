#pragma once
#include <array>
#include <cstddef>

// The three logos: the start-up one in the boot drive's root, the two
// shutdown ones in the Windows folder; each with the names it goes by while
// it is replaced, the same as the tool on Windows uses.
struct LogoPlace {
    const char* option;  // install's option for it
    const char* live;
    const char* fresh;  // the new file, until it stands in place
    const char* old;    // the tool on Windows's name for a replaced file, until the new one stands
    bool inWindowsFolder;
    const char* role;  // for messages
};

constexpr size_t kLogoPlaceCount = 3;
extern const std::array<LogoPlace, kLogoPlaceCount> kLogoPlaces;
