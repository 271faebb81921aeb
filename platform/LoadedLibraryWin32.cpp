#include "platform/LoadedLibrary.h"

#include <windows.h>

namespace velmora::platform {

LibraryFunction loadedLibraryFunction(const char* file, const char* name)
{
    const HMODULE library = GetModuleHandleA(file);
    if (library == nullptr)
        return nullptr;
    return reinterpret_cast<LibraryFunction>(GetProcAddress(library, name));
}

} // namespace velmora::platform
