#pragma once
// The memory grid's view: a read-only table over MemoryGridModel with the fixed header
// row and fixed address column, 16-pixel rows, 8-point sans-serif text and range
// selection. Column widths are set by the program, never by the user.

#include <QTableView>

#include <array>
#include <cstdint>

#include "ui/SettingsValues.h"

namespace velmora {

class MemoryGridModel;

class MemoryGridView : public QTableView {
    Q_OBJECT
public:
    explicit MemoryGridView(MemoryGridModel& model, QWidget* parent = nullptr);

    void setColumnWidths(const std::array<std::int32_t, kGridColumns>& widths);
    std::array<std::int32_t, kGridColumns> columnWidths() const;
};

} // namespace velmora
