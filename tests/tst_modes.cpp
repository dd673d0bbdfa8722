#include "mainwindowfixture.h"

class TestModes : public QObject
{
    Q_OBJECT
};

NUMIK_GUI_TEST_MAIN(TestModes)
#include "tst_modes.moc"
