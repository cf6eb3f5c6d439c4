#pragma once
#include <windows.h>

#include "platform/file_system.h"

class Win32Files final : public FileSystem {
public:
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
};
