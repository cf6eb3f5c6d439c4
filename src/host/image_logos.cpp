#include "host/image_logos.h"

#include <algorithm>

ImageLogos::ImageLogos(const MtoolsVolume& volume, const std::string& windowsFolder)
    : volume_(volume), windowsFolder_(windowsFolder)
{
}

std::string ImageLogos::folder(const LogoPlace& place) const { return place.inWindowsFolder ? windowsFolder_ : ""; }

std::string ImageLogos::path(const LogoPlace& place, const std::string& name) const
{
    return folder(place).empty() ? name : folder(place) + "/" + name;
}

std::string ImageLogos::shownPath(const LogoPlace& place) const
{
    std::string shown = "C:\\" + path(place, place.live);
    std::replace(shown.begin(), shown.end(), '/', '\\');
    return shown;
}

std::optional<Bytes> ImageLogos::read(const LogoPlace& place) const
{
    const auto entries = volume_.list(folder(place));
    const MtoolsVolume::Entry* live = entries ? FindEntry(*entries, place.live) : nullptr;
    if (!live) return std::nullopt;
    return volume_.read(path(place, live->name));
}

// Read-only, hidden and system files are deleted too.
void ImageLogos::deleteEntry(const LogoPlace& place, const MtoolsVolume::Entry& entry) const
{
    const std::string p = path(place, entry.name);
    if (entry.readOnly || entry.hidden || entry.system) volume_.clearAttributes(p);
    volume_.remove(p);
}

void ImageLogos::recover(const LogoPlace& place) const
{
    const auto entries = volume_.list(folder(place));
    if (!entries) return;
    const MtoolsVolume::Entry* old = FindEntry(*entries, place.old);
    const MtoolsVolume::Entry* fresh = FindEntry(*entries, place.fresh);
    if (old && !FindEntry(*entries, place.live)) {
        volume_.renameOver(path(place, old->name), place.live);
        old = nullptr;
    }
    if (fresh) deleteEntry(place, *fresh);
    if (old) deleteEntry(place, *old);
}

void ImageLogos::replace(const LogoPlace& place, const Bytes& logo) const
{
    volume_.write(path(place, place.fresh), logo);
    volume_.renameOver(path(place, place.fresh), place.live);
}

void ImageLogos::remove(const LogoPlace& place) const
{
    const auto entries = volume_.list(folder(place));
    const MtoolsVolume::Entry* live = entries ? FindEntry(*entries, place.live) : nullptr;
    if (live) deleteEntry(place, *live);
}
