#pragma once
// The Load command's reader: an Intel HEX file (INHX32) into the memory image.

#include <string>

#include "devicedata/DeviceImage.h"
#include "devicedata/UserMessages.h"
#include "hexfile/ByteSource.h"
#include "hexfile/HexImageLoader.h"

namespace velmora {

// Clears the image (nothing present), then stores every data byte the file supplies and
// marks it present. Any error is shown in an error box and leaves the image blank with
// every byte present; a missing end-of-file record only warns and keeps the data.
// Returns what the load found, for a front end that weighs more than the messages.
HexLoadResult LoadHexFile(DeviceImage& image, const std::string& fileName, UserMessages& messages);

// The same for HEX text from any source.
HexLoadResult LoadHex(DeviceImage& image, ByteSource& source, UserMessages& messages);

} // namespace velmora
