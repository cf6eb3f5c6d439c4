#pragma once
#include "host/command_line.h"
#include "host/windows_disk.h"

// What install and restore say of the disk image, in their help.
#define PLUMWICK_DISK_HELP                                                                 \
    "DISK.img is the emulated machine's disk image: raw (86Box, PCem, QEMU, DOSBox-X)\n"   \
    "or a fixed VHD, which plumwick writes itself, or any other kind QEMU writes,\n"       \
    "through QEMU's own block layer (qemu-storage-daemon, shown to mtools through\n"       \
    "FUSE): qcow2 (QEMU; its backing file and snapshots stay as they are), VDI\n"          \
    "(VirtualBox), VMDK (VMware), VHDX (Hyper-V), dynamic VHD (86Box, Virtual PC),\n"      \
    "QED. Stop the emulator first: plumwick refuses an image that a QEMU holds a\n"        \
    "lock on or another process has open for writing, and holds it while it works.\n"      \
    "  --windows-dir D  the Windows folder, as C:\\WIN98 or D:\\WINDOWS, when MSDOS.SYS\n" \
    "                   names none and no folder or more than one holds WIN.COM\n"         \
    "  --force          go on while another process has the image open for writing\n"

extern const KnownOption kWindowsDirOption, kForceOption;

DiskOptions DiskOptionsOf(const CommandArgs& args, bool needsWindows);
