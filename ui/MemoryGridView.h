#pragma once
// The memory grid's view: a read-only table over MemoryGridModel with the fixed header
// row and fixed address column, 16-pixel rows, 8-point sans-serif text and range
// selection. Column widths are set by the program, never by the user. Section
// headings run on into the empty cells beside them, so that they always show whole.
// The current cell stays on byte cells: never in the address column or on a heading.

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

    bool isByteCell(const QModelIndex& index) const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    static bool movesUpwards(CursorAction action);
    static bool movesVertically(CursorAction action);
    void spanHeadings();
    bool isByteRow(int modelRow) const;
    // The byte cell for a move that landed on target: its column kept within the byte
    // columns, a heading row left in the direction of the move (or back).
    QModelIndex byteCellFor(const QModelIndex& target, CursorAction action) const;

    const MemoryGridModel& model_;
};

} // namespace velmora
