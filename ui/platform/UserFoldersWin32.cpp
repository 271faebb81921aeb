#include "ui/platform/UserFolders.h"

#include <windows.h>

#include <string>

namespace velmora::platform {

bool isWritableFolder(const std::filesystem::path& folder)
{
    // Access rights on Windows folders are lists, not bits: trying is the only sure
    // answer. The probe file disappears when its handle closes.
    const std::filesystem::path probe = folder / L".velmora-write-probe";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

std::filesystem::path userConfigFolder()
{
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::filesystem::path(std::wstring(buffer, length));
}

} // namespace velmora::platform
