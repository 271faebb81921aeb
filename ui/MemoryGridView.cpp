#include "ui/MemoryGridView.h"

#include <QFont>
#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>

#include "ui/MemoryGridModel.h"

namespace velmora {

namespace {

constexpr int kRowHeight = 16;
constexpr int kFontPoints = 8;
// A heading covers the address column and the byte columns; the character column
// stays a cell of its own.
constexpr int kHeadingSpan = GridLayout::kCharColumn;
constexpr int kLastByteColumn = GridLayout::kFirstByteColumn + GridLayout::kBytesPerRow - 1;

} // namespace

MemoryGridView::MemoryGridView(MemoryGridModel& model, QWidget* parent) : QTableView(parent), model_(model)
{
    QFont font(QStringLiteral("Sans Serif"), kFontPoints);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    horizontalHeader()->setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);

    setModel(&model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(kMinimumColumnWidth);
    horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    // Tab leaves the grid, as it leaves any other control.
    setTabKeyNavigation(false);
    connect(&model, &QAbstractItemModel::modelReset, this, &MemoryGridView::spanHeadings);
    spanHeadings();
}

void MemoryGridView::spanHeadings()
{
    clearSpans();
    const GridLayout& layout = model_.layout();
    for (GridSection section : {GridSection::Program, GridSection::Eeprom, GridSection::Ids, GridSection::Config,
                                GridSection::DeviceId}) {
        const int gridRow = layout.headingRow(section);
        if (gridRow > 0 && gridRow < layout.rowCount())
            setSpan(gridRow - 1, GridLayout::kAddressColumn, 1, kHeadingSpan);
    }
}

bool MemoryGridView::isByteRow(int modelRow) const
{
    return modelRow >= 0 && modelRow < model_.rowCount()
           && model_.layout().row(modelRow + 1).kind == GridRowKind::Bytes;
}

bool MemoryGridView::isByteCell(const QModelIndex& index) const
{
    return index.isValid() && isByteRow(index.row()) && index.column() >= GridLayout::kFirstByteColumn
           && index.column() <= kLastByteColumn;
}

bool MemoryGridView::movesUpwards(CursorAction action)
{
    return action == MoveUp || action == MovePageUp
           || action == MovePrevious;
}

bool MemoryGridView::movesVertically(CursorAction action)
{
    return action == MoveUp || action == MoveDown
           || action == MovePageUp || action == MovePageDown;
}

QModelIndex MemoryGridView::byteCellFor(const QModelIndex& target, CursorAction action) const
{
    int row = target.row();
    int column = target.column();
    if (!isByteRow(row)) {
        // A move up or down onto a heading lands on its first cell: keep the column.
        if (movesVertically(action) && currentIndex().isValid())
            column = currentIndex().column();
        const int step = movesUpwards(action) ? -1 : 1;
        row = isByteRow(row + step) ? row + step : row - step;
        if (!isByteRow(row))
            return currentIndex();
    }
    column = std::clamp(column, GridLayout::kFirstByteColumn, kLastByteColumn);
    return model_.index(row, column);
}

QModelIndex MemoryGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex target = QTableView::moveCursor(action, modifiers);
    if (!target.isValid() || isByteCell(target))
        return target;
    return byteCellFor(target, action);
}

void MemoryGridView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (pressed.isValid() && !isByteCell(pressed)) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void MemoryGridView::setColumnWidths(const std::array<std::int32_t, kGridColumns>& widths)
{
    for (int column = 0; column < kGridColumns; ++column)
        setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
}

std::array<std::int32_t, kGridColumns> MemoryGridView::columnWidths() const
{
    std::array<std::int32_t, kGridColumns> widths{};
    for (int column = 0; column < kGridColumns; ++column)
        widths[static_cast<std::size_t>(column)] = columnWidth(column);
    return widths;
}

} // namespace velmora
