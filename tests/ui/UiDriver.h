#pragma once
// Helpers that drive modal windows from a test: act on the next modal window once it
// is up, scripted file choices, and a recording stand-in for the low-level libraries.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ui/FileChooser.h"
#include "ui/LowLevelAccess.h"

namespace velmora::test {

// Calls act(window) on the first modal window of type Window that comes up (polling
// the event loop), once. The returned timer stops polling when destroyed.
template <typename Window>
std::unique_ptr<QTimer> whenModal(std::function<void(Window*)> act)
{
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(5);
    QTimer* raw = timer.get();
    QObject::connect(raw, &QTimer::timeout, raw, [raw, act] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (window == nullptr || !window->isVisible())
            return;
        raw->stop();
        act(window);
    });
    timer->start();
    return timer;
}

class ScriptedFiles : public FileChooser {
public:
    std::optional<QString> chooseFileToLoad(QWidget*) override { return toLoad; }
    std::optional<QString> chooseFileToSave(QWidget*) override { return std::nullopt; }
    std::optional<QString> toLoad;
};

struct PinWrite {
    std::uint8_t vpp, data, clock;
    bool operator==(const PinWrite&) const = default;
};

// Records pin traffic; reads give a high data line; the counter advances 40 ms a call.
class RecordingLowLevel : public LowLevelAccess, public PinDriver {
public:
    PinDriver& pins() override { return *this; }
    bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override
    {
        writes.push_back({vpp, data, clock});
        return true;
    }
    bool programmerRead(std::uint8_t* level) override
    {
        ++reads;
        *level = 1;
        return true;
    }
    std::int64_t performanceFrequency() override { return kFrequency; }
    bool readPerformanceCounter(std::int64_t& count) override
    {
        count = counter;
        counter += kFrequency / 25;
        return true;
    }
    bool delay(std::uint32_t) override { return true; }

    std::vector<PinWrite> writes;
    int reads = 0;

private:
    static constexpr std::int64_t kFrequency = 1000000000;
    std::int64_t counter = 2500000000;
};

} // namespace velmora::test
