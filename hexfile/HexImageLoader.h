#pragma once
// Reads INHX32 records into the memory image: the address bases, the address map and
// the device's limits. Reports the first problem instead of showing it.

#include <cstdint>
#include <string>

#include "devicedata/DeviceImage.h"
#include "hexfile/ByteSource.h"
#include "hexfile/HexRecord.h"

namespace velmora {

enum class HexLoadError {
    None,
    CannotOpen,
    ReadFailed,
    Format,
    Checksum,
    AddressBeyondDevice,
    AddressOutsideMap,
    SegmentAddress,
    LinearAddress,
};

struct HexLoadResult {
    HexLoadError error = HexLoadError::None;
    // The line the error was found on (counting every line), when it names one.
    std::uint64_t lineNumber = 0;
    // The address errors: the address of the byte the device cannot take.
    std::uint64_t address = 0;
    bool endOfFileSeen = false;
    // A device with its configuration in flash took bytes the file put at 300000h.
    bool configMovedToFlash = false;
};

// The message box text for a failed load.
std::string HexLoadErrorText(const HexLoadResult& result);

class HexImageLoader {
public:
    // image must already be cleared; its device sizes bound what a file may fill.
    explicit HexImageLoader(DeviceImage& image);

    // Reads lines until the end-of-file record, the end of the data or the first error.
    // Bytes stored before an error stay; the caller blanks the image.
    HexLoadResult load(ByteSource& source);

private:
    HexLoadError apply(const HexRecord& record);
    HexLoadError storeData(const HexRecord& record);
    HexLoadError storeByte(std::uint64_t address, std::uint8_t value);
    HexLoadError refuse(std::uint64_t address, HexLoadError error);

    DeviceImage& image_;
    const Address programSize_;
    const Address eepromSize_;
    const bool configInFlash_;
    // A type-04 record sets a linear base (added to the offset, carrying past 64 KB);
    // a type-02 record sets a segment base (offsets wrap within the 64 KB segment).
    std::uint64_t base_ = 0;
    bool segmentBase_ = false;
    std::uint64_t refusedAddress_ = 0;
    bool configMovedToFlash_ = false;
};

} // namespace velmora
