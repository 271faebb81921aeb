#pragma once
// Platform layer: thread priority of the calling thread.

namespace velmora {

// Raises the calling thread to the highest priority of the normal (not real-time)
// class. Returns false when the OS refuses; callers carry on at the old priority.
bool raiseCurrentThreadPriority();

} // namespace velmora
