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
// "GPIO:<chip>,vpp=<line>,pgc=<line>,pgd=<line>[,options]" or "SIM[:chip[,options]]".
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

#ifdef __cplusplus
}
#endif
