#include "platform/LoadedLibrary.h"

namespace velmora::platform {

const char* pinInterfaceLibraryFile()
{
    return VELMORA_CORVANT_FILE_NAME;
}

} // namespace velmora::platform
