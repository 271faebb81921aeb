#include "cli/platform/EndingSignals.h"

#include <atomic>

namespace velmora::cli {

namespace {

// Lock-free, so safe in a handler, and an ordinary atomic for the threads that read it.
std::atomic<int> caught{0};
static_assert(std::atomic<int>::is_always_lock_free);

} // namespace

void recordEndingSignal(int number)
{
    int none = 0;
    caught.compare_exchange_strong(none, number);
}

int caughtEndingSignal()
{
    return caught;
}

} // namespace velmora::cli
