#pragma once
#include <cstdint>
#include <string>

#include "host/image_file.h"

// How plumwick reaches the disk inside an image file: itself, in a raw
// image or a fixed VHD, whose first bytes are the disk; or through QEMU's
// own block layer, in any format QEMU writes.
struct ImageKind {
    std::string qemuDriver;  // QEMU's name of the format; empty for the raw ones
    std::string name;        // "QEMU qcow2", "VirtualBox VDI"... for messages
    uint64_t rawSize;        // the raw ones: how many of the file's bytes are the disk
};

// Told by the first bytes, and a VHD's footer. A UserError for a kind that
// cannot be written this way: a differencing VHD, a stream-optimised VMDK.
ImageKind KindOfImage(const ImageFile& image);
