#pragma once
// corvant: the pin-interface library. Drives a bit-bang ICSP programmer's three
// outputs (Vpp, data, clock) and samples its data input. Results: 0 failure,
// anything else success.

#include <stdint.h>

#if defined(_WIN32)
#  define CORVANT_CALL __stdcall
#  if defined(CORVANT_BUILDING)
#    define CORVANT_API __declspec(dllexport)
#  else
#    define CORVANT_API __declspec(dllimport)
#  endif
#else
#  define CORVANT_CALL
#  define CORVANT_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// port: "COM1".."COMn", a device path such as "/dev/ttyUSB0",
// "GPIO:<chip>,vpp=<line>,pgc=<line>,pgd=<line>[,options]", "FTDI:<vendor>:<product>[:serial][,options]"
// or "SIM[:chip[,options]]".
// GetDllInfo then names the programmer and the port and how fast the port is.
CORVANT_API uint8_t CORVANT_CALL ComInit(const char* port);
CORVANT_API uint8_t CORVANT_CALL ComClose(void);
CORVANT_API uint8_t CORVANT_CALL ProgrammerWrite(uint8_t vpp, uint8_t data, uint8_t clock);
CORVANT_API uint8_t CORVANT_CALL ProgrammerRead(uint8_t* level);
// Static text owned by the library; copy it at once, never free it.
CORVANT_API const char* CORVANT_CALL GetDllInfo(void);
// Optional, newer than the five above: the open port's cost of one
// ProgrammerWrite and one ProgrammerRead as ComInit measured it, in nanoseconds
// (4294967295 for that or more); 0 when no port is open or a pointer is null.
// Callers look it up by name rather than import it, so that another pin-interface
// library without it still loads; one that does not find it knows no costs
// (velmora-cli then gives no slow-port warning), since GetDllInfo's words are for
// people and say nothing fixed.
CORVANT_API uint8_t CORVANT_CALL GetLineCosts(uint32_t* writeNanoseconds, uint32_t* readNanoseconds);

// Optional, newer still: line changes, waits and reads run as one timed stream,
// for programmers that carry many line changes in one exchange with the hardware
// (an FTDI chip in synchronous bit-bang mode). Each step is one uint32_t:
//   CORVANT_STEP_WRITE | vpp << 2 | data << 1 | clock   as ProgrammerWrite (Vpp still
//                                                       leaves first and comes last)
//   CORVANT_STEP_WAIT | units                           the lines held as they are for
//                                                       at least units x 5 us (units
//                                                       below CORVANT_STEP_WAIT)
//   CORVANT_STEP_READ                                   data-in sampled here
// The k-th read's level (0 or 1) goes to levels[k]; levelCount must cover them all.
// Returns 1 once every step has reached the lines and every level is in; 0 when a
// step, the port or the arguments fail (the lines are then as far as the stream got).
// With stepCount 0 it only answers whether the open port runs streams: 1 when it
// does, 0 when a caller should use ProgrammerWrite, ProgrammerRead and its own
// waits, which every port takes. Callers look it up by name, as GetLineCosts.
#define CORVANT_STEP_WRITE 0x00000000u
#define CORVANT_STEP_WAIT 0x40000000u
#define CORVANT_STEP_READ 0x80000000u
#define CORVANT_STEP_KIND 0xC0000000u
CORVANT_API uint8_t CORVANT_CALL ProgrammerStream(const uint32_t* steps, uint32_t stepCount, uint8_t* levels,
                                                  uint32_t levelCount);

#ifdef __cplusplus
}
#endif
