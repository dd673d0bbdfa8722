#include "ui/settings/unknownpage.h"

#include <QCheckBox>

UnknownPage::UnknownPage(QWidget *parent)
    : QWidget(parent)
{
    ChBNeznVysl = new QCheckBox(QStringLiteral("pouze výsledek ( 1 + 1 = ? )"), this);
    ChBNeznVysl->setObjectName(QStringLiteral("ChBNeznVysl"));
    ChBNeznVysl->setGeometry(10, 12, 300, 20);
}
