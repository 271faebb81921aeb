#pragma once
// The Win32 calls the serial port needs, behind an interface so that tests can
// stand in for the system and record every request. Each call keeps the Win32
// contract: a failed call returns FALSE (or INVALID_HANDLE_VALUE) and lastError()
// then says why.

#include <windows.h>

namespace corvant {

class Win32Comm {
public:
    virtual ~Win32Comm() = default;
    virtual HANDLE createFile(const wchar_t* path, DWORD access, DWORD shareMode, DWORD disposition,
                              DWORD flags) = 0;
    virtual BOOL closeHandle(HANDLE handle) = 0;
    virtual BOOL getCommState(HANDLE handle, DCB* settings) = 0;
    virtual BOOL setCommState(HANDLE handle, DCB* settings) = 0;
    virtual BOOL escapeCommFunction(HANDLE handle, DWORD function) = 0;
    virtual BOOL getCommModemStatus(HANDLE handle, DWORD* status) = 0;
    virtual DWORD lastError() = 0;
};

// The system itself; lives until the process ends.
Win32Comm& realWin32Comm();

} // namespace corvant
