// A second thread for the analysis of long records: the worker hands it one channel's share of a
// record and does the other channel's share itself, so the record is ready in about half the
// time on a machine with a second core. When that core is busy elsewhere, handing over must not
// make records later than doing all on the worker: a job the side thread has not started by the
// time the worker is done with its own share is taken back, and when the worker had to wait for
// the side thread longer than its own share took, the next jobs stay on the worker: one after a
// single late round (a moment's hold-up on a shared machine), twice as many after each further
// late round in a row, up to kMostRestRounds (a core that stays busy elsewhere).
// Started on construction, ended and joined on destruction, asleep between jobs. A job is
// neither copied nor allocated; it is called as const and must not throw.
#pragma once

#include <algorithm>
#include <chrono>
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

    // Runs `theirs` on this thread (or on the calling one, see above) and `mine` on the calling
    // one; returns when both are done.
    template <typename Mine, typename Theirs>
    void RunBeside(Mine&& mine, Theirs&& theirs) {
        if (restRounds_ > 0) {
            --restRounds_;
            mine();
            theirs();
            return;
        }
        using Job = std::remove_reference_t<Theirs>;
        Hand([](const void* job) { (*static_cast<const Job*>(job))(); }, &theirs);
        const Clock::time_point start = Clock::now();
        bool takenBack = false;
        {
            // The job refers to the caller's frame: however `mine` ends, it is taken back
            // unstarted or waited for.
            struct Settle {
                SideThread& side;
                Clock::time_point start;
                bool& takenBack;
                ~Settle() { takenBack = side.TakeBackOrWait(Clock::now() - start); }
            } settle{*this, start, takenBack};
            mine();
        }
        if (takenBack) theirs();
    }

    static constexpr int kMostRestRounds = 8;

    // The jobs that stay on the caller after the given number of late rounds in a row.
    static constexpr int RestRoundsAfter(int lateRounds) {
        return lateRounds <= 0 ? 0 : std::min(kMostRestRounds, 1 << std::min(lateRounds - 1, 3));
    }

private:
    void Hand(void (*run)(const void*), const void* job);
    using Clock = std::chrono::steady_clock;

    // True when the handed job had not been started and now never will be; otherwise waits until
    // it is done and returns false. `mineTook` is how long the caller's own share took.
    bool TakeBackOrWait(Clock::duration mineTook);
    void Loop();

    std::mutex mutex_;
    std::condition_variable changed_;
    void (*run_)(const void*) = nullptr;
    const void* job_ = nullptr;  // set while a job is handed and not yet done or taken back
    bool started_ = false;       // the handed job is running here
    bool ending_ = false;
    // The caller's only: the jobs it keeps from now on, and the late rounds in a row before them.
    int restRounds_ = 0;
    int lateRounds_ = 0;
    std::thread thread_;
};

}  // namespace velmora2
