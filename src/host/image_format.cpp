#include "image_format.h"

#include <cstring>
#include <string>

#include "user_error.h"

namespace {
constexpr uint64_t kVhdFooterSize = 512;
constexpr uint32_t kVhdDiskTypeAt = 60;  // big-endian, in the footer
constexpr uint32_t kVhdFixed = 2;
constexpr size_t kHeadSize = 512;
constexpr size_t kVdiSignatureAt = 0x40;
const uint8_t kVdiSignature[] = {0x7F, 0x10, 0xDA, 0xBE};
const uint8_t kQcowMagic[] = {'Q', 'F', 'I', 0xFB};

bool Has(const Bytes& data, size_t at, const void* magic, size_t length)
{
    return data.size() >= at + length && std::memcmp(&data[at], magic, length) == 0;
}

uint32_t BigEndian32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | p[2] << 8 | p[3];
}

[[noreturn]] void NeedsRawCopy(const std::string& path, const std::string& kind)
{
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path;
    throw UserError(path + ": a " + kind + " image; plumwick writes raw images only. Make a raw copy with `qemu-img "
                           "convert -O raw " + path + " " + stem + ".img`, install into that and start the emulator "
                           "with it");
}
}

uint64_t RawDiskSize(const ImageFile& image)
{
    const Bytes head = image.read(0, kHeadSize);
    if (Has(head, 0, kQcowMagic, sizeof kQcowMagic)) NeedsRawCopy(image.path(), "QEMU qcow2");
    if (Has(head, kVdiSignatureAt, kVdiSignature, sizeof kVdiSignature)) NeedsRawCopy(image.path(), "VirtualBox VDI");
    if (Has(head, 0, "KDMV", 4) || Has(head, 0, "# Disk DescriptorFile", 21) || Has(head, 0, "COWD", 4))
        NeedsRawCopy(image.path(), "VMDK");
    // A dynamic VHD starts with a copy of its footer; a fixed one has it only at the end.
    if (Has(head, 0, "conectix", 8)) NeedsRawCopy(image.path(), "dynamic VHD");
    if (image.size() >= kVhdFooterSize) {
        const Bytes footer = image.read(image.size() - kVhdFooterSize, kVhdFooterSize);
        if (Has(footer, 0, "conectix", 8)) {
            if (BigEndian32(&footer[kVhdDiskTypeAt]) != kVhdFixed) NeedsRawCopy(image.path(), "dynamic or differencing VHD");
            return image.size() - kVhdFooterSize;
        }
    }
    return image.size();
}
