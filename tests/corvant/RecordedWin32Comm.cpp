#include "RecordedWin32Comm.h"

namespace corvant::test {
namespace {

std::string escapeName(DWORD function)
{
    switch (function) {
    case SETBREAK: return "SETBREAK";
    case CLRBREAK: return "CLRBREAK";
    case SETDTR: return "SETDTR";
    case CLRDTR: return "CLRDTR";
    case SETRTS: return "SETRTS";
    case CLRRTS: return "CLRRTS";
    default: return "EscapeCommFunction " + std::to_string(function);
    }
}

std::string narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

} // namespace

RecordedPort& RecordedWin32Comm::addPort(const std::wstring& path)
{
    RecordedPort& port = ports_[path];
    port.settings.DCBlength = sizeof(DCB);
    port.settings.BaudRate = CBR_9600;
    port.settings.ByteSize = 8;
    port.settings.fBinary = TRUE;
    port.settings.fOutxCtsFlow = TRUE;
    port.settings.fOutxDsrFlow = TRUE;
    port.settings.fDsrSensitivity = TRUE;
    port.settings.fDtrControl = DTR_CONTROL_HANDSHAKE;
    port.settings.fRtsControl = RTS_CONTROL_HANDSHAKE;
    port.settings.fOutX = TRUE;
    port.settings.fInX = TRUE;
    port.dtr = true;
    port.rts = true;
    return port;
}

bool RecordedWin32Comm::failing(const std::string& entry)
{
    const auto error = log_.record(entry);
    if (error)
        lastError_ = *error;
    return error.has_value();
}

RecordedPort* RecordedWin32Comm::portOf(HANDLE handle)
{
    const auto found = handles_.find(handle);
    if (found == handles_.end()) {
        lastError_ = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    return &ports_.at(found->second);
}

RecordedPort* RecordedWin32Comm::callOn(HANDLE handle, const std::string& entry)
{
    return failing(entry) ? nullptr : portOf(handle);
}

HANDLE RecordedWin32Comm::createFile(const wchar_t* path, DWORD access, DWORD shareMode, DWORD disposition,
                                     DWORD flags)
{
    if (failing("CreateFileW " + narrow(path)))
        return INVALID_HANDLE_VALUE;
    const auto found = ports_.find(path);
    if (found == ports_.end() || disposition != OPEN_EXISTING || flags != 0) {
        lastError_ = ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    if (found->second.open) {
        lastError_ = ERROR_ACCESS_DENIED; // what Windows answers for a COM port in use
        return INVALID_HANDLE_VALUE;
    }
    found->second.open = true;
    found->second.openAccess = access;
    found->second.openShareMode = shareMode;
    const auto handle = reinterpret_cast<HANDLE>(nextHandle_++);
    handles_[handle] = path;
    return handle;
}

BOOL RecordedWin32Comm::closeHandle(HANDLE handle)
{
    const bool fails = failing("CloseHandle");
    RecordedPort* port = portOf(handle);
    if (port == nullptr)
        return FALSE;
    // A failed CloseHandle still gives the handle up, as Windows does.
    port->open = false;
    handles_.erase(handle);
    return fails ? FALSE : TRUE;
}

BOOL RecordedWin32Comm::getCommState(HANDLE handle, DCB* settings)
{
    RecordedPort* port = callOn(handle, "GetCommState");
    if (port == nullptr)
        return FALSE;
    *settings = port->settings;
    return TRUE;
}

BOOL RecordedWin32Comm::setCommState(HANDLE handle, DCB* settings)
{
    RecordedPort* port = callOn(handle, "SetCommState");
    if (port == nullptr)
        return FALSE;
    port->settings = *settings;
    // The driver applies the control modes at once.
    if (settings->fDtrControl == DTR_CONTROL_DISABLE)
        port->dtr = false;
    if (settings->fRtsControl == RTS_CONTROL_DISABLE)
        port->rts = false;
    return TRUE;
}

BOOL RecordedWin32Comm::escapeCommFunction(HANDLE handle, DWORD function)
{
    RecordedPort* port = callOn(handle, escapeName(function));
    if (port == nullptr)
        return FALSE;
    switch (function) {
    case SETBREAK: port->breakOn = true; break;
    case CLRBREAK: port->breakOn = false; break;
    case SETDTR: port->dtr = true; break;
    case CLRDTR: port->dtr = false; break;
    case SETRTS: port->rts = true; break;
    case CLRRTS: port->rts = false; break;
    default: lastError_ = ERROR_INVALID_PARAMETER; return FALSE;
    }
    return TRUE;
}

BOOL RecordedWin32Comm::getCommModemStatus(HANDLE handle, DWORD* status)
{
    RecordedPort* port = callOn(handle, "GetCommModemStatus");
    if (port == nullptr)
        return FALSE;
    *status = port->modemStatus;
    return TRUE;
}

} // namespace corvant::test
