#include "engine/WorkerThread.h"

#include "engine/ThreadPriority.h"

namespace velmora {

WorkerThread::~WorkerThread()
{
    // Normally the derived destructor has stopped the thread already; this only keeps a
    // forgotten stop() from ending the process through std::terminate.
    stop();
}

void WorkerThread::start()
{
    thread_ = std::thread([this] { Execute(); });
}

void WorkerThread::stop()
{
    {
        std::lock_guard lock(mutex_);
        terminated_ = true;
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void WorkerThread::resume()
{
    {
        std::lock_guard lock(mutex_);
        resumePending_ = true;
    }
    wake_.notify_all();
    idleChanged_.notify_all();
}

void WorkerThread::terminate()
{
    std::lock_guard lock(mutex_);
    terminated_ = true;
}

bool WorkerThread::terminated() const
{
    std::lock_guard lock(mutex_);
    return terminated_;
}

bool WorkerThread::idle() const
{
    std::lock_guard lock(mutex_);
    return sleeping_ && !resumePending_;
}

bool WorkerThread::waitIdle(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return idleChanged_.wait_for(lock, timeout, [this] { return sleeping_ && !resumePending_; });
}

void WorkerThread::suspend()
{
    std::unique_lock lock(mutex_);
    sleeping_ = true;
    idleChanged_.notify_all();
    wake_.wait(lock, [this] { return resumePending_ || stopping_; });
    resumePending_ = false;
    sleeping_ = false;
}

void WorkerThread::raisePriority()
{
    raiseCurrentThreadPriority();
}

} // namespace velmora
