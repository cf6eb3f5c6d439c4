#include "logo_files/logo_copy.h"

#include "logo_files/slots.h"
#include "picture/make_logo.h"

namespace {
// "name.bmp", then "name-2.bmp" and on; past this many the folder is full
// of copies of one name, and the user has to tidy it.
constexpr int32_t kMaxCopies = 999;

Text CopyName(const Text& title, int32_t number)
{
    Text name = title;
    if (number > 1) name += Text("-") + Text::number(number);
    return name + ".bmp";
}

}

Err MakeLogoOf(FileSystem& fs, const Text& source, uint8_t* logo, const Band* band)
{
    ByteSource* file = nullptr;
    PLUMWICK_TRY(fs.openFile(source, &file));
    const Err made = MakeLogo(*file, logo, band ? kLogoPaletteEntries - kBandEntries : kLogoPaletteEntries, band);
    delete file;
    return made ? Err(made.number(), source) : Err();
}

Err WriteLogoCopy(Machine& m, const Text& source, Text* copy, const Band* band)
{
    FileSystem& fs = m.files;
    uint8_t* logo = new uint8_t[kLogoFileSize];
    if (!logo) return Err(kErrOutOfMemory);
    Err failed = MakeLogoOf(fs, source, logo, band);
    if (failed) {
        delete[] logo;
        return failed;
    }
    Text folder = LogosFolder(m);
    Text present;
    failed = fs.findFile(folder, FileQuery::Directory, &present);
    if (!failed && present.empty()) failed = fs.makeFolder(folder);
    const Text title = fs.fileTitle(source);
    for (int32_t number = 1; !failed && number <= kMaxCopies; ++number) {
        Text path = folder + "\\" + CopyName(title, number);
        failed = fs.writeNewFile(path, logo, kLogoFileSize);
        if (!failed) {
            *copy = path;
            break;
        }
        if (failed.number() == kErrFileExists) failed = number == kMaxCopies ? failed : Err();
    }
    delete[] logo;
    return failed;
}
