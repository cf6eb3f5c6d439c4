#pragma once
#include <cstdint>

#include "host/image_file.h"

// How many bytes at the start of an image file are the disk itself: all of
// a raw image, all but the 512-byte footer of a fixed VHD. Any other kind
// (a dynamic or differencing VHD, qcow2, VDI, VMDK) is refused with a
// UserError naming the qemu-img command that makes a raw copy of it.
uint64_t RawDiskSize(const ImageFile& image);
