#pragma once
#include <string>
#include <vector>

// The other processes that hold the file open for writing, as "86Box (pid
// 4711)": emulators that take no lock on their disk images are seen by
// this. Only the processes this user may look into are seen.
std::vector<std::string> ProcessesWritingTo(const std::string& path);
