#include "host/saved_logos.h"

#include <filesystem>
#include <sstream>

#include "host/user_error.h"

namespace fs = std::filesystem;

namespace {
const char kFolderSuffix[] = ".old-logos";
const char kPartialSuffix[] = ".partial";
const char kAbsentList[] = "absent.txt";
const char kAbsentHeading[] = "# Logos the image did not have; plumwick restore deletes them.\n";
}

SavedLogos::SavedLogos(const std::string& imagePath) : folder_(imagePath + kFolderSuffix) {}

bool SavedLogos::exist() const
{
    std::error_code ignored;
    return fs::is_directory(folder_, ignored);
}

// The folder is made under another name and renamed when whole, so that a
// run cut off while saving leaves no folder that looks like a saved one.
void SavedLogos::save(const Logos& logos) const
{
    const std::string partial = folder_ + kPartialSuffix;
    std::error_code e;
    fs::remove_all(partial, e);
    if (!fs::create_directory(partial, e))
        throw UserError(partial + ": cannot be made (" + e.message() +
                        "); plumwick keeps the image's old logos "
                        "beside it: make its folder writable");
    std::string absent = kAbsentHeading;
    for (size_t i = 0; i < kLogoPlaceCount; ++i) {
        if (logos[i])
            WriteHostFile(partial + "/" + kLogoPlaces[i].live, *logos[i]);
        else
            absent += std::string(kLogoPlaces[i].live) + "\n";
    }
    WriteHostFile(partial + "/" + kAbsentList, Bytes(absent.begin(), absent.end()));
    fs::rename(partial, folder_, e);
    if (e) throw UserError(folder_ + ": cannot be made (" + e.message() + ")");
}

SavedLogos::Logos SavedLogos::load() const
{
    const Bytes list = ReadHostFile(folder_ + "/" + kAbsentList);
    std::istringstream lines(std::string(list.begin(), list.end()));
    std::string line;
    std::array<bool, kLogoPlaceCount> absent{};
    while (std::getline(lines, line))
        for (size_t i = 0; i < kLogoPlaceCount; ++i) absent[i] |= line == kLogoPlaces[i].live;
    Logos logos;
    for (size_t i = 0; i < kLogoPlaceCount; ++i)
        if (!absent[i]) logos[i] = ReadHostFile(folder_ + "/" + kLogoPlaces[i].live);
    return logos;
}
