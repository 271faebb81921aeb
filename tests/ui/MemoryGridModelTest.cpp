#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include <QSignalSpy>

#include "ui/MemoryGridModel.h"

namespace velmora {
namespace {

// The fields the grid reads, through a DeviceImage so that the device's family counts.
std::unique_ptr<DeviceImage> blankImage(std::uint32_t programSize, std::uint32_t eepromSize,
                                        ProgrammingFamily family = ProgrammingFamily::Classic)
{
    auto device = std::make_unique<DeviceImage>();
    std::memset(&device->image, 0xFF, sizeof(MemoryImage));
    device->image.programMemorySize = programSize;
    device->image.eepromSize = eepromSize;
    device->device.family = family;
    return device;
}

TEST(MemoryGridModelTest, FullRefreshShowsEverySection)
{
    auto image = blankImage(16384, 256);
    image->image.programMemory[0] = 0x41;
    image->image.programMemory[9] = 0x00;
    image->image.programMemory[16383] = 0x7E;
    image->image.eeprom[0] = 0x3C;
    image->image.eeprom[255] = 0x5A;
    image->image.ids[7] = 0x12;
    image->image.config[13] = 0x40;
    image->image.deviceId[0] = 0x20;
    image->image.deviceId[1] = 0x04;

    MemoryGridModel model;
    model.setHeaderRow();
    model.refresh(*image, false);

    EXPECT_EQ(model.rowCount(), 2089);
    struct Cell {
        int row, column;
        const char* text;
    };
    const Cell expected[] = {
        {0, 0, "Address:\\"}, {0, 1, "+0"}, {0, 8, "+7"}, {0, 9, "Chars:"}, {1, 0, "Program:"},
        {1, 1, ""}, {2, 0, "000000:"}, {2, 1, "41"}, {3, 0, "000008:"}, {3, 2, "00"},
        {2049, 0, "003FF8:"}, {2049, 8, "7E"}, {2050, 0, "EEPROM data:"}, {2051, 0, "000000:"},
        {2051, 1, "3C"}, {2082, 0, "0000F8:"}, {2082, 8, "5A"}, {2083, 0, "IDs:"},
        {2084, 0, "200000:"}, {2084, 8, "12"}, {2085, 0, "Config:"}, {2086, 0, "300000:"},
        {2087, 0, "300008:"}, {2087, 6, "40"}, {2087, 7, ""}, {2088, 0, "Device IDs:"},
        {2089, 0, "3FFFFE:"}, {2089, 1, "20"}, {2089, 2, "04"}, {2089, 3, ""}
    };
    for (const Cell& cell : expected) {
        SCOPED_TRACE(testing::Message() << "row " << cell.row << ", column " << cell.column);
        EXPECT_EQ(model.cellText(cell.row, cell.column), QString::fromLatin1(cell.text));
    }
    EXPECT_EQ(model.cellText(2089, 9).size(), 2);
    // Model rows are grid rows shifted by the header row.
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("Program:"));
}

TEST(MemoryGridModelTest, CharacterColumnUsesWindows1252WithoutSubstitution)
{
    auto image = blankImage(13, 0);
    const std::uint8_t bytes[] = {0x00, 0x41, 0x80, 0x81, 0x93, 0x0A, 0xE9, 0xFF, 0x20, 0x7F, 0x9F, 0x8D, 0x31};
    std::memcpy(image->image.programMemory, bytes, sizeof bytes);
    MemoryGridModel model;
    model.refresh(*image, false);

    // One character per byte; 81 and 8D, undefined in the code page, keep their own code.
    EXPECT_EQ(model.cellText(2, 9).toStdU16String(),
              (std::u16string{0x0000, u'A', 0x20AC, 0x0081, 0x201C, 0x000A, 0x00E9, 0x00FF}));
    // The short last row: five bytes, five characters, then the next heading.
    EXPECT_EQ(model.cellText(3, 9).toStdU16String(), (std::u16string{0x0020, 0x007F, 0x0178, 0x008D, u'1'}));
    EXPECT_EQ(model.cellText(3, 5), QStringLiteral("31"));
    EXPECT_EQ(model.cellText(3, 6), QString());
    EXPECT_EQ(model.cellText(4, 0), QStringLiteral("IDs:"));
}

TEST(MemoryGridModelTest, PartialRefreshRewritesOnlyIdAndConfigRows)
{
    auto image = blankImage(64, 16);
    MemoryGridModel model;
    model.refresh(*image, false);

    image->image.programMemory[0] = 0x11;
    image->image.eeprom[0] = 0x22;
    image->image.ids[0] = 0x33;
    image->image.config[0] = 0x44;
    image->image.deviceId[0] = 0x55;
    image->image.programMemorySize = 128; // ignored: the row count stays
    model.refresh(*image, true);

    const GridLayout& layout = model.layout();
    EXPECT_EQ(layout.rowCount(), 8 + 2 + 10);
    EXPECT_EQ(model.cellText(2, 1), QStringLiteral("FF"));
    EXPECT_EQ(model.cellText(layout.headingRow(GridSection::Eeprom) + 1, 1), QStringLiteral("FF"));
    EXPECT_EQ(model.cellText(layout.headingRow(GridSection::Ids) + 1, 1), QStringLiteral("33"));
    EXPECT_EQ(model.cellText(layout.headingRow(GridSection::Config) + 1, 1), QStringLiteral("44"));
    EXPECT_EQ(model.cellText(layout.headingRow(GridSection::DeviceId) + 1, 1), QStringLiteral("FF"));
}

// A J part: its 8 configuration bytes under their flash addresses, no ID rows.
TEST(MemoryGridModelTest, AJPartShowsItsConfigurationAtTheTopOfFlashAndNoIds)
{
    auto image = blankImage(0xFFF8, 0, ProgrammingFamily::J2X4X);
    image->image.config[7] = 0xF1;
    MemoryGridModel model;
    model.refresh(*image, false);
    EXPECT_EQ(model.layout().rowCount(), 8191 + 6);
    EXPECT_EQ(model.layout().headingRow(GridSection::Ids), -1);
    EXPECT_EQ(model.cellText(8192, 0), QStringLiteral("00FFF0:"));
    EXPECT_EQ(model.cellText(8193, 0), QStringLiteral("Config:"));
    EXPECT_EQ(model.cellText(8194, 0), QStringLiteral("00FFF8:"));
    EXPECT_EQ(model.cellText(8194, 8), QStringLiteral("F1"));
    EXPECT_EQ(model.cellText(8195, 0), QStringLiteral("Device IDs:"));

    // The editor's partial refresh covers exactly the configuration rows.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    image->image.config[0] = 0xA6;
    model.refresh(*image, true);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>().row(), 8193 - 1);
    EXPECT_EQ(changed[0][1].value<QModelIndex>().row(), 8194 - 1);
    EXPECT_EQ(model.cellText(8194, 1), QStringLiteral("A6"));
}

TEST(MemoryGridModelTest, OnlyByteCellsCanBeSelectedAndNoneEdited)
{
    auto image = blankImage(16, 0);
    MemoryGridModel model;
    model.refresh(*image, false);
    EXPECT_FALSE(model.flags(model.index(1, 0)) & Qt::ItemIsSelectable);
    EXPECT_TRUE(model.flags(model.index(1, 1)) & Qt::ItemIsSelectable);
    EXPECT_FALSE(model.flags(model.index(1, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(1, 9)) & Qt::ItemIsEditable);
}

TEST(MemoryGridModelTest, RefreshFollowsDeviceChanges)
{
    auto large = blankImage(kProgramMemoryCapacity, kEepromCapacity);
    MemoryGridModel model;
    model.refresh(*large, false);
    EXPECT_EQ(model.layout().rowCount(), 139274);
    EXPECT_EQ(model.cellText(139273, 0), QStringLiteral("3FFFFE:"));
    EXPECT_EQ(model.cellText(131073, 0), QStringLiteral("0FFFF8:"));

    auto small = blankImage(8, 0);
    small->image.programMemory[0] = 0xAB;
    model.refresh(*small, false);
    EXPECT_EQ(model.layout().rowCount(), 10);
    EXPECT_EQ(model.cellText(2, 1), QStringLiteral("AB"));
}

} // namespace
} // namespace velmora
