#pragma once
// The board behind both libgpiod stand-ins (1.6 and 2.x): GPIO chips as the
// kernel shows them, with a simulated PIC18F wired to the first one.
//
// Device files: /dev/gpiochip0 ("pinctrl-rp1", 54 lines, the board),
// /dev/gpiochip1 ("velmora-aux", 8 unconnected lines) and /dev/gpiochip4, a
// link to gpiochip0 as a Raspberry Pi 5 has it. They exist only for this
// process: the stand-in answers scandir("/dev"), realpath and stat for them
// (and for their sysfs nodes), so that the real lookup finds them.
//
// Wiring on gpiochip0: Vpp or MCLR on 17, PGC on 27, PGD on 22 (read back there
// when it is open-drain) and the chip's data also on 23 for a separate data-in
// line. PGM on 24: when the program holds line 24, MCLR rises only to VDD and the
// simulated chip judges the low-voltage entry itself (its LVP bit, P15, P18). With
// lvp in VELMORA_GPIOD_STANDIN line 17 is MCLR at logic level without a PGM line,
// and the chip judges the key-sequence entry.
//
// The simulated chip comes from VELMORA_GPIOD_STANDIN, a SIM port string such as
// "SIM:PIC18F452,image=chip.hex"; its memory is loaded when gpiochip0 is first
// opened and saved when it is last closed. Every protocol or timing violation is
// printed to stderr as "gpiod stand-in: violation ..." then.
// VELMORA_GPIOD_STANDIN_DELAY_US makes every line set and get take that long, as
// on a slow port.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace standin {

enum class Mode { Input, PushPull, OpenDrain };

struct Line {
    bool used = false;
    Mode mode = Mode::Input;
    int value = 0;
};


// The chip at a device path (links resolved); nullopt for any other path.
std::optional<unsigned> chipAt(const char* path);
// Opens chip `index`: its lines live as long as the process, the board while
// gpiochip0 is open. False when the board cannot be set up.
bool openChip(unsigned index);
// Both libraries' gpiod_chip_open: the chip at `path`, opened; nullopt with errno
// set (ENOENT for a path that is no chip, EIO when the board cannot be set up).
std::optional<unsigned> openChipAt(const char* path);
void closeChip(unsigned index);
std::vector<Line>& linesOf(unsigned index);
const char* pathOf(unsigned index);
const char* labelOf(unsigned index);

// After outputs of chip `index` changed: the simulated chip sees the new levels.
void linesChanged(unsigned index);
// The level a read of `offset` on chip `index` returns.
int readLine(unsigned index, unsigned offset);
// The cost of a line call, as on a slow port.
void slowDown();

inline constexpr const char* kConsumer = "velmora";

} // namespace standin
