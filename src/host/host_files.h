#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A whole file from the host; a UserError naming it if it cannot be read.
Bytes ReadHostFile(const std::string& path);
// Writes the whole file through a temporary name beside it, so that a
// failure never leaves half a file under the name.
void WriteHostFile(const std::string& path, const Bytes& data);
