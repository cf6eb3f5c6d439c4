#include "host/image_format.h"

#include <cstring>
#include <string>

#include "host/user_error.h"

namespace {
constexpr uint64_t kVhdFooterSize = 512;
const char kVhdCookie[] = "conectix";    // a VHD footer's first bytes
constexpr uint32_t kVhdDiskTypeAt = 60;  // big-endian, in the footer
constexpr uint32_t kVhdFixed = 2;
constexpr size_t kHeadSize = 512;
constexpr size_t kVdiSignatureAt = 0x40;
const char kVdiSignature[] = "\x7F\x10\xDA\xBE";
const char kQcowMagic[] = "QFI\xFB";
const char kVmdkSparseMagic[] = "KDMV";
const char kVmdkDescriptor[] = "# Disk DescriptorFile";
const char kVmdkCowdMagic[] = "COWD";  // VMware's older sparse disks

// The magic text (without its ending zero) stands at `at`.
template <size_t N>
bool Has(const Bytes& data, size_t at, const char (&magic)[N])
{
    return data.size() >= at + N - 1 && std::memcmp(&data[at], magic, N - 1) == 0;
}

uint32_t BigEndian32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | p[2] << 8 | p[3];
}

[[noreturn]] void NeedsRawCopy(const std::string& path, const std::string& kind)
{
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? path.substr(0, dot) : path;
    throw UserError(path + ": a " + kind +
                    " image; plumwick writes raw images only. Make a raw copy with `qemu-img "
                    "convert -O raw " +
                    path + " " + stem +
                    ".img`, install into that and start the emulator "
                    "with it");
}
}

uint64_t RawDiskSize(const ImageFile& image)
{
    const Bytes head = image.read(0, kHeadSize);
    if (Has(head, 0, kQcowMagic)) NeedsRawCopy(image.path(), "QEMU qcow2");
    if (Has(head, kVdiSignatureAt, kVdiSignature)) NeedsRawCopy(image.path(), "VirtualBox VDI");
    if (Has(head, 0, kVmdkSparseMagic) || Has(head, 0, kVmdkDescriptor) || Has(head, 0, kVmdkCowdMagic))
        NeedsRawCopy(image.path(), "VMDK");
    // A dynamic VHD starts with a copy of its footer; a fixed one has it only at the end.
    if (Has(head, 0, kVhdCookie)) NeedsRawCopy(image.path(), "dynamic VHD");
    if (image.size() >= kVhdFooterSize) {
        const Bytes footer = image.read(image.size() - kVhdFooterSize, kVhdFooterSize);
        if (Has(footer, 0, kVhdCookie)) {
            if (BigEndian32(&footer[kVhdDiskTypeAt]) != kVhdFixed)
                NeedsRawCopy(image.path(), "dynamic or differencing VHD");
            return image.size() - kVhdFooterSize;
        }
    }
    return image.size();
}
