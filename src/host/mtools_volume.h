#pragma once
#include <optional>
#include <string>
#include <vector>

#include "host/host_files.h"

// A FAT file system inside a disk image, read and changed only through
// mtools (image@@offset), each call one whole mtools run. Paths inside
// are like "WINDOWS/LOGOW.SYS"; "" is the root folder.
class MtoolsVolume {
public:
    MtoolsVolume(const std::string& image, uint64_t offset, const std::string& where);
    ~MtoolsVolume();
    MtoolsVolume(const MtoolsVolume&) = delete;
    MtoolsVolume& operator=(const MtoolsVolume&) = delete;

    struct Entry {
        std::string name;  // as the folder lists it: the long name if there is one
        bool readOnly, hidden, system;
    };
    // A folder's files and folders, or nothing if there is no such folder.
    std::optional<std::vector<Entry>> list(const std::string& folder) const;
    Bytes read(const std::string& path) const;
    // Writes a new file, or overwrites one of that name.
    void write(const std::string& path, const Bytes& data) const;
    // Gives a file a new name in its folder, in one mtools run: a file that
    // already has that name (in any case) is replaced by it.
    void renameOver(const std::string& path, const std::string& newName) const;
    void clearAttributes(const std::string& path) const;
    void remove(const std::string& path) const;

private:
    Bytes run(const std::string& tool, std::vector<std::string> args, const std::string& doing) const;

    std::string drive_;  // image@@offset
    std::string image_;
    std::string where_;
    std::string scratch_;  // a private host folder for files on their way in
};

// The entry of that name in a listing, compared without case as FAT does.
const MtoolsVolume::Entry* FindEntry(const std::vector<MtoolsVolume::Entry>& entries, const std::string& name);
