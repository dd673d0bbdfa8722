#include "ui/classroom/weakspotsview.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int Cells = WeakSpots::TableSize + 1; // the header row and column included

} // namespace

QString PupilCountText(qint32 pupils)
{
    if (pupils == 1)
        return QStringLiteral("1 žák");
    if (pupils >= 2 && pupils <= 4)
        return QStringLiteral("%1 žáci").arg(pupils);
    return QStringLiteral("%1 žáků").arg(pupils);
}

WeakSpotsGrid::WeakSpotsGrid(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void WeakSpotsGrid::setSpots(const WeakSpots &spots)
{
    m_spots = spots;
    update();
}

QSize WeakSpotsGrid::sizeHint() const
{
    const int side = Cells * fontMetrics().height() * 2 + 1;
    return {side, side};
}

QSize WeakSpotsGrid::minimumSizeHint() const
{
    const int side = Cells * (fontMetrics().height() + 4) + 1;
    return {side, side};
}

int WeakSpotsGrid::cellSize() const
{
    return std::max(1, (std::min(width(), height()) - 1) / Cells);
}

QRect WeakSpotsGrid::cellRect(int row, int column) const
{
    const int size = cellSize();
    return {column * size, row * size, size, size};
}

void WeakSpotsGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qint32 largest = m_spots.largestTableCount();
    QFont bold = font();
    bold.setBold(true);
    for (int row = 0; row < Cells; ++row) {
        for (int column = 0; column < Cells; ++column) {
            const QRect cell = cellRect(row, column);
            if (row == 0 || column == 0) {
                painter.fillRect(cell, palette().window());
                painter.setFont(bold);
                const QString text = row == 0 && column == 0 ? QStringLiteral("×") : QString::number(row + column);
                painter.setPen(palette().windowText().color());
                painter.drawText(cell, Qt::AlignCenter, text);
                continue;
            }
            const qint32 count = m_spots.tableCount(row, column);
            // white for none, then from a light to a deep red as more of the class gets it wrong
            const double share = largest > 0 ? double(count) / largest : 0.0;
            const QColor fill = count == 0 ? QColor(Qt::white)
                                           : QColor::fromHsvF(0.0, 0.15 + 0.75 * share, 1.0 - 0.25 * share);
            painter.fillRect(cell, fill);
            painter.setPen(QColor(0xC0, 0xC0, 0xC0));
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            if (count > 0) {
                painter.setFont(font());
                painter.setPen(share > 0.6 ? Qt::white : Qt::black);
                painter.drawText(cell, Qt::AlignCenter, QString::number(count));
            }
        }
    }
}

bool WeakSpotsGrid::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const int size = cellSize();
    const int row = help->pos().y() / size;
    const int column = help->pos().x() / size;
    if (row >= 1 && row < Cells && column >= 1 && column < Cells) {
        QToolTip::showText(help->globalPos(),
                           QStringLiteral("%1 × %2 = %3, %3 : %2 = %1: %4")
                               .arg(row)
                               .arg(column)
                               .arg(row * column)
                               .arg(PupilCountText(m_spots.tableCount(row, column))),
                           this);
    } else {
        QToolTip::hideText();
    }
    return true;
}

WeakSpotsPage::WeakSpotsPage(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    auto *table = new QGroupBox(QStringLiteral("Násobení a dělení: kolik žáků má příklad mezi chybami"), this);
    auto *tableLayout = new QVBoxLayout(table);
    grid = new WeakSpotsGrid(table);
    tableLayout->addWidget(grid);
    layout->addWidget(table, 3);

    auto *list = new QGroupBox(QStringLiteral("Sčítání a odčítání: nejčastější chyby"), this);
    auto *listLayout = new QVBoxLayout(list);
    additive = new QTreeWidget(list);
    additive->setHeaderLabels({QStringLiteral("příklad"), QStringLiteral("kolik žáků")});
    additive->setRootIsDecorated(false);
    additive->header()->setStretchLastSection(false);
    additive->setFocusPolicy(Qt::NoFocus);
    listLayout->addWidget(additive);
    layout->addWidget(list, 2);
}

void WeakSpotsPage::setSpots(const WeakSpots &spots)
{
    grid->setSpots(spots);
    additive->clear();
    for (const WeakExercise &weak : spots.mostCommonAdditive()) {
        auto *item = new QTreeWidgetItem(additive, {ExerciseText(weak.exercise), PupilCountText(weak.pupils)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (additive->topLevelItemCount() == 0)
        new QTreeWidgetItem(additive, {QStringLiteral("Žádné chyby.")});
    additive->resizeColumnToContents(0);
    additive->resizeColumnToContents(1);
}
