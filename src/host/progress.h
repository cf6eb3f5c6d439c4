#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// Says on stderr what the command is doing, but only for a step that has
// run longer than a second: quick runs print nothing of it.
class Progress {
public:
    Progress();
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Names the step that starts now ("reading win98.img").
    void step(const std::string& what);

private:
    void watch();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::string step_;
    std::chrono::steady_clock::time_point since_;
    bool told_ = true;
    bool done_ = false;
    std::thread watcher_;
};
