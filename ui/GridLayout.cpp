#include "ui/GridLayout.h"

#include <algorithm>
#include <array>

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

std::uint32_t GridLayout::sectionSize(GridSection section, std::uint32_t programSize,
                                      std::uint32_t eepromSize)
{
    switch (section) {
    case GridSection::Program: return programSize;
    case GridSection::Eeprom: return eepromSize;
    case GridSection::Ids: return kIdCount;
    case GridSection::Config: return kConfigCount;
    case GridSection::DeviceId: return kDeviceIdCount;
    }
    return 0;
}

Address GridLayout::rowAddress(GridSection section, std::uint32_t firstIndex)
{
    switch (section) {
    case GridSection::Program:
    case GridSection::Eeprom: return firstIndex;
    case GridSection::Ids: return kIdAddress + firstIndex;
    case GridSection::Config: return kConfigAddress + firstIndex;
    case GridSection::DeviceId: return kDeviceIdAddress + firstIndex;
    }
    return 0;
}

int GridLayout::sectionRowCount(GridSection section) const
{
    return rowsFor(sectionSize(section, programSize_, eepromSize_));
}

int GridLayout::rowCount() const
{
    int rows = 1; // the header row
    for (GridSection section : kSectionOrder) {
        if (section == GridSection::Eeprom && eepromSize_ == 0)
            continue;
        rows += 1 + sectionRowCount(section);
    }
    return rows;
}

int GridLayout::headingRow(GridSection wanted) const
{
    int row = 1;
    for (GridSection section : kSectionOrder) {
        if (section == GridSection::Eeprom && eepromSize_ == 0) {
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
            const std::uint32_t size = sectionSize(section, programSize_, eepromSize_);
            const auto count = static_cast<int>(std::min<std::uint32_t>(kBytesPerRow, size - first));
            return {GridRowKind::Bytes, section, first, count};
        }
    }
    return {};
}

std::optional<GridCell> GridLayout::cellOf(GridSection section, std::uint32_t index) const
{
    const int heading = headingRow(section);
    if (heading < 0 || index >= sectionSize(section, programSize_, eepromSize_))
        return std::nullopt;
    return GridCell{heading + 1 + static_cast<int>(index / kBytesPerRow),
                    kFirstByteColumn + static_cast<int>(index % kBytesPerRow)};
}

} // namespace velmora
