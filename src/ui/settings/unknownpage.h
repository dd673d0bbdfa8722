#pragma once

#include <QWidget>

class QCheckBox;

// The page "&neznámá": whether only the result is ever hidden.
class UnknownPage : public QWidget
{
    Q_OBJECT

public:
    explicit UnknownPage(QWidget *parent = nullptr);

    QCheckBox *ChBNeznVysl = nullptr;
};
