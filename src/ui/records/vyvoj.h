#pragma once

#include "core/records/progressdays.h"

#include <QDate>
#include <QDialog>

#include <array>

class ProgressChart;
class QComboBox;
class QLabel;
class QStackedWidget;

// The window "Vývoj hodnocení": the period to show ("posledních 8 týdnů", "školní rok", "vše"),
// and the chart of it, or a line saying that the period has no evaluation and when the last one
// was. Under a chart drawn from the end of a huge historie.csv a note says so. Everything grows
// with the zoom (1.0 at 100 %).
class TFVyvoj : public QDialog
{
    Q_OBJECT

public:
    TFVyvoj(ProgressHistory history, QDate today, const std::array<qint32, 4> &gradeThresholds, qreal zoom,
            QWidget *parent = nullptr);

private:
    void CBObdobiChange();

    ProgressHistory m_history;
    QDate m_today;
    QComboBox *CBObdobi = nullptr;
    QStackedWidget *m_pages = nullptr;
    ProgressChart *m_chart = nullptr;
    QLabel *LPrazdno = nullptr;
};
