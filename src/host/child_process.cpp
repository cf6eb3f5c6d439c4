#include "host/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host/user_error.h"

extern char** environ;

namespace {
struct Pipe {
    int read = -1, write = -1;
    Pipe()
    {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0)
            throw UserError(std::string("cannot start a program: ") + std::strerror(errno));
        read = ends[0];
        write = ends[1];
    }
    ~Pipe()
    {
        if (read >= 0) close(read);
        if (write >= 0) close(write);
    }
    void closeWrite()
    {
        close(write);
        write = -1;
    }
};

// Reads both pipes to their ends together, so that neither fills up while
// the other is read.
void Drain(Pipe& out, Pipe& err, Bytes* output, std::string* errors)
{
    pollfd fds[2] = {{out.read, POLLIN, 0}, {err.read, POLLIN, 0}};
    char buffer[65536];
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                fds[i].fd = -1;
                --open;
            } else if (i == 0) {
                output->insert(output->end(), buffer, buffer + n);
            } else {
                errors->append(buffer, static_cast<size_t>(n));
            }
        }
    }
}
}

ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnvironment,
                     const std::string& missingHint, const std::vector<int>& passed)
{
    std::vector<std::string> environment(extraEnvironment);
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const std::string& extra : extraEnvironment) replaced |= extra.compare(0, name.size(), name) == 0;
        if (!replaced) environment.push_back(entry);
    }
    std::vector<char*> args, env;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const std::string& e : environment) env.push_back(const_cast<char*>(e.c_str()));
    env.push_back(nullptr);

    Pipe out, err;
    int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, devNull, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.write, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.write, STDERR_FILENO);
    // Copies above every target number first, so that no descriptor is
    // overwritten before it is passed on.
    std::vector<int> copies;
    for (size_t i = 0; i < passed.size(); ++i) {
        const int high = kFirstPassedDescriptor + static_cast<int>(passed.size());
        copies.push_back(fcntl(passed[i], F_DUPFD_CLOEXEC, high));
        posix_spawn_file_actions_adddup2(&actions, copies.back(), kFirstPassedDescriptor + static_cast<int>(i));
    }
    // A process group of its own: Ctrl-C at the terminal stops plumwick but
    // lets a running mtools finish, so that a step is never cut half way.
    // Until the child leaves plumwick's group a Ctrl-C still reaches it, so
    // it starts with SIGINT and SIGTERM held: one sent then never cuts it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t held;
    sigemptyset(&held);
    sigaddset(&held, SIGINT);
    sigaddset(&held, SIGTERM);
    posix_spawnattr_setsigmask(&attributes, &held);
    pid_t pid;
    const int spawned = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), env.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(devNull);
    for (int copy : copies)
        if (copy >= 0) close(copy);
    if (spawned == ENOENT) throw MissingProgram(argv[0] + " is not installed; " + missingHint);
    if (spawned != 0) throw UserError("cannot start " + argv[0] + ": " + std::strerror(spawned));
    out.closeWrite();
    err.closeWrite();

    ChildResult result{-1, {}, {}};
    Drain(out, err, &result.output, &result.errors);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}
