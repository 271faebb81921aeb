#pragma once
// What a stand-in of a system layer records: the calls it was asked for, in order, as
// "name arguments", and failures to give once, by call name, with the system's error.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora::test {

template <class Error>
class CallLog {
public:
    // The next call of that name fails with error.
    void failNext(const std::string& call, Error error) { failures_[call] = error; }
    const std::vector<std::string>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

    // Logs the entry; the error when its call is to fail now.
    std::optional<Error> record(const std::string& entry)
    {
        calls_.push_back(entry);
        const auto failure = failures_.find(entry.substr(0, entry.find(' ')));
        if (failure == failures_.end())
            return std::nullopt;
        const Error error = failure->second;
        failures_.erase(failure);
        return error;
    }

private:
    std::map<std::string, Error> failures_;
    std::vector<std::string> calls_;
};

} // namespace velmora::test
