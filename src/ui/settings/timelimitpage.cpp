#include "ui/settings/timelimitpage.h"

#include "ui/settings/pagekit.h"

#include <QCheckBox>

TimeLimitPage::TimeLimitPage(QWidget *parent)
    : QWidget(parent)
{
    addLabel(this, QStringLiteral("časový limit pro zadání \nsprávného výsledku:"), {10, 12, 150, 32});
    RSECasLimit = addSpinEdit(this, QStringLiteral("RSECasLimit"), 0, {160, 16, 70, 22}, {},
                              QStringLiteral("časový limit pro zadání správného výsledku v sekundách"));
    RSECasLimit->setLimits(TimeLimitLimits);
    addLabel(this, QStringLiteral("s (0=vypnuto)"), {236, 16, 100, 22});

    ChBDeaktiv = new QCheckBox(QStringLiteral("&při deaktivaci pozastavit"), this);
    ChBDeaktiv->setObjectName(QStringLiteral("ChBDeaktiv"));
    ChBDeaktiv->setStatusTip(QStringLiteral("možnost pozastavení odpočítávání při deaktivaci (přepnutí do jiné aplikace)"));
    ChBDeaktiv->setGeometry(10, 62, 300, 20);
}
