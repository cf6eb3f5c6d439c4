#include "host/windows_disk.h"

#include <filesystem>

#include "host/image_format.h"
#include "host/msdos_sys.h"
#include "host/user_error.h"
#include "logo_files/slots.h"

namespace {
const char kMsdosSys[] = "C:\\MSDOS.SYS";
const char kBackupSuffix[] = ".old-logos";
constexpr uint32_t kLargestMsdosSys = 64 * 1024;

std::string Str(const Text& t) { return std::string(t.c_str(), t.size()); }
Text ToText(const std::string& s) { return Text(s.data(), s.size()); }

BootVolume FindBoot(const ImageFile& image, Progress& progress)
{
    progress.step("reading " + image.path());
    return FindBootVolume(image, RawDiskSize(image));
}

// Beside the image, by an absolute path: the logo procedures tell the
// host's files from the image's by it.
std::string BackupBeside(const std::string& image)
{
    std::error_code ignored;
    return std::filesystem::absolute(image, ignored).string() + kBackupSuffix;
}
}

WindowsDisk::WindowsDisk(const std::string& imagePath, Progress& progress)
    : image_(imagePath),
      boot_(FindBoot(image_, progress)),
      volume_(image_.descriptor(), boot_.offset, boot_.where),
      files_(volume_, BackupBeside(imagePath)),
      machine_(files_)
{
    uint8_t* data = nullptr;
    uint32_t size = 0;
    if (Err e = files_.readFile(kMsdosSys, kLargestMsdosSys, &data, &size)) {
        if (e.number() == kErrFileNotFound)
            throw UserError(imagePath + ": no MSDOS.SYS in the root of " + boot_.where +
                            ", so no Windows 95 or 98 starts from it; install Windows in the emulator first");
        throw UserError(imagePath + ": " + told(e));
    }
    const Bytes msdos(data, data + size);
    delete[] data;
    const std::string windows = WindowsFolderFromMsdosSys(msdos, imagePath + ": C:\\MSDOS.SYS");
    std::string shown = "C:\\" + windows;
    for (char& c : shown)
        if (c == '/') c = '\\';
    if (!volume_.list(windows))
        throw UserError(imagePath + ": MSDOS.SYS names the Windows folder " + shown + ", which " + boot_.where +
                        " does not have; check the image in the emulator");
    PlaceWindows(machine_, ToText(shown));
    machine_.BackupFolder = ToText(BackupBeside(imagePath));
}

std::string WindowsDisk::told(const Err& e) const
{
    const std::string words = files_.wordsFor(e);
    return Str(e.path()) + ": " + (words.empty() ? std::string(ErrorDescription(e.number())) : words);
}
