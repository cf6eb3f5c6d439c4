#include "host/qemu_view.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "host/user_error.h"

namespace {
const char kDaemon[] = "qemu-storage-daemon";
const char kPrefix[] = "plumwick-view-";
constexpr auto kLookEvery = std::chrono::milliseconds(20);
constexpr auto kLongestStart = std::chrono::seconds(30);
// What QEMU says when another QEMU holds the image: Failed to get "write" lock.
const char kLocked[] = "\" lock";

std::string Temporary()
{
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

// A JSON string, as QEMU reads its options in JSON: no comma or quote in a
// name is taken for anything but itself.
std::string Json(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// QEMU's first line without its name and the option it is about:
// "qemu-storage-daemon: --blockdev {...}: Could not open ...".
std::string FirstLine(const std::string& text)
{
    const size_t start = text.find_first_not_of('\n');
    if (start == std::string::npos) return "no message";
    std::string line = text.substr(start, text.find('\n', start) - start);
    for (const char* before : {": --", "}: "}) {
        const size_t at = line.find(before);
        if (at != std::string::npos) line = line.substr(at + std::strlen(before));
    }
    return line;
}

bool Mounted(const std::string& path, dev_t before)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && info.st_dev != before;
}

std::string Read(int fd)
{
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
    return text;
}

[[noreturn]] void Missing(const std::string& what, const std::string& package)
{
    throw UserError(what + "; plumwick reaches inside images of this kind through QEMU: apt-get install " + package);
}
}

QemuView::QemuView(const std::string& image, const std::string& driver, const std::string& kind)
    : mountpoint_(Temporary() + "/" + kPrefix + std::to_string(getpid()))
{
    ClearEndedViews();
    if (access("/dev/fuse", R_OK | W_OK) != 0)
        throw UserError(
            image + ": a " + kind + " image, which plumwick reaches through QEMU and FUSE, but /dev/fuse " +
            (errno == ENOENT ? "is not there" : "cannot be opened (" + std::string(std::strerror(errno)) + ")") +
            "; give the container or the machine the FUSE device, or convert the image to raw");
    if (geteuid() != 0 && access("/usr/bin/fusermount3", X_OK) != 0) Missing("fusermount3 is not installed", "fuse3");
    const int file = open(mountpoint_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (file < 0)
        throw UserError(mountpoint_ + ": cannot be made (" + std::string(std::strerror(errno)) + "); check TMPDIR");
    close(file);
    struct stat unmounted;
    stat(mountpoint_.c_str(), &unmounted);

    const std::string blockFile = "{\"driver\":\"file\",\"node-name\":\"file\",\"filename\":" + Json(image) + "}";
    const std::string blockDisk = "{\"driver\":" + Json(driver) + ",\"node-name\":\"disk\",\"file\":\"file\"}";
    const std::string exported =
        "{\"type\":\"fuse\",\"id\":\"raw\",\"node-name\":\"disk\",\"writable\":true,"
        "\"mountpoint\":" +
        Json(mountpoint_) + "}";
    int errors[2];
    if (pipe2(errors, O_CLOEXEC) != 0) throw UserError(std::string("cannot start QEMU: ") + std::strerror(errno));
    daemon_ = fork();
    if (daemon_ == 0) {
        // Its own process group, so that Ctrl-C at the terminal leaves it to
        // finish the writes under way; it ends when plumwick does.
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(errors[1], STDERR_FILENO);
        const int nothing = open("/dev/null", O_RDWR);
        dup2(nothing, STDIN_FILENO);
        dup2(nothing, STDOUT_FILENO);
        execlp(kDaemon, kDaemon, "--blockdev", blockFile.c_str(), "--blockdev", blockDisk.c_str(), "--export",
               exported.c_str(), static_cast<char*>(nullptr));
        _exit(errno == ENOENT ? 127 : 126);
    }
    close(errors[1]);
    if (daemon_ < 0) {
        close(errors[0]);
        throw UserError(std::string("cannot start QEMU: ") + std::strerror(errno));
    }
    const auto until = std::chrono::steady_clock::now() + kLongestStart;
    int status = 0;
    while (!Mounted(mountpoint_, unmounted.st_dev)) {
        const pid_t ended = waitpid(daemon_, &status, WNOHANG);
        if (ended == daemon_ || std::chrono::steady_clock::now() > until) {
            if (ended != daemon_) stop();
            daemon_ = -1;
            const std::string said = Read(errors[0]);
            close(errors[0]);
            unlink(mountpoint_.c_str());
            if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
                Missing(std::string(kDaemon) + " is not installed", "qemu-system-common");
            if (said.find(kLocked) != std::string::npos)
                throw UserError(image + ": in use by a running emulator (QEMU cannot take its lock on the image: " +
                                FirstLine(said) +
                                "); shut the machine down, close the emulator and run plumwick again");
            throw UserError(image + ": QEMU cannot open this " + kind + " image (" + FirstLine(said) + ")");
        }
        std::this_thread::sleep_for(kLookEvery);
    }
    close(errors[0]);
}

QemuView::~QemuView()
{
    stop();
    unlink(mountpoint_.c_str());
}

// QEMU ends on SIGTERM as on a quit: the writes are flushed and the export
// unmounted.
void QemuView::stop()
{
    if (daemon_ <= 0) return;
    kill(daemon_, SIGTERM);
    int status;
    while (waitpid(daemon_, &status, 0) < 0 && errno == EINTR) {}
    daemon_ = -1;
}

void ClearEndedViews()
{
    const std::string folder = Temporary();
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name.compare(0, sizeof kPrefix - 1, kPrefix) != 0) continue;
        const pid_t owner = static_cast<pid_t>(std::atol(name.c_str() + sizeof kPrefix - 1));
        if (owner > 0 && kill(owner, 0) != 0 && errno == ESRCH) unlink((folder + "/" + name).c_str());
    }
    closedir(dir);
}
