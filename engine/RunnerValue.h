#pragma once
// A piece of the runner's state: any thread reads it, only the runner writes it.

#include <atomic>

namespace velmora {

class TPICPr;

template <typename T>
class RunnerValue {
public:
    explicit RunnerValue(T initial) : value_(initial) {}
    RunnerValue(const RunnerValue&) = delete;
    RunnerValue& operator=(const RunnerValue&) = delete;

    operator T() const { return value_.load(); }
    T load() const { return value_.load(); }

private:
    friend class TPICPr;
    RunnerValue& operator=(T value)
    {
        value_.store(value);
        return *this;
    }

    std::atomic<T> value_;
};

} // namespace velmora
