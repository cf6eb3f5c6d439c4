#pragma once
#include <string>
#include <vector>

#include "host/host_files.h"

// Whether Windows shows a file as a logo (the core's IsLogoShaped), and if
// not, each way it differs from a logo, in words.
struct LogoVerdict {
    bool shown;
    std::vector<std::string> reasons;
};
LogoVerdict JudgeLogo(const Bytes& file);
