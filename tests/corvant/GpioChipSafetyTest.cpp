// A GPIO chip name never opens anything but a GPIO character device, on this
// build's real chip layer: a serial port raises DTR and RTS (the JDM's PGD and
// PGC) the moment it is opened, so even a failed lookup must not open one. A
// pseudo-terminal stands in for the serial port, and inotify tells whether
// anything opened it.

#include "PseudoTerminal.h"

#include "corvant/GpioBackend.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace corvant::test {
namespace {

namespace fs = std::filesystem;

// Counts the opens of the files it watches.
class OpenWatch {
public:
    OpenWatch() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
    ~OpenWatch()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool watch(const std::string& path) { return fd_ >= 0 && inotify_add_watch(fd_, path.c_str(), IN_OPEN) >= 0; }

    // Whether anything was opened since the last call.
    bool opened()
    {
        bool seen = false;
        alignas(inotify_event) std::array<char, 4096> events{};
        while (true) {
            const ssize_t got = ::read(fd_, events.data(), events.size());
            if (got <= 0)
                return seen;
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(events.data() + at);
                seen = seen || (event->mask & IN_OPEN) != 0;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

private:
    int fd_;
};

GpioWiring wiringOn(const std::string& chip)
{
    GpioWiring wiring;
    wiring.chip = chip;
    wiring.vpp.offset = 17;
    wiring.pgc.offset = 27;
    wiring.pgd.offset = 22;
    return wiring;
}

TEST(GpioChipNames, NeverOpenASerialPortOrAnyOtherDevice)
{
    if (!platformGpioChips().unavailable().empty())
        GTEST_SKIP() << "built without libgpiod: no chip is ever opened";
    PseudoTerminal terminal;
    ASSERT_THAT(terminal.slave(), ::testing::StartsWith("/dev/pts/"));
    const velmora::test::TempFolder folder;
    const fs::path& dir = folder.path();
    const fs::path link = dir / "gpiochip0";
    fs::create_symlink(terminal.slave(), link);
    const fs::path fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    OpenWatch watch;
    ASSERT_TRUE(watch.watch(terminal.slave()));
    ASSERT_TRUE(watch.watch(fifo.string()));
    ASSERT_FALSE(watch.opened());
    // "pts/N" is how GPIO:ttyS0 reaches /dev/ttyS0: a name under /dev.
    const std::string name = terminal.slave().substr(std::string("/dev/").size());
    for (const std::string& chip : {name, terminal.slave(), link.string(), fifo.string(), std::string("../dev/") + name}) {
        std::string failure;
        EXPECT_FALSE(GpioBackend::open(platformGpioChips(), wiringOn(chip), failure)) << chip;
        EXPECT_FALSE(watch.opened()) << chip << " was opened";
        EXPECT_THAT(failure, ::testing::HasSubstr("cannot open GPIO chip " + chip)) << chip;
    }
}

} // namespace
} // namespace corvant::test
