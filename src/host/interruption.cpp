#include "host/interruption.h"

#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
volatile sig_atomic_t gCaught = 0;

void Catch(int signal) { gCaught = signal; }

const int kCaught[] = {SIGINT, SIGTERM};
}

// Without SA_RESTART a wait for mtools is woken, looks, and waits on.
void CatchInterruptions()
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = Catch;
    sigemptyset(&action.sa_mask);
    for (int signal : kCaught) sigaction(signal, &action, nullptr);
}

void StopIfInterrupted(const std::vector<std::string>& leftAsTheyWere)
{
    const int signal = gCaught;
    if (!signal) return;
    std::string left;
    for (const std::string& logo : leftAsTheyWere) left += (left.empty() ? "" : ", ") + logo;
    std::fprintf(stderr, "plumwick: stopped by SIG%s before the next change%s%s\n", sigabbrev_np(signal),
                 left.empty() ? "" : "; left as they were: ", left.c_str());
    throw Interrupted{signal};
}

void EndBy(int signal)
{
    std::fflush(nullptr);
    ::signal(signal, SIG_DFL);
    raise(signal);
    std::_Exit(128 + signal);
}
