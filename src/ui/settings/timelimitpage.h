#pragma once

#include <QWidget>

class QCheckBox;
class TRxSpinEdit;

// The page "č&as. omezení": the seconds for entering the right result (0 = off) and whether the
// countdown pauses while the program is not the active application.
class TimeLimitPage : public QWidget
{
    Q_OBJECT

public:
    explicit TimeLimitPage(QWidget *parent = nullptr);

    TRxSpinEdit *RSECasLimit = nullptr;
    QCheckBox *ChBDeaktiv = nullptr;
};
