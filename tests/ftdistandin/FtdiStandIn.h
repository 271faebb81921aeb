#pragma once
// What the libftdi1 stand-in counted and saw, for the tests and the benchmark that
// link it in front of libftdi1 (velmora_ftdi_standin).
//
// The stand-in models one FT232R (vendor 0403, product 6001) in synchronous bit-bang
// mode in real time, with a simulated PIC18F on its pins. The environment sets it up,
// read at every ftdi_usb_open_desc:
//   VELMORA_FTDI_STANDIN              the chip, a SIM port string ("SIM:PIC18F4550,
//                                     image=chip.hex,trace=t.txt"); its lvp option is
//                                     left to the wiring (mclr= is MCLR at logic level)
//   VELMORA_FTDI_STANDIN_WIRING       the board, as the FTDI port's keys: vpp= or mclr=,
//                                     pgc=, pgd=, pgdin=, pgm= (default mclr=TXD,pgc=RTS,
//                                     pgd=DTR,pgdin=CTS); PGD through a series resistor
//   VELMORA_FTDI_STANDIN_NO_RESISTOR  set: a board without that resistor, where the
//                                     pgd output and the chip fight over PGD
//   VELMORA_FTDI_STANDIN_DEVICE       absent, busy (held by another driver) or denied
//                                     (no permission): the open fails so
//   VELMORA_FTDI_STANDIN_SERIAL       the adapter's serial number (default VM232R01)
//   VELMORA_FTDI_STANDIN_RATE_FACTOR  bytes per second per baud in bit-bang mode
//                                     (default 5, neither of the documented 1 and 4)
//   VELMORA_FTDI_STANDIN_JITTER       how much slower than the nominal period a byte
//                                     may be (default 0.15), never faster
//   VELMORA_FTDI_STANDIN_REPORT       set: the counts go to stderr at close
// Violations go to stderr at close as "ftdi stand-in: violation ...".

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct velmora_ftdi_standin_counts {
    uint64_t exchanges;      // ftdi_read_data calls that waited for a USB frame
    uint64_t bytes_written;  // accepted by ftdi_write_data
    uint64_t bytes_read;     // returned by ftdi_read_data
    uint64_t stalls;         // times the byte clock stopped for a full chip-to-host FIFO
    uint64_t read_wait_ns;   // time ftdi_read_data spent waiting for frames
    uint64_t write_wait_ns;  // time ftdi_write_data spent waiting for FIFO room
    uint64_t idle_ns;        // time the byte clock had no written byte to apply
};

// The counts since the last reset (or since the program started).
struct velmora_ftdi_standin_counts velmora_ftdi_standin_counted(void);
void velmora_ftdi_standin_reset_counts(void);
// Violations reported at closes so far.
size_t velmora_ftdi_standin_violations(void);
// The eight pins as they are now (outputs at their levels, inputs as read); -1 when
// no adapter is open.
int velmora_ftdi_standin_pins(void);

#ifdef __cplusplus
}
#endif
