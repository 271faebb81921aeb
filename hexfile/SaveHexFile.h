#pragma once
// The Save command's writer: the whole image of the selected device as an INHX32 file.

#include <string>

#include "devicedata/DeviceImage.h"
#include "devicedata/UserMessages.h"
#include "hexfile/ByteSink.h"

namespace velmora {

// Every byte of every area the device has, blank or not, in the fixed order: program
// memory, EEPROM (when the device has any), IDs, configuration, end of file; a device
// with its configuration in flash gets its 8 configuration bytes right after its code
// and no ID or 300000h record. Records hold 16 bytes. False when the sink failed.
bool WriteHexImage(const DeviceImage& image, ByteSink& sink);

// Writes the image to fileName. The file is replaced only when the new one is complete:
// on any failure the previous file stays as it was and an error box says what failed.
void SaveHexFile(const DeviceImage& image, const std::string& fileName, UserMessages& messages);

// Whether SaveHexFile could replace or create fileName now (its folder exists and is
// writable, the file is not write-protected), for a check before a long read.
bool CanSaveHexFile(const std::string& fileName);

} // namespace velmora
