#pragma once
// A stand-in for the Win32 comm API: COM ports with a DCB, modem lines and a break
// state. Every call is logged by name, and the next call of a given name can be made
// to fail with a given error code.

#include "corvant/Win32Comm.h"
#include "tests/support/CallLog.h"

#include <map>
#include <string>
#include <vector>

namespace corvant::test {

struct RecordedPort {
    DCB settings{};
    bool breakOn = false;
    bool dtr = false;
    bool rts = false;
    DWORD modemStatus = 0; // inputs as the test wants them
    bool open = false;
    DWORD openAccess = 0;
    DWORD openShareMode = 0;
};

class RecordedWin32Comm final : public Win32Comm {
public:
    // A port as a driver leaves it: handshaking on, DTR and RTS raised by the driver.
    RecordedPort& addPort(const std::wstring& path);
    void failNext(const std::string& call, DWORD error) { log_.failNext(call, error); }

    const std::vector<std::string>& calls() const { return log_.calls(); }
    void clearCalls() { log_.clear(); }

    HANDLE createFile(const wchar_t* path, DWORD access, DWORD shareMode, DWORD disposition,
                      DWORD flags) override;
    BOOL closeHandle(HANDLE handle) override;
    BOOL getCommState(HANDLE handle, DCB* settings) override;
    BOOL setCommState(HANDLE handle, DCB* settings) override;
    BOOL escapeCommFunction(HANDLE handle, DWORD function) override;
    BOOL getCommModemStatus(HANDLE handle, DWORD* status) override;
    DWORD lastError() override { return lastError_; }

private:
    // Logs the call; true (last error set) when it is to fail.
    bool failing(const std::string& entry);
    // The open port behind handle; nullptr with ERROR_INVALID_HANDLE.
    RecordedPort* portOf(HANDLE handle);
    // Logs the call on handle; its port unless the call is to fail or the handle is bad.
    RecordedPort* callOn(HANDLE handle, const std::string& entry);

    std::map<std::wstring, RecordedPort> ports_;
    std::map<HANDLE, std::wstring> handles_;
    velmora::test::CallLog<DWORD> log_;
    DWORD lastError_ = 0;
    std::intptr_t nextHandle_ = 0x100;
};

} // namespace corvant::test
