#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ui/MemoryGridModel.h"

namespace velmora {
namespace {

std::unique_ptr<MemoryImage> blankImage(std::uint32_t programSize, std::uint32_t eepromSize)
{
    auto image = std::make_unique<MemoryImage>();
    std::memset(image.get(), 0xFF, sizeof(MemoryImage));
    image->programMemorySize = programSize;
    image->eepromSize = eepromSize;
    return image;
}

TEST(MemoryGridModelTest, FullRefreshShowsEverySection)
{
    auto image = blankImage(16384, 256);
    image->programMemory[0] = 0x41;
    image->programMemory[9] = 0x00;
    image->eeprom[255] = 0x5A;
    image->ids[7] = 0x12;
    image->config[13] = 0x40;
    image->deviceId[0] = 0x20;
    image->deviceId[1] = 0x04;

    MemoryGridModel model;
    model.setHeaderRow();
    model.refresh(*image, false);

    EXPECT_EQ(model.rowCount(), 2089);
    EXPECT_EQ(model.cellText(0, 0), QStringLiteral("Address:\\"));
    EXPECT_EQ(model.cellText(0, 1), QStringLiteral("+0"));
    EXPECT_EQ(model.cellText(0, 8), QStringLiteral("+7"));
    EXPECT_EQ(model.cellText(0, 9), QStringLiteral("Chars:"));
    EXPECT_EQ(model.cellText(1, 0), QStringLiteral("Program:"));
    EXPECT_EQ(model.cellText(1, 1), QString());
    EXPECT_EQ(model.cellText(2, 0), QStringLiteral("000000:"));
    EXPECT_EQ(model.cellText(2, 1), QStringLiteral("41"));
    EXPECT_EQ(model.cellText(3, 0), QStringLiteral("000008:"));
    EXPECT_EQ(model.cellText(3, 2), QStringLiteral("00"));
    EXPECT_EQ(model.cellText(2049, 0), QStringLiteral("003FF8:"));
    EXPECT_EQ(model.cellText(2050, 0), QStringLiteral("EEPROM data:"));
    EXPECT_EQ(model.cellText(2082, 0), QStringLiteral("0000F8:"));
    EXPECT_EQ(model.cellText(2082, 8), QStringLiteral("5A"));
    EXPECT_EQ(model.cellText(2083, 0), QStringLiteral("IDs:"));
    EXPECT_EQ(model.cellText(2084, 0), QStringLiteral("200000:"));
    EXPECT_EQ(model.cellText(2084, 8), QStringLiteral("12"));
    EXPECT_EQ(model.cellText(2085, 0), QStringLiteral("Config:"));
    EXPECT_EQ(model.cellText(2086, 0), QStringLiteral("300000:"));
    EXPECT_EQ(model.cellText(2087, 0), QStringLiteral("300008:"));
    EXPECT_EQ(model.cellText(2087, 6), QStringLiteral("40"));
    EXPECT_EQ(model.cellText(2087, 7), QString());
    EXPECT_EQ(model.cellText(2088, 0), QStringLiteral("Device IDs:"));
    EXPECT_EQ(model.cellText(2089, 0), QStringLiteral("3FFFFE:"));
    EXPECT_EQ(model.cellText(2089, 1), QStringLiteral("20"));
    EXPECT_EQ(model.cellText(2089, 2), QStringLiteral("04"));
    EXPECT_EQ(model.cellText(2089, 3), QString());
    EXPECT_EQ(model.cellText(2089, 9).size(), 2);
    // Model rows are grid rows shifted by the header row.
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("Program:"));
}

TEST(MemoryGridModelTest, CharacterColumnUsesWindows1252WithoutSubstitution)
{
    auto image = blankImage(13, 0);
    const std::uint8_t bytes[] = {0x00, 0x41, 0x80, 0x81, 0x93, 0x0A, 0xE9, 0xFF, 0x20, 0x7F, 0x9F, 0x8D, 0x31};
    std::memcpy(image->programMemory, bytes, sizeof bytes);
    MemoryGridModel model;
    model.refresh(*image, false);

    const QString first = model.cellText(2, 9);
    ASSERT_EQ(first.size(), 8);
    EXPECT_EQ(first[0].unicode(), 0x0000);
    EXPECT_EQ(first[1].unicode(), u'A');
    EXPECT_EQ(first[2].unicode(), 0x20AC);
    EXPECT_EQ(first[3].unicode(), 0x0081);
    EXPECT_EQ(first[4].unicode(), 0x201C);
    EXPECT_EQ(first[5].unicode(), 0x000A);
    EXPECT_EQ(first[6].unicode(), 0x00E9);
    EXPECT_EQ(first[7].unicode(), 0x00FF);
    // The short last row: five bytes, five characters, then the next heading.
    const QString last = model.cellText(3, 9);
    ASSERT_EQ(last.size(), 5);
    EXPECT_EQ(last[2].unicode(), 0x0178);
    EXPECT_EQ(last[3].unicode(), 0x008D);
    EXPECT_EQ(model.cellText(3, 5), QStringLiteral("31"));
    EXPECT_EQ(model.cellText(3, 6), QString());
    EXPECT_EQ(model.cellText(4, 0), QStringLiteral("IDs:"));
}

TEST(MemoryGridModelTest, PartialRefreshRewritesOnlyIdAndConfigRows)
{
    auto image = blankImage(64, 16);
    MemoryGridModel model;
    model.refresh(*image, false);

    image->programMemory[0] = 0x11;
    image->eeprom[0] = 0x22;
    image->ids[0] = 0x33;
    image->config[0] = 0x44;
    image->deviceId[0] = 0x55;
    image->programMemorySize = 128; // ignored: the row count stays
    model.refresh(*image, true);

    const GridLayout& layout = model.layout();
    EXPECT_EQ(layout.rowCount(), 8 + 2 + 10);
    EXPECT_EQ(model.cellText(2, 1), QStringLiteral("FF"));
    EXPECT_EQ(model.cellText(layout.headingRow(GridSection::Eeprom) + 1, 1), QStringLiteral("FF"));
    EXPECT_EQ(model.cellText(layout.headingRow(GridSection::Ids) + 1, 1), QStringLiteral("33"));
    EXPECT_EQ(model.cellText(layout.headingRow(GridSection::Config) + 1, 1), QStringLiteral("44"));
    EXPECT_EQ(model.cellText(layout.headingRow(GridSection::DeviceId) + 1, 1), QStringLiteral("FF"));
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
    small->programMemory[0] = 0xAB;
    model.refresh(*small, false);
    EXPECT_EQ(model.layout().rowCount(), 10);
    EXPECT_EQ(model.cellText(2, 1), QStringLiteral("AB"));
}

} // namespace
} // namespace velmora
