#include "ui/GridLayout.h"

#include <algorithm>
#include <array>

#include "devicedata/ConfigLocation.h"

namespace velmora {

namespace {

constexpr std::array kSectionOrder{GridSection::Program, GridSection::Eeprom, GridSection::Ids,
                                   GridSection::Config, GridSection::DeviceId};

int rowsFor(std::uint32_t bytes)
{
    return static_cast<int>((bytes + GridLayout::kBytesPerRow - 1) / GridLayout::kBytesPerRow);
}

} // namespace

GridLayout::GridLayout(std::uint32_t programSize, std::uint32_t eepromSize)
    : programSize_(programSize), eepromSize_(eepromSize)
{
}

GridLayout GridLayout::forDevice(const DeviceImage& device)
{
    const MemoryImage& image = device.image;
    GridLayout layout(std::min(image.programMemorySize, kProgramMemoryCapacity),
                      std::min(image.eepromSize, kEepromCapacity));
    layout.idCount_ = hasIdLocations(device.device) ? kIdCount : 0;
    layout.configCount_ = static_cast<std::uint32_t>(configByteCount(device.device));
    layout.configAddress_ = configByteAddress(device.device, image, 0);
    return layout;
}

std::uint32_t GridLayout::sectionSize(GridSection section) const
{
    switch (section) {
    case GridSection::Program: return programSize_;
    case GridSection::Eeprom: return eepromSize_;
    case GridSection::Ids: return idCount_;
    case GridSection::Config: return configCount_;
    case GridSection::DeviceId: return kDeviceIdCount;
    }
    return 0;
}

Address GridLayout::rowAddress(GridSection section, std::uint32_t firstIndex) const
{
    switch (section) {
    case GridSection::Program:
    case GridSection::Eeprom: return firstIndex;
    case GridSection::Ids: return kIdAddress + firstIndex;
    case GridSection::Config: return configAddress_ + firstIndex;
    case GridSection::DeviceId: return kDeviceIdAddress + firstIndex;
    }
    return 0;
}

// Program memory, configuration and device ID always have their rows; EEPROM and IDs
// only where the device has them.
bool GridLayout::hasSection(GridSection section) const
{
    return section == GridSection::Program || sectionSize(section) != 0;
}

int GridLayout::sectionRowCount(GridSection section) const
{
    return rowsFor(sectionSize(section));
}

int GridLayout::rowCount() const
{
    int rows = 1; // the header row
    for (GridSection section : kSectionOrder) {
        if (hasSection(section))
            rows += 1 + sectionRowCount(section);
    }
    return rows;
}

int GridLayout::headingRow(GridSection wanted) const
{
    int row = 1;
    for (GridSection section : kSectionOrder) {
        if (!hasSection(section)) {
            if (wanted == section)
                return -1;
            continue;
        }
        if (section == wanted)
            return row;
        row += 1 + sectionRowCount(section);
    }
    return -1;
}

GridRow GridLayout::row(int row) const
{
    if (row <= 0 || row >= rowCount())
        return {};
    for (GridSection section : kSectionOrder) {
        const int heading = headingRow(section);
        if (heading < 0)
            continue;
        const int rows = sectionRowCount(section);
        if (row == heading)
            return {GridRowKind::Heading, section, 0, 0};
        if (row <= heading + rows) {
            const auto first = static_cast<std::uint32_t>(row - heading - 1) * kBytesPerRow;
            const std::uint32_t size = sectionSize(section);
            const auto count = static_cast<int>(std::min<std::uint32_t>(kBytesPerRow, size - first));
            return {GridRowKind::Bytes, section, first, count};
        }
    }
    return {};
}

std::optional<GridCell> GridLayout::cellOf(GridSection section, std::uint32_t index) const
{
    const int heading = headingRow(section);
    if (heading < 0 || index >= sectionSize(section))
        return std::nullopt;
    return GridCell{heading + 1 + static_cast<int>(index / kBytesPerRow),
                    kFirstByteColumn + static_cast<int>(index % kBytesPerRow)};
}

} // namespace velmora
