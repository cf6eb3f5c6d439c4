#include "host/image_format.h"

#include <cstring>

#include "host/picture_core.h"
#include "host/user_error.h"

namespace {
constexpr uint64_t kVhdFooterSize = 512;
const char kVhdCookie[] = "conectix";    // a VHD footer's first bytes; a dynamic VHD starts with a copy
constexpr uint32_t kVhdDiskTypeAt = 60;  // big-endian, in the footer
constexpr uint32_t kVhdFixed = 2, kVhdDynamic = 3;
constexpr size_t kHeadSize = 512;
constexpr size_t kVdiSignatureAt = 0x40;
constexpr size_t kVmdkFlagsAt = 8;
constexpr uint32_t kVmdkCompressedGrains = 1u << 16;  // a stream-optimised one's

struct Magic {
    size_t at;
    const char* bytes;
    size_t size;
    const char* driver;
    const char* name;
};
const Magic kQemuKinds[] = {
    {0, "QFI\xFB", 4, "qcow2", "QEMU qcow2"}, {kVdiSignatureAt, "\x7F\x10\xDA\xBE", 4, "vdi", "VirtualBox VDI"},
    {0, "KDMV", 4, "vmdk", "VMDK"},           {0, "# Disk DescriptorFile", 21, "vmdk", "VMDK"},
    {0, "COWD", 4, "vmdk", "VMware 3 VMDK"},  {0, "vhdxfile", 8, "vhdx", "Hyper-V VHDX"},
    {0, "QED\0", 4, "qed", "QEMU QED"},       {0, kVhdCookie, 8, "vpc", "dynamic VHD"},
};

bool Has(const Bytes& data, size_t at, const char* magic, size_t size)
{
    return data.size() >= at + size && std::memcmp(&data[at], magic, size) == 0;
}

uint32_t BigEndian32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | p[2] << 8 | p[3];
}

[[noreturn]] void Refuse(const std::string& path, const std::string& why)
{
    throw UserError(path + ": " + why + "; make a copy QEMU writes, such as `qemu-img convert -O qcow2 " + path +
                    " copy.qcow2`, and give the emulator that one");
}
}

ImageKind KindOfImage(const ImageFile& image)
{
    const Bytes head = image.read(0, kHeadSize);
    if (Has(head, 0, kVhdCookie, 8) && BigEndian32(&head[kVhdDiskTypeAt]) != kVhdDynamic)
        Refuse(image.path(), "a differencing VHD, which QEMU cannot open with its parent");
    if (Has(head, 0, "KDMV", 4) && (U32(&head[kVmdkFlagsAt]) & kVmdkCompressedGrains))
        Refuse(image.path(), "a stream-optimised VMDK, which is written once and read only");
    for (const Magic& m : kQemuKinds)
        if (Has(head, m.at, m.bytes, m.size)) return {m.driver, m.name, 0};
    if (image.size() >= kVhdFooterSize) {
        const Bytes footer = image.read(image.size() - kVhdFooterSize, kVhdFooterSize);
        if (Has(footer, 0, kVhdCookie, 8) && BigEndian32(&footer[kVhdDiskTypeAt]) == kVhdFixed)
            return {"", "fixed VHD", image.size() - kVhdFooterSize};
    }
    return {"", "raw", image.size()};
}
