#include "host/image_users.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {
// The descriptor was opened for writing: its flags, in octal in fdinfo.
bool OpenForWriting(const std::string& fdinfo)
{
    std::ifstream in(fdinfo);
    std::string key;
    while (in >> key)
        if (key == "flags:") {
            std::string octal;
            in >> octal;
            const int mode = static_cast<int>(std::strtol(octal.c_str(), nullptr, 8)) & O_ACCMODE;
            return mode == O_WRONLY || mode == O_RDWR;
        }
    return false;
}

std::string NameOf(const std::string& pid)
{
    std::ifstream in("/proc/" + pid + "/comm");
    std::string name;
    std::getline(in, name);
    return (name.empty() ? "a process" : name) + " (pid " + pid + ")";
}

bool Writes(const std::string& pid, const struct stat& file)
{
    const std::string fds = "/proc/" + pid + "/fd";
    DIR* dir = opendir(fds.c_str());
    if (!dir) return false;
    bool writes = false;
    while (const dirent* e = readdir(dir)) {
        struct stat target;
        if (e->d_name[0] == '.' || stat((fds + "/" + e->d_name).c_str(), &target) != 0) continue;
        if (target.st_dev == file.st_dev && target.st_ino == file.st_ino &&
            OpenForWriting("/proc/" + pid + "/fdinfo/" + e->d_name)) {
            writes = true;
            break;
        }
    }
    closedir(dir);
    return writes;
}
}

std::vector<std::string> ProcessesWritingTo(const std::string& path)
{
    std::vector<std::string> found;
    struct stat file;
    if (stat(path.c_str(), &file) != 0) return found;
    const std::string self = std::to_string(getpid());
    DIR* proc = opendir("/proc");
    if (!proc) return found;
    while (const dirent* e = readdir(proc)) {
        const std::string pid = e->d_name;
        if (pid.find_first_not_of("0123456789") != std::string::npos || pid == self) continue;
        if (Writes(pid, file)) found.push_back(NameOf(pid));
    }
    closedir(proc);
    return found;
}
