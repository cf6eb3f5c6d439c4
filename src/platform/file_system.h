#pragma once
#include "picture/byte_source.h"
#include "text/errors.h"

enum class FileQuery {
    Directory,  // files and folders, but nothing hidden or system
    AnyFile,    // every file, hidden, system and read-only ones too; no folders
};

// A file's attributes as FAT keeps them, in its own bits.
enum FileAttribute : uint32_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrArchive = 0x20,
};

// Told each file a folder holds.
class FileNames {
public:
    virtual void found(const Text& name) = 0;

protected:
    ~FileNames() = default;
};

// The files the logo procedures read and change, on whatever holds them.
// Paths are Windows paths ("C:\WINDOWS\logow.sys"); names are found without
// regard to case, as on FAT, and answered as stored.
class FileSystem {
public:
    virtual Err findFile(const Text& path, FileQuery kind, Text* name) = 0;
    virtual Err makeFolder(const Text& path) = 0;
    virtual Err removeFolder(const Text& path) = 0;  // an empty one
    // The copy is a plain file, created or replacing one; a hidden, system
    // or read-only one is not replaced.
    virtual Err copyFile(const Text& from, const Text& to) = 0;
    // A file or a folder to another name on the same disk, attributes and
    // all; an existing `to` is an error.
    virtual Err moveFile(const Text& from, const Text& to) = 0;
    virtual Err deleteFile(const Text& path) = 0;
    // The FileAttribute bits of a file; setting 0 makes it a plain file.
    virtual Err attributes(const Text& path, uint32_t* bits) = 0;
    virtual Err setAttributes(const Text& path, uint32_t bits) = 0;
    virtual Err checkReadable(const Text& path) = 0;
    // A whole small file of at most maxSize bytes, in a new[] buffer the
    // caller deletes; a larger one is kErrInvalidPicture.
    virtual Err readFile(const Text& path, uint32_t maxSize, uint8_t** data, uint32_t* size) = 0;
    // A file to read a piece at a time, as pictures are: a new object the
    // caller deletes. Its errors name the path.
    virtual Err openFile(const Text& path, ByteSource** file) = 0;
    // A new file; one that exists is kErrFileExists and stays untouched.
    virtual Err writeNewFile(const Text& path, const uint8_t* data, uint32_t size) = 0;
    // The file's name without its folder and extension.
    virtual Text fileTitle(const Text& path) = 0;
    // The full path of a path given relative to the current folder.
    virtual Text fullPath(const Text& path) = 0;
    // Every file (no folder) in the folder, each name as stored; a folder
    // that is not there holds none.
    virtual Err listFiles(const Text& folder, FileNames& names) = 0;

protected:
    ~FileSystem() = default;
};
