#pragma once
// Functions looked up by name in a library the process has already loaded, for the
// optional exports of the pin-interface library: a library from before them still
// loads, and its callers then do without.

namespace velmora::platform {

// A function that the loaded library `file` exports by `name`, to be cast to its own
// type; nullptr when that library is not loaded or has no such export.
using LibraryFunction = void (*)();
LibraryFunction loadedLibraryFunction(const char* file, const char* name);

// The file name the loader knows the pin-interface library by, as this build made it.
const char* pinInterfaceLibraryFile();

} // namespace velmora::platform
