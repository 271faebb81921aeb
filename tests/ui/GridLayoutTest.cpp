#include <gtest/gtest.h>

#include "ui/GridLayout.h"

namespace velmora {
namespace {

// The full geometry of a 16K/256 device is checked through MemoryGridModelTest's text.

TEST(GridLayoutTest, NoEepromPutsIdsRightAfterProgram)
{
    const GridLayout layout(16384, 0);
    EXPECT_EQ(layout.rowCount(), 2048 + 9);
    EXPECT_EQ(layout.headingRow(GridSection::Eeprom), -1);
    EXPECT_EQ(layout.headingRow(GridSection::Ids), 2050);
    EXPECT_EQ(layout.row(2050).kind, GridRowKind::Heading);
    EXPECT_EQ(layout.row(2050).section, GridSection::Ids);
    EXPECT_FALSE(layout.cellOf(GridSection::Eeprom, 0).has_value());
}

TEST(GridLayoutTest, ShortLastRowsHoldOnlyTheirBytes)
{
    const GridLayout layout(13, 3);
    EXPECT_EQ(layout.rowCount(), 2 + 1 + 10);
    EXPECT_EQ(layout.row(3).byteCount, 5);
    EXPECT_EQ(layout.row(4).kind, GridRowKind::Heading);
    EXPECT_EQ(layout.row(4).section, GridSection::Eeprom);
    EXPECT_EQ(layout.row(5).byteCount, 3);
    // The second configuration row carries bytes 8 to 13 only.
    const int secondConfigRow = layout.headingRow(GridSection::Config) + 2;
    EXPECT_EQ(layout.row(secondConfigRow).firstIndex, 8u);
    EXPECT_EQ(layout.row(secondConfigRow).byteCount, 6);
}

TEST(GridLayoutTest, CellOfAndRowAgreeForEverySection)
{
    const GridLayout layout(1000, 100);
    for (GridSection section : {GridSection::Program, GridSection::Eeprom, GridSection::Ids,
                                GridSection::Config, GridSection::DeviceId}) {
        const std::uint32_t size = layout.sectionSize(section);
        for (std::uint32_t index = 0; index < size; ++index) {
            const auto cell = layout.cellOf(section, index);
            ASSERT_TRUE(cell.has_value());
            const GridRow row = layout.row(cell->row);
            ASSERT_EQ(row.section, section);
            ASSERT_EQ(row.firstIndex + static_cast<std::uint32_t>(cell->column - 1), index);
            ASSERT_LT(cell->column - 1, row.byteCount);
        }
        EXPECT_FALSE(layout.cellOf(section, size).has_value());
    }
}

TEST(GridLayoutTest, RowsOutsideTheGridAreHeaderRows)
{
    const GridLayout layout(16, 0);
    EXPECT_EQ(layout.row(0).kind, GridRowKind::Header);
    EXPECT_EQ(layout.row(layout.rowCount()).kind, GridRowKind::Header);
    EXPECT_EQ(layout.row(-1).kind, GridRowKind::Header);
}

} // namespace
} // namespace velmora
