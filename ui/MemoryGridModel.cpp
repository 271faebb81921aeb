#include "ui/MemoryGridModel.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <cstring>

#include "ui/UiTexts.h"
#include "ui/Windows1252.h"

namespace velmora {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

QString hexText(std::uint32_t value, int digits)
{
    QString text(digits, QChar(u'0'));
    for (int i = digits - 1; i >= 0; --i) {
        text[i] = QChar(static_cast<char16_t>(kHexDigits[value & 0xF]));
        value >>= 4;
    }
    return text;
}

QString headingText(GridSection section)
{
    switch (section) {
    case GridSection::Program: return QString::fromLatin1(ui::kGridProgramHeading);
    case GridSection::Eeprom: return QString::fromLatin1(ui::kGridEepromHeading);
    case GridSection::Ids: return QString::fromLatin1(ui::kGridIdsHeading);
    case GridSection::Config: return QString::fromLatin1(ui::kGridConfigHeading);
    case GridSection::DeviceId: return QString::fromLatin1(ui::kGridDeviceIdHeading);
    }
    return {};
}

} // namespace

MemoryGridModel::MemoryGridModel(QObject* parent)
    : QAbstractTableModel(parent), program_(kProgramMemoryCapacity, kBlank),
      eeprom_(kEepromCapacity, kBlank)
{
}

void MemoryGridModel::setHeaderRow()
{
    header_.clear();
    header_ << QString::fromLatin1(ui::kGridAddressHeader);
    for (int offset = 0; offset < GridLayout::kBytesPerRow; ++offset)
        header_ << QStringLiteral("+") + QChar(static_cast<char16_t>(kHexDigits[offset]));
    header_ << QString::fromLatin1(ui::kGridCharsHeader);
    emit headerDataChanged(Qt::Horizontal, 0, GridLayout::kColumnCount - 1);
}

void MemoryGridModel::refresh(const DeviceImage& device, bool partial)
{
    const MemoryImage& image = device.image;
    if (partial) {
        std::copy(std::begin(image.ids), std::end(image.ids), ids_.begin());
        std::copy(std::begin(image.config), std::end(image.config), config_.begin());
        // From the first heading after the EEPROM to the last row before the device ID's:
        // model rows are grid rows less one.
        const int idsHeading = layout_.headingRow(GridSection::Ids);
        const int first = (idsHeading > 0 ? idsHeading : layout_.headingRow(GridSection::Config)) - 1;
        const int last = layout_.headingRow(GridSection::DeviceId) - 2;
        emit dataChanged(index(first, 0), index(last, GridLayout::kColumnCount - 1));
        return;
    }
    beginResetModel();
    layout_ = GridLayout::forDevice(device);
    std::memcpy(program_.data(), image.programMemory, layout_.programSize());
    std::memcpy(eeprom_.data(), image.eeprom, layout_.eepromSize());
    std::copy(std::begin(image.ids), std::end(image.ids), ids_.begin());
    std::copy(std::begin(image.config), std::end(image.config), config_.begin());
    std::copy(std::begin(image.deviceId), std::end(image.deviceId), deviceId_.begin());
    endResetModel();
}

const std::uint8_t* MemoryGridModel::sectionBytes(GridSection section) const
{
    switch (section) {
    case GridSection::Program: return program_.data();
    case GridSection::Eeprom: return eeprom_.data();
    case GridSection::Ids: return ids_.data();
    case GridSection::Config: return config_.data();
    case GridSection::DeviceId: return deviceId_.data();
    }
    return nullptr;
}

QString MemoryGridModel::byteRowText(const GridRow& row, int column) const
{
    const std::uint8_t* bytes = sectionBytes(row.section) + row.firstIndex;
    if (column == GridLayout::kAddressColumn)
        return hexText(layout_.rowAddress(row.section, row.firstIndex), 6) + QChar(u':');
    if (column == GridLayout::kCharColumn) {
        QString text(row.byteCount, QChar());
        for (int i = 0; i < row.byteCount; ++i)
            text[i] = windows1252Char(bytes[i]);
        return text;
    }
    const int offset = column - GridLayout::kFirstByteColumn;
    if (offset >= row.byteCount)
        return {};
    return hexText(bytes[offset], 2);
}

QString MemoryGridModel::cellText(int gridRow, int column) const
{
    if (column < 0 || column >= GridLayout::kColumnCount)
        return {};
    if (gridRow == 0)
        return column < header_.size() ? header_[column] : QString();
    const GridRow row = layout_.row(gridRow);
    switch (row.kind) {
    case GridRowKind::Header: return {};
    case GridRowKind::Heading:
        return column == GridLayout::kAddressColumn ? headingText(row.section) : QString();
    case GridRowKind::Bytes: return byteRowText(row, column);
    }
    return {};
}

int MemoryGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : layout_.rowCount() - 1;
}

int MemoryGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : GridLayout::kColumnCount;
}

QVariant MemoryGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row() + 1, index.column());
    if (role == Qt::BackgroundRole && index.column() == GridLayout::kAddressColumn)
        return QGuiApplication::palette().button();
    return {};
}

QVariant MemoryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return cellText(0, section);
}

Qt::ItemFlags MemoryGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Column 0 is the fixed column: shown, never selected.
    if (index.column() == GridLayout::kAddressColumn)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace velmora
