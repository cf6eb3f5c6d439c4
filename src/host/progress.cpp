#include "host/progress.h"

#include <cstdio>

namespace {
constexpr auto kQuietFor = std::chrono::seconds(1);
constexpr auto kLookEvery = std::chrono::milliseconds(100);
}

Progress::Progress() : watcher_(&Progress::watch, this) {}

Progress::~Progress()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    wake_.notify_one();
    watcher_.join();
}

void Progress::step(const std::string& what)
{
    std::lock_guard<std::mutex> lock(mutex_);
    step_ = what;
    since_ = std::chrono::steady_clock::now();
    told_ = false;
}

void Progress::watch()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!done_) {
        wake_.wait_for(lock, kLookEvery);
        if (done_) break;  // a step that ended with the command needs no word
        if (!told_ && std::chrono::steady_clock::now() - since_ >= kQuietFor) {
            std::fprintf(stderr, "plumwick: %s...\n", step_.c_str());
            told_ = true;
        }
    }
}
