#include "host/fat_volume.h"

#include <strings.h>
#include <cctype>

#include "host/child_process.h"
#include "host/user_error.h"
#include "platform/file_system.h"

namespace {
const char kInstallMtools[] = "plumwick reaches inside disk images with it: apt-get install mtools";
// No user's or system's mtools settings, no check of the file system's
// geometry against a drive's (an image has none), messages in English.
const std::vector<std::string> kMtoolsEnvironment = {"MTOOLSRC=/dev/null", "MTOOLS_SKIP_CHECK=1", "LC_ALL=C"};
const char kNotFound[] = "not found";
// The image is the first descriptor passed, data to write the second.
const std::string kImageInChild = "/dev/fd/" + std::to_string(kFirstPassedDescriptor);
const std::string kDataInChild = "/dev/fd/" + std::to_string(kFirstPassedDescriptor + 1);

struct AttributeLetter {
    char letter;
    uint32_t bit;
};
const AttributeLetter kLetters[] = {{'R', kAttrReadOnly}, {'H', kAttrHidden}, {'S', kAttrSystem}, {'A', kAttrArchive}};
const char kFolderLetter = 'D';

std::string Inside(const std::string& path) { return "::/" + path; }

// A name that fits 8.3 in ASCII goes in as DOS and Windows write it: in
// capitals, with no long name beside it. (mtools would keep small letters
// in flags, and carry them over to a file's new name.)
std::string AsDosWrites(const std::string& name)
{
    const size_t dot = name.find('.');
    const size_t base = dot == std::string::npos ? name.size() : dot;
    const size_t extension = dot == std::string::npos ? 0 : name.size() - dot - 1;
    const bool fits = base >= 1 && base <= 8 && extension <= 3 && name.find('.', base + 1) == std::string::npos &&
                      name.find_first_of(" +,;=[]") == std::string::npos;
    std::string dos = name;
    for (char& c : dos)
        if (static_cast<unsigned char>(c) >= 0x80)
            return name;
        else if (fits)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return dos;
}

// The path with its last name as DOS writes it.
std::string NewPath(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? AsDosWrites(path)
                                      : path.substr(0, slash + 1) + AsDosWrites(path.substr(slash + 1));
}

std::string FirstLine(const std::string& text)
{
    const std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? "no message" : line;
}

}

FatVolume::FatVolume(int imageDescriptor, uint64_t offset, const std::string& where)
    : image_(imageDescriptor), drive_(kImageInChild + "@@" + std::to_string(offset)), where_(where)
{
}

Bytes FatVolume::run(const std::string& tool, std::vector<std::string> args, const std::string& doing, int data) const
{
    args.insert(args.begin(), {tool, "-i", drive_});
    std::vector<int> passed = {image_};
    if (data >= 0) passed.push_back(data);
    const ChildResult r = RunChild(args, kMtoolsEnvironment, kInstallMtools, passed);
    if (r.exitCode != 0)
        throw UserError(doing + " in " + where_ + " failed (" + tool + ": " + FirstLine(r.errors) + ")");
    return r.output;
}

std::optional<std::vector<FatVolume::Entry>> FatVolume::list(const std::string& folder) const
{
    const std::string pattern = Inside(folder.empty() ? "*" : folder + "/*");
    std::vector<std::string> args = {"mattrib", "-i", drive_, "-X", pattern};
    const ChildResult r = RunChild(args, kMtoolsEnvironment, kInstallMtools, {image_});
    if (r.exitCode != 0) {
        // An empty folder has nothing to match the pattern either.
        if (r.errors.find(kNotFound) != std::string::npos) {
            if (folder.empty()) return std::vector<Entry>();
            const size_t slash = folder.find_last_of('/');
            const auto parent = list(slash == std::string::npos ? "" : folder.substr(0, slash));
            const Entry* self = parent ? FindEntry(*parent, folder.substr(slash + 1)) : nullptr;
            if (self && self->folder) return std::vector<Entry>();
            return std::nullopt;
        }
        throw UserError("reading the folder " + pattern + " in " + where_ + " failed (mattrib: " + FirstLine(r.errors) +
                        "); is it a FAT file system?");
    }
    return ParseAttributeListing(std::string(r.output.begin(), r.output.end()));
}

Bytes FatVolume::read(const std::string& path) const { return run("mtype", {Inside(path)}, "reading " + path); }

void FatVolume::write(const std::string& path, const Bytes& data) const
{
    const MemoryFile memory(data);
    run("mcopy", {"-o", kDataInChild, Inside(NewPath(path))}, "writing " + path, memory.fd());
}

void FatVolume::rename(const std::string& path, const std::string& newName) const
{
    run("mren", {"-D", "s", Inside(path), AsDosWrites(newName)}, "renaming " + path + " to " + newName);
}

void FatVolume::setAttributes(const std::string& path, uint32_t bits) const
{
    std::vector<std::string> args;
    for (const AttributeLetter& a : kLetters)
        args.push_back(std::string(bits & a.bit ? "+" : "-") + static_cast<char>(std::tolower(a.letter)));
    args.push_back(Inside(path));
    run("mattrib", args, "setting the attributes of " + path);
}

void FatVolume::remove(const std::string& path) const { run("mdel", {Inside(path)}, "deleting " + path); }
void FatVolume::makeFolder(const std::string& path) const
{
    run("mmd", {Inside(NewPath(path))}, "making the folder " + path);
}
void FatVolume::removeFolder(const std::string& path) const
{
    run("mrd", {Inside(path)}, "removing the folder " + path);
}

const FatVolume::Entry* FindEntry(const std::vector<FatVolume::Entry>& entries, const std::string& name)
{
    for (const FatVolume::Entry& e : entries)
        if (strcasecmp(e.name.c_str(), name.c_str()) == 0) return &e;
    return nullptr;
}

std::vector<FatVolume::Entry> ParseAttributeListing(const std::string& text)
{
    std::vector<FatVolume::Entry> entries;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        const size_t path = line.find("::/");
        if (path == std::string::npos) continue;
        const std::string letters = line.substr(0, path);
        const std::string name = line.substr(line.find_last_of('/') + 1);
        if (name.empty() || name == "." || name == "..") continue;
        FatVolume::Entry e{name, 0, letters.find(kFolderLetter) != std::string::npos};
        for (const AttributeLetter& a : kLetters)
            if (letters.find(a.letter) != std::string::npos) e.attributes |= a.bit;
        entries.push_back(e);
    }
    return entries;
}
