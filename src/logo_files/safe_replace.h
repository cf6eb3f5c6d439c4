#pragma once
#include "platform/platform.h"

// A file's name and the names it goes by while it is being replaced.
struct ReplaceNames {
    const char* live;
    const char* fresh;  // the new copy, until it stands in place
    const char* old;    // the replaced file, until the new one stands
};

// Puts a copy of `from` in the place of dir + live (dir ends in a
// backslash) so that this file holds its old content or the whole new one at
// every moment, and no temporary file stays behind, whatever fails.
Err ReplaceFile(Platform& p, const Text& from, const Text& dir, const ReplaceNames& names);

// Puts right what a replace cut off half way left behind.
Err Recover(Platform& p, const Text& dir, const ReplaceNames& names);

// Removes a file whatever its attributes (hidden, system, read-only); one
// that is not there is no error.
Err DeleteFileIfPresent(Platform& p, const Text& path);
