#pragma once

#include "core/classroom/weakspots.h"

#include <QWidget>

class QTreeWidget;
class WeakSpotsGrid;

// The page "Slabá místa třídy": the grid for multiplication and division beside the list of
// the additions and subtractions most pupils got wrong.
class WeakSpotsPage : public QWidget
{
    Q_OBJECT

public:
    explicit WeakSpotsPage(QWidget *parent = nullptr);

    void setSpots(const WeakSpots &spots);

    WeakSpotsGrid *grid = nullptr;
    QTreeWidget *additive = nullptr;
};
