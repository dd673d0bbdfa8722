#include "ui/classroom/kdocvici.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFKdoCvici::TFKdoCvici(const QStringList &names, const QString &preselected, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Kdo cvičí?"));
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Kdo cvičí?"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);

    LBZaci = new QListWidget(this);
    LBZaci->addItems(names);
    QFont listFont = LBZaci->font();
    listFont.setPointSizeF(listFont.pointSizeF() * 1.3);
    LBZaci->setFont(listFont);
    LBZaci->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(LBZaci, 1);
    m_empty = new QLabel(QStringLiteral("Ve třídě zatím nejsou žádní žáci. Přidá je učitel v přehledu třídy."), this);
    m_empty->setWordWrap(true);
    m_empty->setVisible(names.isEmpty());
    layout->addWidget(m_empty);

    auto *buttons = new QHBoxLayout;
    BBCvicit = new QPushButton(QStringLiteral("&Cvičit"), this);
    BBPrehled = new QPushButton(QStringLiteral("&Přehled třídy…"), this);
    BBKonec = new QPushButton(QStringLiteral("&Konec"), this);
    BBCvicit->setDefault(true);
    BBCvicit->setEnabled(!names.isEmpty());
    buttons->addWidget(BBCvicit);
    buttons->addStretch(1);
    buttons->addWidget(BBPrehled);
    buttons->addWidget(BBKonec);
    layout->addLayout(buttons);

    // the list keeps the focus, so that what is typed goes to it; Enter falls through to "Cvičit"
    BBPrehled->setAutoDefault(false);
    BBKonec->setAutoDefault(false);
    connect(BBCvicit, &QPushButton::clicked, this, &TFKdoCvici::startIfChosen);
    connect(LBZaci, &QListWidget::itemDoubleClicked, this, &TFKdoCvici::startIfChosen);
    connect(BBPrehled, &QPushButton::clicked, this, [this] { done(OverviewResult); });
    connect(BBKonec, &QPushButton::clicked, this, &QDialog::reject);

    const qsizetype start = std::max<qsizetype>(names.indexOf(preselected), 0);
    if (!names.isEmpty())
        LBZaci->setCurrentRow(int(start));
    LBZaci->setFocus();
    resize(360, 480);
}

QString TFKdoCvici::chosenName() const
{
    const QListWidgetItem *item = LBZaci->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TFKdoCvici::startIfChosen()
{
    if (!chosenName().isEmpty())
        accept();
}
