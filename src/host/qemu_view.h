#pragma once
#include <sys/types.h>

#include <string>

// A disk image in a format QEMU writes, seen as a raw disk for as long as
// this lives: qemu-storage-daemon opens it with QEMU's own block layer,
// which takes QEMU's locks on it (and reads its backing files, which it
// leaves as they are), and exports the disk through FUSE as a raw file.
// Every write goes through QEMU into the image. The daemon ends with this,
// or with plumwick however it ends. A UserError if it cannot start: QEMU
// or FUSE missing (naming the package), the image in use, or a file QEMU
// cannot open (in QEMU's words).
class QemuView {
public:
    QemuView(const std::string& image, const std::string& driver, const std::string& kind);
    ~QemuView();
    QemuView(const QemuView&) = delete;
    QemuView& operator=(const QemuView&) = delete;

    // The raw disk.
    const std::string& path() const { return mountpoint_; }

private:
    void stop();

    std::string mountpoint_;
    pid_t daemon_ = -1;
};

// The mount points of runs that were killed, gone: each view clears them
// as it starts.
void ClearEndedViews();
