#include "host/windows_disk.h"

#include <sys/stat.h>

#include <filesystem>

#include "host/image_users.h"
#include "host/msdos_sys.h"
#include "host/user_error.h"
#include "logo_files/slots.h"

namespace {
const char kMsdosSys[] = "C:\\MSDOS.SYS";
const char kBootRoot[] = "C:\\";
const char kWinCom[] = "WIN.COM";  // what every Windows 95/98 folder holds
const char kBackupSuffix[] = ".old-logos";
constexpr uint32_t kLargestMsdosSys = 64 * 1024;

std::string Str(const Text& t) { return std::string(t.c_str(), t.size()); }
Text ToText(const std::string& s) { return Text(s.data(), s.size()); }

// Beside the image, by an absolute path: the logo procedures tell the
// host's files from the image's by it.
std::string BackupBeside(const std::string& image)
{
    std::error_code ignored;
    return std::filesystem::absolute(image, ignored).string() + kBackupSuffix;
}

bool SameFile(int fd, const std::string& path)
{
    struct stat opened, named;
    return fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

// "D:\WIN98" to "WIN98" inside drive D:.
std::string Inside(const std::string& windows)
{
    std::string inside = windows.size() > 3 ? windows.substr(3) : "";
    for (char& c : inside)
        if (c == '\\') c = '/';
    return inside;
}
}

WindowsDisk::WindowsDisk(const std::string& imagePath, const DiskOptions& options, Progress& progress)
    : path_(imagePath), image_(imagePath)
{
    progress.step("reading " + imagePath);
    const ImageKind kind = KindOfImage(image_);
    if (!options.force) {
        const std::vector<std::string> writers = ProcessesWritingTo(imagePath);
        if (!writers.empty())
            throw UserError(imagePath + ": open for writing in " + writers[0] +
                            ", which may be an emulator running on it; close it and run plumwick again, or give "
                            "--force if it writes nothing there");
    }
    const ImageFile* disk = &image_;
    uint64_t diskSize = kind.rawSize;
    if (!kind.qemuDriver.empty()) {
        // QEMU takes its own locks for the run: ours, tested, are let go.
        image_.unlock();
        view_ = std::make_unique<QemuView>(imagePath, kind.qemuDriver, kind.name);
        if (!SameFile(image_.descriptor(), imagePath))
            throw UserError(imagePath + ": replaced while plumwick opened it; run plumwick again");
        raw_ = std::make_unique<ImageFile>(view_->path());
        disk = raw_.get();
        diskSize = raw_->size();
    }
    drives_ = FindDosDrives(*disk, diskSize);
    std::vector<DiskFiles::Drive> mounted;
    for (const DosDrive& d : drives_) {
        volumes_.push_back(
            std::make_unique<FatVolume>(disk->descriptor(), d.offset, d.letter + std::string(": (") + d.where + ")"));
        mounted.push_back({d.letter, volumes_.back().get()});
    }
    const std::string backup = BackupBeside(imagePath);
    files_ = std::make_unique<DiskFiles>(mounted, backup);
    machine_ = std::make_unique<Machine>(*files_);
    machine_->BackupFolder = ToText(backup);
    identity_ = drives_[0].identity;
    const std::string windows = findWindows(options);
    if (windows.empty() && options.needsWindows)
        throw UserError(imagePath + ": " + windowsNotFound_ + "; give its folder with --windows-dir, as C:\\WIN98");
    PlaceWindows(*machine_, ToText(windows), kBootRoot);
    if (!windows.empty() && windows[0] != drives_[0].letter)
        for (const DosDrive& d : drives_)
            if (d.letter == windows[0]) identity_ += std::string("; ") + d.letter + ": " + d.identity;
}

const FatVolume& WindowsDisk::volume(char letter) const
{
    for (size_t i = 0; i < drives_.size(); ++i)
        if (drives_[i].letter == letter) return *volumes_[i];
    throw UserError(path_ + ": Windows is on drive " + letter + ":, which the disk does not have (it has " +
                    std::string(1, drives_.front().letter) + ": to " + drives_.back().letter + ":)");
}

// The folder --windows-dir or MSDOS.SYS names, or the one that holds
// WIN.COM; empty, and windowsNotFound_ says why, if none is found.
std::string WindowsDisk::findWindows(const DiskOptions& options)
{
    uint8_t* data = nullptr;
    uint32_t size = 0;
    if (Err e = files_->readFile(kMsdosSys, kLargestMsdosSys, &data, &size)) {
        if (e.number() == kErrFileNotFound)
            throw UserError(path_ + ": no MSDOS.SYS in the root of " + drives_[0].where +
                            ", so no Windows 95 or 98 starts from it; install Windows in the emulator first");
        throw UserError(path_ + ": " + told(e));
    }
    const Bytes msdos(data, data + size);
    delete[] data;
    const std::string named = WinDirFromMsdosSys(msdos, path_ + ": C:\\MSDOS.SYS");
    const std::string windows = options.windowsDir.empty() ? named : WindowsPath(options.windowsDir);
    if (!windows.empty()) {
        if (!volume(windows[0]).list(Inside(windows)))
            throw UserError(path_ + ": " + (options.windowsDir.empty() ? "MSDOS.SYS names" : "--windows-dir gives") +
                            " the Windows folder " + windows +
                            ", which the disk does not have; check it in the emulator");
        return windows;
    }
    std::vector<std::string> holding;
    for (const DosDrive& d : drives_) {
        const auto root = volume(d.letter).list("");
        for (const FatVolume::Entry& e : root ? *root : std::vector<FatVolume::Entry>()) {
            if (!e.folder) continue;
            const auto inside = volume(d.letter).list(e.name);
            if (inside && FindEntry(*inside, kWinCom)) holding.push_back(d.letter + std::string(":\\") + e.name);
        }
    }
    if (holding.size() == 1) return holding[0];
    windowsNotFound_ = holding.empty() ? "MSDOS.SYS names no Windows folder and no folder holds WIN.COM"
                                       : "MSDOS.SYS names no Windows folder and " + holding[0] + " and " + holding[1] +
                                             " both hold WIN.COM";
    return "";
}

std::string WindowsDisk::told(const Err& e) const
{
    const std::string words = files_->wordsFor(e);
    return Str(e.path()) + ": " + (words.empty() ? std::string(ErrorDescription(e.number())) : words);
}
