#pragma once
#include <array>
#include <optional>
#include <string>

#include "host/host_files.h"
#include "host/logo_places.h"

// The logos an image had before plumwick first changed it, kept on the host
// in a folder beside the image (win98.img.old-logos): each logo file as it
// was, and absent.txt naming those the image did not have. Written once,
// whole or not at all, and never overwritten.
class SavedLogos {
public:
    using Logos = std::array<std::optional<Bytes>, kLogoPlaceCount>;  // in kLogoPlaces order; empty: absent

    explicit SavedLogos(const std::string& imagePath);
    const std::string& folder() const { return folder_; }
    bool exist() const;
    void save(const Logos& logos) const;
    Logos load() const;

private:
    std::string folder_;
};
