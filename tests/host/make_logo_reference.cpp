// The core's MakeLogo on one bitmap file, for the tests to hold the
// plumwick command against: make_logo_reference IN.bmp OUT.
#include <fstream>
#include <iterator>
#include <vector>

#include "picture/make_logo.h"

int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> bmp((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<uint8_t> logo(kLogoFileSize);
    if (MakeLogo(bmp.data(), static_cast<uint32_t>(bmp.size()), logo.data())) return 1;
    std::ofstream(argv[2], std::ios::binary).write(reinterpret_cast<const char*>(logo.data()), kLogoFileSize);
    return 0;
}
