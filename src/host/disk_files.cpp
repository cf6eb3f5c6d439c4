#include "host/disk_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <strings.h>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/user_error.h"

namespace {

std::string Str(const Text& t) { return std::string(t.c_str(), t.size()); }

std::string Folder(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::string Name(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

int NumberOf(int error)
{
    switch (error) {
    case ENOENT: return kErrFileNotFound;
    case EEXIST:
    case ENOTEMPTY: return kErrFileExists;
    case ENOSPC: return kErrDiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return kErrPermissionDenied;
    case EISDIR:
    case ENOTDIR: return kErrPathFileAccess;
    default: return kErrDeviceIO;
    }
}

// The host file of that name in any capitalisation, or the name as given.
std::string OnHost(const std::string& path)
{
    struct stat info;
    if (lstat(path.c_str(), &info) == 0) return path;
    const std::string folder = Folder(path), name = Name(path);
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) return path;
    std::string found = path;
    while (const dirent* e = readdir(dir))
        if (strcasecmp(e->d_name, name.c_str()) == 0) {
            found = folder + "/" + e->d_name;
            break;
        }
    closedir(dir);
    return found;
}

bool Present(const std::string& host)
{
    struct stat info;
    return stat(host.c_str(), &info) == 0;
}
}

DiskFiles::DiskFiles(const std::vector<Drive>& drives, const std::string& hostFolder)
    : drives_(drives), hostFolder_(hostFolder)
{
}

Err DiskFiles::failed(int number, const Text& path, const std::string& why)
{
    lastFailure_ = Err(number, path);
    lastWords_ = why;
    return lastFailure_;
}

std::string DiskFiles::wordsFor(const Err& e) const
{
    const bool same = e.number() == lastFailure_.number() && e.path() == lastFailure_.path();
    return same ? lastWords_ : "";
}

Err DiskFiles::hostFailed(int error, const Text& path) { return failed(NumberOf(error), path, std::strerror(error)); }

// A host call's answer: 0 for done, else errno says why.
Err DiskFiles::done(int result, const Text& path) { return result == 0 ? Err() : hostFailed(errno, path); }

// The image's part of a call, with the path inside it, or the host's, with its own.
template <typename InImage, typename OnHost>
Err DiskFiles::route(const Text& path, InImage&& inImage, OnHost&& onHost)
{
    Place where;
    PLUMWICK_TRY(place(path, &where));
    if (where.volume) return guarded(path, [&] { return inImage(*where.volume, where.path); });
    return onHost(where.path);
}

// An mtools run that fails is an access error, in its own words.
template <typename Step>
Err DiskFiles::guarded(const Text& path, Step&& step)
{
    try {
        return step();
    } catch (const MissingProgram&) {
        throw;
    } catch (const UserError& e) {
        return failed(kErrPathFileAccess, path, e.what());
    }
}

Err DiskFiles::place(const Text& path, Place* where)
{
    const std::string p = Str(path);
    if (p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':') {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(p[0])));
        const Drive* drive = nullptr;
        for (const Drive& d : drives_)
            if (d.letter == letter) drive = &d;
        if (!drive) return failed(kErrPathNotFound, path, std::string("the disk has no drive ") + letter + ":");
        std::string inside;
        for (char c : p.substr(2)) inside += c == '\\' ? '/' : c;
        const size_t first = inside.find_first_not_of('/');
        inside = first == std::string::npos ? "" : inside.substr(first);
        while (!inside.empty() && inside.back() == '/') inside.pop_back();
        *where = {drive->volume, inside};
        return Err();
    }
    std::string host = p;
    if (p.compare(0, hostFolder_.size(), hostFolder_) == 0)
        for (size_t i = hostFolder_.size(); i < host.size(); ++i)
            if (host[i] == '\\') host[i] = '/';
    *where = {nullptr, OnHost(host)};
    return Err();
}

std::optional<FatVolume::Entry> DiskFiles::entry(const Place& where)
{
    if (where.path.empty()) return FatVolume::Entry{"", 0, true};  // the root
    const auto listed = where.volume->list(Folder(where.path));
    const FatVolume::Entry* e = listed ? FindEntry(*listed, Name(where.path)) : nullptr;
    if (!e) return std::nullopt;
    return *e;
}

Err DiskFiles::findFile(const Text& path, FileQuery kind, Text* name)
{
    *name = Text();
    return route(
        path,
        [&](const FatVolume& volume, const std::string& inside) {
            const auto e = entry({&volume, inside});
            const bool concealed = e && (e->attributes & (kAttrHidden | kAttrSystem));
            if (e && !inside.empty() && (kind == FileQuery::AnyFile ? !e->folder : !concealed))
                *name = Text(e->name.data(), e->name.size());
            return Err();
        },
        [&](const std::string& host) {
            struct stat info;
            if (stat(host.c_str(), &info) != 0)
                return errno == ENOENT || errno == ENOTDIR ? Err() : hostFailed(errno, path);
            const std::string stored = Name(host);
            if (kind == FileQuery::Directory || !S_ISDIR(info.st_mode)) *name = Text(stored.data(), stored.size());
            return Err();
        });
}

Err DiskFiles::makeFolder(const Text& path)
{
    return route(
        path, [&](const FatVolume& volume, const std::string& inside) { return volume.makeFolder(inside), Err(); },
        [&](const std::string& host) { return done(mkdir(host.c_str(), 0777), path); });
}

Err DiskFiles::removeFolder(const Text& path)
{
    return route(
        path, [&](const FatVolume& volume, const std::string& inside) { return volume.removeFolder(inside), Err(); },
        [&](const std::string& host) { return done(rmdir(host.c_str()), path); });
}

Err DiskFiles::read(const Text& path, const Place& where, uint32_t maxSize, Bytes* data)
{
    if (where.volume)
        return guarded(path, [&] {
            const auto e = entry(where);
            if (!e || e->folder) return failed(kErrFileNotFound, path);
            *data = where.volume->read(where.path);
            return data->size() > maxSize ? failed(kErrInvalidPicture, path) : Err();
        });
    const int error = ReadHostBytes(where.path, maxSize, data);
    return error == EFBIG ? failed(kErrInvalidPicture, path) : error ? hostFailed(error, path) : Err();
}

Err DiskFiles::write(const Text& path, const Place& where, const Bytes& data, bool replace)
{
    if (where.volume)
        return guarded(path, [&] {
            const auto e = entry(where);
            if (e && !replace) return failed(kErrFileExists, path);
            if (e && (e->folder || (e->attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem))))
                return failed(kErrPathFileAccess, path);
            where.volume->write(where.path, data);
            return Err();
        });
    const int fd = open(where.path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (replace ? O_TRUNC : O_EXCL), 0666);
    if (fd < 0) return hostFailed(errno, path);
    int error = WriteHostBytes(fd, data);
    if (close(fd) != 0 && !error) error = errno;
    if (error) unlink(where.path.c_str());
    return error ? hostFailed(error, path) : Err();
}

Err DiskFiles::copyFile(const Text& from, const Text& to)
{
    Place source, target;
    PLUMWICK_TRY(place(from, &source));
    PLUMWICK_TRY(place(to, &target));
    Bytes data;
    PLUMWICK_TRY(read(from, source, UINT32_MAX, &data));
    return write(to, target, data, true);
}

// A rename within one folder of the image, or on the host; never over a file.
Err DiskFiles::moveFile(const Text& from, const Text& to)
{
    Place source, target;
    PLUMWICK_TRY(place(from, &source));
    PLUMWICK_TRY(place(to, &target));
    if (source.volume != target.volume || (source.volume && Folder(source.path) != Folder(target.path)))
        return failed(kErrPathFileAccess, to, "a file is renamed only in its own folder");
    if (source.volume)
        return guarded(from, [&] {
            if (!entry(source)) return failed(kErrFileNotFound, from);
            if (entry(target)) return failed(kErrFileExists, to);
            source.volume->rename(source.path, Name(target.path));
            return Err();
        });
    return renameat2(AT_FDCWD, source.path.c_str(), AT_FDCWD, target.path.c_str(), RENAME_NOREPLACE) == 0
               ? Err()
               : hostFailed(errno, errno == ENOENT ? from : to);
}

Err DiskFiles::deleteFile(const Text& path)
{
    return route(
        path,
        [&](const FatVolume& volume, const std::string& inside) {
            const auto e = entry({&volume, inside});
            if (!e) return failed(kErrFileNotFound, path);
            if (e->folder || (e->attributes & kAttrReadOnly)) return failed(kErrPathFileAccess, path);
            volume.remove(inside);
            return Err();
        },
        [&](const std::string& host) { return done(unlink(host.c_str()), path); });
}

// A host file has none of FAT's attributes: it is a plain one.
Err DiskFiles::attributes(const Text& path, uint32_t* bits)
{
    *bits = 0;
    return route(
        path,
        [&](const FatVolume& volume, const std::string& inside) {
            const auto e = entry({&volume, inside});
            if (!e) return failed(kErrFileNotFound, path);
            *bits = e->attributes;
            return Err();
        },
        [&](const std::string& host) { return Present(host) ? Err() : hostFailed(errno, path); });
}

Err DiskFiles::setAttributes(const Text& path, uint32_t bits)
{
    return route(
        path,
        [&](const FatVolume& volume, const std::string& inside) { return volume.setAttributes(inside, bits), Err(); },
        [&](const std::string& host) { return Present(host) ? Err() : hostFailed(errno, path); });
}

Err DiskFiles::checkReadable(const Text& path)
{
    return route(
        path,
        [&](const FatVolume& volume, const std::string& inside) {
            const auto e = entry({&volume, inside});
            return e && !e->folder ? Err() : failed(kErrFileNotFound, path);
        },
        [&](const std::string& host) {
            const int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
            return fd < 0 ? hostFailed(errno, path) : done(close(fd), path);
        });
}

Err DiskFiles::readFile(const Text& path, uint32_t maxSize, uint8_t** data, uint32_t* size)
{
    Place where;
    PLUMWICK_TRY(place(path, &where));
    Bytes bytes;
    PLUMWICK_TRY(read(path, where, maxSize, &bytes));
    *data = new uint8_t[bytes.size() + 1];
    std::copy(bytes.begin(), bytes.end(), *data);
    *size = static_cast<uint32_t>(bytes.size());
    return Err();
}

namespace {
// A file of the image, read whole through mtools: only logos are read there.
class ReadFromImage final : public ByteSource {
public:
    explicit ReadFromImage(Bytes bytes)
        : bytes_(std::move(bytes)), in_(bytes_.data(), static_cast<uint32_t>(bytes_.size()))
    {
    }
    uint32_t size() const override { return in_.size(); }
    Err read(uint32_t offset, uint8_t* into, uint32_t count, uint32_t* got) override
    {
        return in_.read(offset, into, count, got);
    }

private:
    Bytes bytes_;
    MemorySource in_;
};

// A host file's read errors name it.
class ReadFromHost final : public ByteSource {
public:
    explicit ReadFromHost(const Text& path) : path_(path) {}
    HostFile file;
    uint32_t size() const override { return file.size(); }
    Err read(uint32_t offset, uint8_t* into, uint32_t count, uint32_t* got) override
    {
        const Err e = file.read(offset, into, count, got);
        return e ? Err(e.number(), path_) : e;
    }

private:
    Text path_;
};
}

Err DiskFiles::openFile(const Text& path, ByteSource** file)
{
    Place where;
    PLUMWICK_TRY(place(path, &where));
    if (where.volume) {
        Bytes bytes;
        PLUMWICK_TRY(read(path, where, UINT32_MAX, &bytes));
        *file = new ReadFromImage(std::move(bytes));
        return Err();
    }
    auto* host = new ReadFromHost(path);
    if (const int error = host->file.open(where.path)) {
        delete host;
        return error == EFBIG ? failed(kErrOverflow, path) : hostFailed(error, path);
    }
    *file = host;
    return Err();
}

Err DiskFiles::writeNewFile(const Text& path, const uint8_t* data, uint32_t size)
{
    Place where;
    PLUMWICK_TRY(place(path, &where));
    return write(path, where, Bytes(data, data + size), false);
}

Text DiskFiles::fileTitle(const Text& path)
{
    std::string name = Str(path);
    name = name.substr(name.find_last_of("\\/:") + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return Text(name.data(), name.size());
}

Text DiskFiles::fullPath(const Text& path) { return path; }

Err DiskFiles::listFiles(const Text& folder, FileNames& names)
{
    // Told once the folder is read: it may change meanwhile.
    std::vector<std::string> found;
    Err e = route(
        folder,
        [&](const FatVolume& volume, const std::string& inside) {
            if (const auto listed = volume.list(inside))
                for (const FatVolume::Entry& e : *listed)
                    if (!e.folder) found.push_back(e.name);
            return Err();
        },
        [&](const std::string& host) {
            DIR* dir = opendir(host.c_str());
            if (!dir) return errno == ENOENT ? Err() : hostFailed(errno, folder);
            while (const dirent* e = readdir(dir)) {
                struct stat info;
                const std::string path = host + "/" + e->d_name;
                if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) found.push_back(e->d_name);
            }
            closedir(dir);
            return Err();
        });
    for (const std::string& name : found) names.found(Text(name.data(), name.size()));
    return e;
}
