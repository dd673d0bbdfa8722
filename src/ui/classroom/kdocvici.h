#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

// The window "Kdo cvičí?": the pupils of the class, one of whom starts practising. Made for the
// keyboard: typing the start of a name selects it, Enter starts, Esc ends the program.
class TFKdoCvici : public QDialog
{
    Q_OBJECT

public:
    // The result of exec() when the teacher asked for the class overview.
    static constexpr int OverviewResult = 2;

    // names in the order shown; preselected is selected at the start when it is one of them
    // (the account's login name), the first name otherwise.
    TFKdoCvici(const QStringList &names, const QString &preselected, QWidget *parent = nullptr);

    // The pupil chosen; empty when none is.
    QString chosenName() const;

    QListWidget *LBZaci = nullptr;
    QPushButton *BBCvicit = nullptr;
    QPushButton *BBPrehled = nullptr;
    QPushButton *BBKonec = nullptr;

private:
    void startIfChosen();

    QLabel *m_empty = nullptr;
};
