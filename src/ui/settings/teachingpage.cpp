#include "ui/settings/teachingpage.h"

#include "core/settings/rozsahvalues.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

TeachingPage::TeachingPage(QWidget *parent)
    : QWidget(parent)
{
    ChBStart = new QCheckBox(QStringLiteral("&spustit aplikaci vždy v režimu výuka"), this);
    ChBStart->setObjectName(QStringLiteral("ChBStart"));
    ChBStart->setStatusTip(QStringLiteral("po startu aplikace ne/bude automaticky spuštěn režim výuka"));
    ChBStart->setGeometry(8, 2, 370, 20);
    RGHistDilVysl = addRadioGroup("RGHistDilVysl", QStringLiteral("&zobrazení historie dílčího hodnocení"), 22, m_history);
    RGChybVysl = addRadioGroup("RGChybVysl", QStringLiteral("z&obrazení chybných výsledků"), 100, m_wrongResults);
}

QGroupBox *TeachingPage::addRadioGroup(const char *name, const QString &caption, int top, QButtonGroup *&items)
{
    auto *group = new QGroupBox(caption, this);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(6, top, 376, 76);
    items = new QButtonGroup(group);
    const QString texts[] = {QStringLiteral("nepovolit"), QStringLiteral("povolit, případný časový limit nepozastavit"),
                             QStringLiteral("povolit, případný časový limit pozastavit")};
    for (int i = 0; i < 3; ++i) {
        auto *item = new QRadioButton(texts[i], group);
        item->setObjectName(QString::fromLatin1(name) + QString::number(i));
        item->setGeometry(10, 17 + i * 18, 356, 18);
        items->addButton(item, i);
    }
    items->button(0)->setChecked(true);
    return group;
}

qint32 TeachingPage::historyAccess() const
{
    return qMax(0, m_history->checkedId());
}

qint32 TeachingPage::wrongResultsAccess() const
{
    return qMax(0, m_wrongResults->checkedId());
}

void TeachingPage::setHistoryAccess(qint32 access)
{
    m_history->button(TeachingAccessItem(access))->setChecked(true);
}

void TeachingPage::setWrongResultsAccess(qint32 access)
{
    m_wrongResults->button(TeachingAccessItem(access))->setChecked(true);
}
