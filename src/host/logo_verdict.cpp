#include "host/logo_verdict.h"

#include "host/picture_core.h"

namespace {
std::string Number(uint32_t n) { return std::to_string(n); }

std::string CompressionName(uint32_t compression)
{
    switch (compression) {
    case kBiRle8: return "RLE8";
    case kBiRle4: return "RLE4";
    case kBiBitfields: return "bit fields";
    default: return "kind " + Number(compression);
    }
}

// The header's own word on each property a logo fixes.
std::vector<std::string> Differences(const Bytes& f)
{
    std::vector<std::string> why;
    const uint32_t infoSize = U32(&f[kInfoSizeAt]);
    if (infoSize == kCoreInfoSize) {
        why.push_back("it has the " + Number(kCoreInfoSize) + "-byte OS/2 header; a logo has the plain " +
                      Number(kPlainInfoSize) + "-byte Windows one");
        return why;
    }
    if (infoSize != kPlainInfoSize)
        why.push_back("its header is " + Number(infoSize) + " bytes; a logo has the plain " + Number(kPlainInfoSize) +
                      "-byte one");
    const int32_t width = static_cast<int32_t>(U32(&f[kWidthAt]));
    const int32_t height = static_cast<int32_t>(U32(&f[kHeightAt]));
    if (width != kLogoWidth || (height != kLogoHeight && height != -kLogoHeight))
        why.push_back("it is " + std::to_string(width) + " x " +
                      std::to_string(height < 0 ? -int64_t{height} : height) + " pixels; a logo is " +
                      Number(kLogoWidth) + " x " + Number(kLogoHeight));
    if (height < 0) why.push_back("its rows are stored top row first; a logo's bottom row comes first");
    const uint32_t bits = U16(&f[kBitCountAt]), compression = U32(&f[kCompressionAt]);
    const uint32_t colours = U32(&f[kColoursUsedAt]);
    if (bits != kLogoBitCount)
        why.push_back("it has " + Number(bits) + " bits a pixel; a logo has " + Number(kLogoBitCount) + " (" +
                      Number(kLogoPaletteEntries) + " colours)");
    if (compression != kBiRgb) why.push_back("it is compressed (" + CompressionName(compression) + "); a logo is not");
    if (bits == kLogoBitCount && colours != 0 && colours != kLogoPaletteEntries)
        why.push_back("its palette has " + Number(colours) + " entries; a logo's has " + Number(kLogoPaletteEntries));
    if (why.empty() && U32(&f[kBitsOffsetAt]) != kLogoPixelsAt)
        why.push_back("its pixels start at byte " + Number(U32(&f[kBitsOffsetAt])) +
                      ", not right after the palette at byte " + Number(kLogoPixelsAt));
    if (why.empty() && f.size() < kLogoFileSize)
        why.push_back("it is cut short: " + Number(static_cast<uint32_t>(f.size())) + " bytes; a logo has " +
                      Number(kLogoFileSize));
    return why;
}
}

LogoVerdict JudgeLogo(const Bytes& file)
{
    MemorySource source(file.data(), static_cast<uint32_t>(file.size()));
    if (IsLogoShaped(source)) return {true, {}};
    if (file.size() < kFileHeaderSize + kPlainInfoSize || file[0] != 'B' || file[1] != 'M')
        return {false, {"it is not a Windows bitmap (BMP) file"}};
    std::vector<std::string> why = Differences(file);
    if (why.empty()) why.push_back("its header and its data do not hold together (a damaged file)");
    return {false, why};
}
