#pragma once
// A long-lived worker thread that sleeps between jobs. The owner creates it, hands it
// work by resuming it, and ends it at exit. Suspension is a wait on a condition
// variable rather than an OS-level suspend, so a resume that arrives before the worker
// has gone to sleep is kept instead of lost.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace velmora {

class WorkerThread {
public:
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    virtual ~WorkerThread();

    // Wakes the worker from its suspension (or lets its next suspension pass at once).
    void resume();
    // Asks the worker to leave its loop the next time it looks; does not wake it.
    void terminate();
    bool terminated() const;

    // True while the worker sleeps in suspend() with no resume pending.
    bool idle() const;
    // Waits until idle() or the timeout; returns idle().
    bool waitIdle(std::chrono::milliseconds timeout) const;

protected:
    WorkerThread() = default;

    // Starts the thread; called by the derived constructor once the object is complete.
    void start();
    // Terminates, wakes a sleeping worker only so that it can leave, and joins. The
    // derived destructor calls it first, while the derived object still exists.
    void stop();

    // The thread body.
    virtual void Execute() = 0;

    // Worker side: sleeps until resumed or stopped.
    void suspend();
    // Worker side: the highest normal priority where the OS allows it, silently
    // unchanged where it refuses.
    static void raisePriority();

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable wake_;
    mutable std::condition_variable idleChanged_;
    bool resumePending_ = false;
    bool sleeping_ = false;
    bool stopping_ = false;
    bool terminated_ = false;
    std::thread thread_;
};

} // namespace velmora
