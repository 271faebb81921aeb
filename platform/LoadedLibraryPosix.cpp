#include "platform/LoadedLibrary.h"

#include <dlfcn.h>

#include <cstring>

namespace velmora::platform {

LibraryFunction loadedLibraryFunction(const char* file, const char* name)
{
    void* library = dlopen(file, RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr)
        return nullptr;
    void* symbol = dlsym(library, name);
    dlclose(library);
    // POSIX lets an object pointer from dlsym hold a function; ISO C++ wants the bytes copied.
    LibraryFunction function = nullptr;
    static_assert(sizeof function == sizeof symbol);
    std::memcpy(&function, &symbol, sizeof function);
    return function;
}

} // namespace velmora::platform
