#pragma once
#include <optional>
#include <string>
#include <vector>

#include "host/host_files.h"

// A FAT file system inside a disk image, read and changed only through
// mtools, each call one whole mtools run. mtools is handed the image as the
// descriptor plumwick holds open and locked, and data as a file in memory,
// never by a name, so that no name reaches mtools' own parsing of names
// (image@@offset, drive letters). Paths inside are like "WINDOWS/LOGOW.SYS";
// "" is the root folder. A failure throws a UserError that says what failed.
class FatVolume {
public:
    FatVolume(int imageDescriptor, uint64_t offset, const std::string& where);

    struct Entry {
        std::string name;     // as the folder lists it: the long name if there is one
        uint32_t attributes;  // FileAttribute bits
        bool folder;
    };
    // A folder's files and folders, or nothing if there is no such folder.
    std::optional<std::vector<Entry>> list(const std::string& folder) const;
    Bytes read(const std::string& path) const;
    // A new file, or over one of that name.
    void write(const std::string& path, const Bytes& data) const;
    // A new name in its folder; one that exists is not replaced.
    void rename(const std::string& path, const std::string& newName) const;
    void setAttributes(const std::string& path, uint32_t bits) const;
    void remove(const std::string& path) const;
    void makeFolder(const std::string& path) const;
    void removeFolder(const std::string& path) const;

private:
    Bytes run(const std::string& tool, std::vector<std::string> args, const std::string& doing, int data = -1) const;

    int image_;
    std::string drive_;  // /dev/fd/3@@offset
    std::string where_;  // "partition 1", for messages
};

// The entry of that name in a listing, compared without case as FAT does.
const FatVolume::Entry* FindEntry(const std::vector<FatVolume::Entry>& entries, const std::string& name);

// A listing by `mattrib -X`: lines "ASHR ::/WINDOWS/LOGOW.SYS", D for a
// folder; the folder's own "." and ".." are left out.
std::vector<FatVolume::Entry> ParseAttributeListing(const std::string& text);
