#pragma once
// The memory grid's model: a snapshot of the image taken at each refresh, from which
// the cell texts are computed when the view asks for them. No cell strings are kept,
// so even the largest device (139,274 rows) refreshes at the cost of one copy.
// Model row r is grid row r + 1: grid row 0 is the view's horizontal header.

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

#include "devicedata/DeviceImage.h"
#include "ui/GridLayout.h"

namespace velmora {

class MemoryGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit MemoryGridModel(QObject* parent = nullptr);

    // Full refresh rebuilds every row from the image; partial refresh rewrites only the
    // ID and configuration rows, keeping the row count and the device ID row as they were.
    void refresh(const DeviceImage& image, bool partial);
    // The fixed header row: "Address:\", "+0" .. "+7", "Chars:".
    void setHeaderRow();

    const GridLayout& layout() const { return layout_; }
    // Text of a cell addressed by grid row (0 is the header row) and column.
    QString cellText(int gridRow, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const std::uint8_t* sectionBytes(GridSection section) const;
    QString byteRowText(const GridRow& row, int column) const;

    GridLayout layout_;
    QStringList header_;
    // Sized once for the largest device so that refreshes never allocate.
    std::vector<std::uint8_t> program_;
    std::vector<std::uint8_t> eeprom_;
    std::array<std::uint8_t, kIdCount> ids_{};
    std::array<std::uint8_t, kConfigCount> config_{};
    std::array<std::uint8_t, kDeviceIdCount> deviceId_{};
};

} // namespace velmora
