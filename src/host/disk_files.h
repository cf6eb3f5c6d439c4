#pragma once
#include <string>
#include <vector>

#include "host/fat_volume.h"
#include "platform/file_system.h"

// The files plumwick reads and changes, as the logo procedures ask for
// them: C:\..., D:\... are the drives inside the disk image, and an absolute
// path is the host's own, where the backup lies and the logos made in
// memory are read from. Host names are found without regard to case, as
// on FAT; after `hostFolder` a backslash separates names, as the logo
// procedures join them. Each failure keeps its words for the message.
class DiskFiles final : public FileSystem {
public:
    struct Drive {
        char letter;
        const FatVolume* volume;
    };
    DiskFiles(const std::vector<Drive>& drives, const std::string& hostFolder);

    // What a failure of these files was, in words; "" for one that says no
    // more than its number, or that came from elsewhere.
    std::string wordsFor(const Err& e) const;

    Err findFile(const Text& path, FileQuery kind, Text* name) override;
    Err makeFolder(const Text& path) override;
    Err removeFolder(const Text& path) override;
    Err copyFile(const Text& from, const Text& to) override;
    Err moveFile(const Text& from, const Text& to) override;
    Err deleteFile(const Text& path) override;
    Err attributes(const Text& path, uint32_t* bits) override;
    Err setAttributes(const Text& path, uint32_t bits) override;
    Err checkReadable(const Text& path) override;
    Err readFile(const Text& path, uint32_t maxSize, uint8_t** data, uint32_t* size) override;
    Err openFile(const Text& path, ByteSource** file) override;
    Err writeNewFile(const Text& path, const uint8_t* data, uint32_t size) override;
    Text fileTitle(const Text& path) override;
    Text fullPath(const Text& path) override;
    Err listFiles(const Text& folder, FileNames& names) override;

private:
    struct Place {
        const FatVolume* volume;  // the drive in the image, or none: the host
        std::string path;         // "WINDOWS/LOGOW.SYS" in the image, "/home/..." on the host
    };
    Err place(const Text& path, Place* where);
    static std::optional<FatVolume::Entry> entry(const Place& where);
    Err read(const Text& path, const Place& where, uint32_t maxSize, Bytes* data);
    Err write(const Text& path, const Place& where, const Bytes& data, bool replace);
    Err failed(int number, const Text& path, const std::string& why = "");
    Err hostFailed(int error, const Text& path);
    Err done(int result, const Text& path);
    template <typename Step>
    Err guarded(const Text& path, Step&& step);
    template <typename InImage, typename OnHost>
    Err route(const Text& path, InImage&& inImage, OnHost&& onHost);

    std::vector<Drive> drives_;
    std::string hostFolder_;
    Err lastFailure_;
    std::string lastWords_;
};
