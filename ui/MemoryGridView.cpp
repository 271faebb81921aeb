#include "ui/MemoryGridView.h"

#include <QFont>
#include <QHeaderView>

#include "ui/MemoryGridModel.h"

namespace velmora {

namespace {

constexpr int kRowHeight = 16;
constexpr int kFontPoints = 8;

} // namespace

MemoryGridView::MemoryGridView(MemoryGridModel& model, QWidget* parent) : QTableView(parent)
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
