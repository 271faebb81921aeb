#pragma once
// Where every byte of the image sits in the memory grid, and what each grid row holds.
// Pure arithmetic over the two device sizes, so it is tested without a display.
// Rows are counted as the grid counts them: row 0 is the fixed header row.

#include <cstdint>
#include <optional>

#include "devicedata/DeviceImage.h"
#include "devicedata/MemoryImage.h"

namespace velmora {

enum class GridSection : std::uint8_t { Program, Eeprom, Ids, Config, DeviceId };

enum class GridRowKind : std::uint8_t { Header, Heading, Bytes };

struct GridRow {
    GridRowKind kind = GridRowKind::Header;
    GridSection section = GridSection::Program;
    std::uint32_t firstIndex = 0;   // index of the row's first byte within its section
    int byteCount = 0;              // 1..8 for a byte row, 0 otherwise
};

struct GridCell {
    int row = 0;
    int column = 0;
};

class GridLayout {
public:
    static constexpr int kBytesPerRow = 8;
    static constexpr int kColumnCount = 10;
    static constexpr int kAddressColumn = 0;
    static constexpr int kFirstByteColumn = 1;
    static constexpr int kCharColumn = 9;

    GridLayout() = default;
    // A device with ID locations and 14 configuration bytes at 300000h.
    GridLayout(std::uint32_t programSize, std::uint32_t eepromSize);
    // The selected device's areas, its configuration where the device keeps it.
    static GridLayout forDevice(const DeviceImage& device);

    std::uint32_t programSize() const { return programSize_; }
    std::uint32_t eepromSize() const { return eepromSize_; }

    int rowCount() const;
    // -1 for a section the device does not have (EEPROM, IDs).
    int headingRow(GridSection section) const;
    GridRow row(int row) const;
    // The cell of one byte; nothing for an index outside the section.
    std::optional<GridCell> cellOf(GridSection section, std::uint32_t index) const;
    // The device address shown in column 0 of a byte row.
    Address rowAddress(GridSection section, std::uint32_t firstIndex) const;
    std::uint32_t sectionSize(GridSection section) const;

private:
    bool hasSection(GridSection section) const;
    int sectionRowCount(GridSection section) const;

    std::uint32_t programSize_ = 0;
    std::uint32_t eepromSize_ = 0;
    std::uint32_t idCount_ = kIdCount;
    std::uint32_t configCount_ = kConfigCount;
    Address configAddress_ = kConfigAddress;
};

} // namespace velmora
