#pragma once
#include <optional>
#include <string>

#include "host/host_files.h"
#include "host/logo_places.h"
#include "host/mtools_volume.h"

// The logo files inside the image, changed so that a run killed between
// any two mtools runs leaves the old logo or the whole new one under the
// live name, and anything else for the next run's recovery:
//   1. the new logo is written as LOGO.PWN beside LOGO.SYS;
//   2. one mtools rename puts LOGO.PWN in place of LOGO.SYS (mren -D o:
//      the old entry is replaced in the same run), so LOGO.SYS is there
//      at every moment between two mtools runs.
// The tool on Windows swaps in four steps instead, through LOGO.PWO; a
// recovery here puts right what either left half way.
class ImageLogos {
public:
    ImageLogos(const MtoolsVolume& volume, const std::string& windowsFolder);

    // The live logo as it stands, or nothing if there is none.
    std::optional<Bytes> read(const LogoPlace& place) const;
    // A cut-off replace: an old file whose live one is missing goes back;
    // any other leftover is deleted.
    void recover(const LogoPlace& place) const;
    void replace(const LogoPlace& place, const Bytes& logo) const;
    void remove(const LogoPlace& place) const;
    // "C:\WINDOWS\LOGOW.SYS", for messages.
    std::string shownPath(const LogoPlace& place) const;

private:
    std::string folder(const LogoPlace& place) const;
    std::string path(const LogoPlace& place, const std::string& name) const;
    void deleteEntry(const LogoPlace& place, const MtoolsVolume::Entry& entry) const;

    const MtoolsVolume& volume_;
    std::string windowsFolder_;
};
