#pragma once
#include "platform/file_system.h"

// A file's name and the names it goes by while it is being replaced.
struct ReplaceNames {
    const char* live;
    const char* fresh;  // the new copy, until it stands in place
    const char* old;    // the replaced file, until the new one stands
};

// The attributes of the file replaced, or none if there was none.
constexpr uint32_t kSameAttributes = 0xFFFFFFFF;

// Puts a copy of `from` in the place of dir + live (dir ends in a
// backslash), with the attributes given, so that this file holds its old
// content or the whole new one at every moment, or the old one under the
// old name for Recover to put back, and no temporary file stays behind,
// whatever fails.
Err ReplaceFile(FileSystem& fs, const Text& from, const Text& dir, const ReplaceNames& names,
                uint32_t attributes = kSameAttributes);

// Puts right what a replace cut off half way left behind.
Err Recover(FileSystem& fs, const Text& dir, const ReplaceNames& names);

// Removes a file whatever its attributes (hidden, system, read-only); one
// that is not there is no error.
Err DeleteFileIfPresent(FileSystem& fs, const Text& path);
