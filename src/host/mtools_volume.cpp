#include "host/mtools_volume.h"

#include <unistd.h>

#include <strings.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "host/child_process.h"
#include "host/user_error.h"

namespace {
const char kInstallMtools[] = "plumwick reaches inside disk images with it: apt-get install mtools";
// No user's or system's mtools settings, no check of the file system's
// geometry against a drive's (an image has none), messages in English.
const std::vector<std::string> kMtoolsEnvironment = {"MTOOLSRC=/dev/null", "MTOOLS_SKIP_CHECK=1", "LC_ALL=C"};
const char kNotFound[] = "not found";

std::string Inside(const std::string& path) { return "::/" + path; }

std::string FirstLine(const std::string& text)
{
    const std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? "no message" : line;
}
}

MtoolsVolume::MtoolsVolume(const std::string& image, uint64_t offset, const std::string& where)
    : drive_(image + "@@" + std::to_string(offset)), image_(image), where_(where)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/plumwick-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw UserError(pattern + ": cannot make a temporary folder (" + std::strerror(errno) + ")");
    scratch_ = pattern;
}

MtoolsVolume::~MtoolsVolume()
{
    unlink((scratch_ + "/file").c_str());
    rmdir(scratch_.c_str());
}

Bytes MtoolsVolume::run(const std::string& tool, std::vector<std::string> args, const std::string& doing) const
{
    args.insert(args.begin(), {tool, "-i", drive_});
    const ChildResult r = RunChild(args, kMtoolsEnvironment, kInstallMtools);
    if (r.exitCode != 0)
        throw UserError(image_ + ": " + doing + " in " + where_ + " failed (" + tool + ": " + FirstLine(r.errors) +
                        ")");
    return r.output;
}

std::optional<std::vector<MtoolsVolume::Entry>> MtoolsVolume::list(const std::string& folder) const
{
    const std::string pattern = Inside(folder.empty() ? "*" : folder + "/*");
    std::vector<std::string> args = {"mattrib", "-i", drive_, pattern};
    const ChildResult r = RunChild(args, kMtoolsEnvironment, kInstallMtools);
    if (r.exitCode != 0) {
        if (r.errors.find(kNotFound) != std::string::npos) return std::nullopt;
        throw UserError(image_ + ": reading the folder " + pattern + " in " + where_ +
                        " failed (mattrib: " + FirstLine(r.errors) + "); is it a FAT file system?");
    }
    // Lines like "  A  SHR     ::/WINDOWS/LOGOW.SYS": the attribute letters, then the path.
    std::vector<Entry> entries;
    const std::string text(r.output.begin(), r.output.end());
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        const size_t path = line.find("::/");
        if (path == std::string::npos) continue;
        const std::string flags = line.substr(0, path);
        const std::string name = line.substr(line.find_last_of('/') + 1);
        if (name == "." || name == "..") continue;
        entries.push_back({name, flags.find('R') != std::string::npos, flags.find('H') != std::string::npos,
                           flags.find('S') != std::string::npos});
    }
    return entries;
}

Bytes MtoolsVolume::read(const std::string& path) const { return run("mtype", {Inside(path)}, "reading " + path); }

void MtoolsVolume::write(const std::string& path, const Bytes& data) const
{
    const std::string staged = scratch_ + "/file";
    WriteHostFile(staged, data);
    run("mcopy", {"-o", staged, Inside(path)}, "writing " + path);
    unlink(staged.c_str());
}

void MtoolsVolume::renameOver(const std::string& path, const std::string& newName) const
{
    run("mren", {"-D", "o", Inside(path), newName}, "renaming " + path + " to " + newName);
}

void MtoolsVolume::clearAttributes(const std::string& path) const
{
    run("mattrib", {"-r", "-s", "-h", Inside(path)}, "clearing the attributes of " + path);
}

void MtoolsVolume::remove(const std::string& path) const { run("mdel", {Inside(path)}, "deleting " + path); }

const MtoolsVolume::Entry* FindEntry(const std::vector<MtoolsVolume::Entry>& entries, const std::string& name)
{
    for (const MtoolsVolume::Entry& e : entries)
        if (strcasecmp(e.name.c_str(), name.c_str()) == 0) return &e;
    return nullptr;
}
