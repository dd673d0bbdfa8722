#pragma once

#include "core/classroom/weakspots.h"

#include <QWidget>

class QTreeWidget;

// The multiplication table 1–10 × 1–10, each cell shaded by how many pupils got that exercise
// (or the division it undoes) wrong, darker for more, with the count written in it.
class WeakSpotsGrid : public QWidget
{
    Q_OBJECT

public:
    explicit WeakSpotsGrid(QWidget *parent = nullptr);

    void setSpots(const WeakSpots &spots);
    const WeakSpots &spots() const { return m_spots; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    int cellSize() const;
    QRect cellRect(int row, int column) const;

    WeakSpots m_spots;
};

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

// "1 žák", "3 žáci", "5 žáků": a number of pupils in Czech grammatical number.
QString PupilCountText(qint32 pupils);
