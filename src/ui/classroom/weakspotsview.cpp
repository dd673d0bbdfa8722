#include "ui/classroom/weakspotsview.h"

#include "ui/classroom/weakspotsgrid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

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
