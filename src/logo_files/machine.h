#pragma once
#include "platform/file_system.h"

using LogoSlot = int;
constexpr int kSlotCount = 3;
// The one logo Windows moves, by turning its colours.
constexpr LogoSlot kStartupSlot = 0;

// The machine whose logos change, as the logo procedures see it: the file
// system that holds them, and the folders found once at start.
struct Machine {
    explicit Machine(FileSystem& f) : files(f) {}

    FileSystem& files;
    Text WindowsDir;    // without a backslash at the end
    Text BootRoot;      // the Windows directory's drive root, with its backslash
    Text ToolFolder;    // the tool's own files: its default picture, Logos, Random
    Text BackupFolder;  // the logos as they were before the first change
};
