// A second thread for the analysis of long records: the worker hands it one channel's share of a
// record and does the other channel's share itself, so the record is ready in about half the
// time on a machine with a second core. Started on construction, ended and joined on
// destruction, asleep between jobs. A job is neither copied nor allocated; it is called as const
// and must not throw.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <type_traits>

namespace velmora2 {

class SideThread {
public:
    SideThread();
    ~SideThread();
    SideThread(const SideThread&) = delete;
    SideThread& operator=(const SideThread&) = delete;

    // Runs `theirs` on this thread and `mine` on the calling one; returns when both are done.
    template <typename Mine, typename Theirs>
    void RunBeside(Mine&& mine, Theirs&& theirs) {
        using Job = std::remove_reference_t<Theirs>;
        Hand([](const void* job) { (*static_cast<const Job*>(job))(); }, &theirs);
        // The job refers to the caller's frame: it is waited for however `mine` ends.
        struct WaitOnExit {
            SideThread& side;
            ~WaitOnExit() { side.WaitUntilDone(); }
        } waitOnExit{*this};
        mine();
    }

private:
    void Hand(void (*run)(const void*), const void* job);
    void WaitUntilDone();
    void Loop();

    std::mutex mutex_;
    std::condition_variable changed_;
    void (*run_)(const void*) = nullptr;
    const void* job_ = nullptr;  // set while a job is handed and not yet done
    bool ending_ = false;
    std::thread thread_;
};

}  // namespace velmora2
