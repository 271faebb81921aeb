#include "corvant/Win32Comm.h"

namespace corvant {
namespace {

class RealWin32Comm final : public Win32Comm {
public:
    HANDLE createFile(const wchar_t* path, DWORD access, DWORD shareMode, DWORD disposition,
                      DWORD flags) override
    {
        return CreateFileW(path, access, shareMode, nullptr, disposition, flags, nullptr);
    }
    BOOL closeHandle(HANDLE handle) override { return CloseHandle(handle); }
    BOOL getCommState(HANDLE handle, DCB* settings) override { return GetCommState(handle, settings); }
    BOOL setCommState(HANDLE handle, DCB* settings) override { return SetCommState(handle, settings); }
    BOOL escapeCommFunction(HANDLE handle, DWORD function) override
    {
        return EscapeCommFunction(handle, function);
    }
    BOOL getCommModemStatus(HANDLE handle, DWORD* status) override
    {
        return GetCommModemStatus(handle, status);
    }
    DWORD lastError() override { return GetLastError(); }
};

} // namespace

Win32Comm& realWin32Comm()
{
    // Never destroyed: the library's own static state may still close a port
    // through it while the process exits.
    static auto* const comm = new RealWin32Comm();
    return *comm;
}

} // namespace corvant
