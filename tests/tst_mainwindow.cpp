#include "core/records/recordfiles.h"
#include "core/settings/inifile.h"
#include "mainwindowfixture.h"
#include "ui/widgets/amedit.h"
#include "ui/practice/soundplayer.h"
#include "ui/practice/zaklad.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>

using namespace std::chrono_literals;
using namespace testsupport;

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartHasTheDefaults();
    void answersReachTheWidgets();
    void invalidTextShowsTheWarning();
    void enterInAShownNumberErasesNothing();
    void enterDuringFeedbackGetsNoVerdict();
    void zoomAndPlacementSurviveARestart();
    void oddZoomChecksNoItem();
    void soundSwitch();
    void resetCounts();
    void hintLine();

private:
    std::unique_ptr<TFZaklad> startWindow() { return m_fixture->startWindow(); }
    void writeIni(const QByteArray &text) { m_fixture->writeIni(text); }
    QString path(const char *name) const { return m_fixture->path(name); }
    static void answer(TFZaklad &w, const QString &text) { MainWindowFixture::answer(w, text); }
    template<class T>
    static T *child(TFZaklad &w, const char *name)
    {
        return MainWindowFixture::child<T>(w, name);
    }
    static QString panel(TFZaklad &w, int n) { return MainWindowFixture::panel(w, n); }

    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestMainWindow::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
}

void TestMainWindow::cleanup()
{
    m_fixture.reset();
}

void TestMainWindow::firstStartHasTheDefaults()
{
    auto w = startWindow();
    QVERIFY(child<QCheckBox>(*w, "ChBPlus")->isChecked());
    QVERIFY(!child<QCheckBox>(*w, "ChBMinus")->isChecked());
    QVERIFY(!child<QCheckBox>(*w, "ChBKrat")->isChecked());
    QVERIFY(!child<QCheckBox>(*w, "ChBDeleni")->isChecked());

    // the first exercise is an addition 0..20 + 0..10 with its result hidden, editable and focused
    auto *x = child<TAMEdit>(*w, "ECislo1");
    auto *y = child<TAMEdit>(*w, "ECislo2");
    auto *z = child<TAMEdit>(*w, "EVysledek");
    QCOMPARE(child<TAMEdit>(*w, "EOperace")->text(), QStringLiteral("+"));
    QVERIFY(x->text().toInt() >= 0 && x->text().toInt() <= 20);
    QVERIFY(y->text().toInt() >= 0 && y->text().toInt() <= 10);
    QVERIFY(z->text().isEmpty());
    QVERIFY(x->isReadOnly() && y->isReadOnly() && !z->isReadOnly());
    QCOMPARE(w->focusWidget(), z);

    QCOMPARE(panel(*w, 1), QStringLiteral(" "));
    QCOMPARE(panel(*w, 2), QStringLiteral("0"));
    QCOMPARE(panel(*w, 3), QStringLiteral("0"));
    QVERIFY(w->findChild<QAction *>("MMSound")->isChecked());
    QCOMPARE(w->centralWidget()->size(), QSize(342, 172));

    // centred on the screen; the frame is placed before the platform has drawn it, so its few
    // pixels of border may be off
    const QRect screen = w->screen()->availableGeometry();
    QVERIFY(qAbs(w->frameGeometry().center().x() - screen.center().x()) <= 3);
    QVERIFY(qAbs(w->frameGeometry().center().y() - screen.center().y()) <= 3);

    // closing writes the placement, the zoom, the switches, the sound and the mode
    w->close();
    const QString ini = path("numik.ini");
    QCOMPARE(IniReadInteger(ini, "Okno", "State", 0), 2);
    QCOMPARE(IniReadInteger(ini, "Okno", "Width", 0), w->width());
    QCOMPARE(IniReadInteger(ini, "Okno", "velikost", 0), 100);
    QCOMPARE(IniReadInteger(ini, "Operace", "Plus", 0), 1);
    QCOMPARE(IniReadInteger(ini, "Operace", "Deleni", 9), 0);
    QCOMPARE(IniReadInteger(ini, "Zvuk", "anone", 0), 1);
    QCOMPARE(IniReadInteger(ini, "Rezim", "typ", 0), 1);
}

// What the practice decides reaches the fields and the status bar (tst_practiceflow judges).
void TestMainWindow::answersReachTheWidgets()
{
    writeIni("[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n");
    auto w = startWindow();
    QCOMPARE(child<TAMEdit>(*w, "ECislo1")->text(), QStringLiteral("7"));
    QCOMPARE(child<TAMEdit>(*w, "ECislo2")->text(), QStringLiteral("5"));

    answer(*w, "13");
    QCOMPARE(bytesOf(path("chyba.nmk")).size(), WrongResultRecord::Size);
    QCOMPARE(child<TAMEdit>(*w, "EChyba")->text(), QStringLiteral("1"));
    QCOMPARE(child<TAMEdit>(*w, "EVysledek")->text(), QString());
    QCOMPARE(w->focusWidget(), child<TAMEdit>(*w, "EVysledek"));
    QCOMPARE(panel(*w, 3), QStringLiteral("1"));
    QCOMPARE(panel(*w, 1), QStringLiteral("5"));

    answer(*w, "12");
    QCOMPARE(child<TAMEdit>(*w, "EOK")->text(), QStringLiteral("1"));
    QCOMPARE(panel(*w, 2), QStringLiteral("1"));
    QCOMPARE(panel(*w, 1), QStringLiteral("4")); // 1 of 2 is 50 %
    // the next exercise is on screen, its result empty again
    QCOMPARE(child<TAMEdit>(*w, "EVysledek")->text(), QString());
    QCOMPARE(w->generator().exerciseCount(), 2);
}

void TestMainWindow::invalidTextShowsTheWarning()
{
    const QString text = QStringLiteral("1,5");
    auto w = startWindow();
    auto *z = child<TAMEdit>(*w, "EVysledek");
    const QString x = child<TAMEdit>(*w, "ECislo1")->text();
    SeenBox seen;
    {
        ModalDialogCloser closer(recordBox(seen));
        answer(*w, text);
        QVERIFY(closer.handled());
    }
    QCOMPARE(seen.text, QStringLiteral("Toto není přípustné číslo"));
    QCOMPARE(seen.title, QStringLiteral("Warning"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(z->text(), text);
    QCOMPARE(child<TAMEdit>(*w, "ECislo1")->text(), x);
    QCOMPARE(w->session().PeriodCount(), 0);
    QCOMPARE(w->focusWidget(), z);
}

void TestMainWindow::enterInAShownNumberErasesNothing()
{
    auto w = startWindow();
    auto *x = child<TAMEdit>(*w, "ECislo1");
    const QString before = x->text();
    x->setFocus();
    QTest::keyClick(x, Qt::Key_Return);
    QCOMPARE(x->text(), before);
    QCOMPARE(w->session().PeriodCount(), 0);
    QVERIFY(!QFile::exists(path("chybavysl.nmk")));
    QCOMPARE(w->focusWidget(), child<TAMEdit>(*w, "EVysledek"));
}

void TestMainWindow::enterDuringFeedbackGetsNoVerdict()
{
    writeIni("[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n");
    auto w = startWindow();
    w->setFeedbackPause(300ms);
    auto *z = child<TAMEdit>(*w, "EVysledek");
    bool pressedDuringFeedback = false;
    // a second Enter on the same field while the tick is still showing
    QTimer::singleShot(100ms, w.get(), [&] {
        pressedDuringFeedback = w->isFeedbackShowing();
        QTest::keyClicks(z, "12");
        QTest::keyClick(z, Qt::Key_Return);
    });
    QTest::keyClicks(z, "13");
    QTest::keyClick(z, Qt::Key_Return);
    QVERIFY(pressedDuringFeedback);
    QCOMPARE(w->session().PartialWrong(), 1);
    QCOMPARE(w->session().PartialCorrect(), 0);
    QCOMPARE(w->session().PeriodCount(), 1);
}

void TestMainWindow::zoomAndPlacementSurviveARestart()
{
    {
        auto w = startWindow();
        w->findChild<QAction *>("MMZ200")->trigger();
        QCOMPARE(w->centralWidget()->size(), QSize(684, 344));
        w->findChild<QAction *>("MMZ150")->trigger();
        QCOMPARE(w->centralWidget()->size(), QSize(513, 258));
        QCOMPARE(child<TAMEdit>(*w, "EVysledek")->geometry(), QRect(368, 165, 110, 56));
        QCOMPARE(child<TAMEdit>(*w, "EVysledek")->font().pixelSize(), 36);
        QCOMPARE(child<QLabel>(*w, "Image1")->pixmap().size(), QSize(48, 48));
        w->move(40, 30);
        w->close();
    }
    QCOMPARE(IniReadInteger(path("numik.ini"), "Okno", "velikost", 0), 150);
    auto w = startWindow();
    QCOMPARE(w->centralWidget()->size(), QSize(513, 258));
    QCOMPARE(w->frameGeometry().topLeft(), QPoint(40, 30));
    w->findChild<QMenu *>("MMZvetseni")->aboutToShow();
    QVERIFY(w->findChild<QAction *>("MMZ150")->isChecked());
    QVERIFY(!w->findChild<QAction *>("MMZ100")->isChecked());
}

void TestMainWindow::oddZoomChecksNoItem()
{
    writeIni("[Okno]\nvelikost=120\n");
    auto w = startWindow();
    QCOMPARE(w->centralWidget()->size(), QSize(410, 206));
    w->findChild<QMenu *>("MMZvetseni")->aboutToShow();
    for (const char *name : {"MMZ100", "MMZ150", "MMZ200", "MMZ250", "MMZ300"})
        QVERIFY(!w->findChild<QAction *>(name)->isChecked());
}

void TestMainWindow::soundSwitch()
{
    writeIni("[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n");
    QVERIFY(QDir(m_fixture->directory()).mkdir("zvuk"));
    QVERIFY(QFile::copy(QStringLiteral(NUMIK_SOUND_DIR "/spravne.wav"), path("zvuk/spravne.wav")));
    {
        auto w = startWindow();
        auto *sound = w->findChild<SoundPlayer *>();
        answer(*w, "12");
        QCOMPARE(sound->lastStarted(), path("zvuk/spravne.wav"));
        answer(*w, "13"); // spatne.wav is missing: silence, the picture alone
        QCOMPARE(sound->lastStarted(), path("zvuk/spravne.wav"));

        w->findChild<QAction *>("MMSound")->trigger();
        w->findChild<QMenu *>("MMoznosti")->aboutToShow();
        QVERIFY(!w->findChild<QAction *>("MMSound")->isChecked());
        QVERIFY(!sound->isEnabled());
        w->close();
    }
    auto w = startWindow();
    QVERIFY(!w->run().soundOn);
    QVERIFY(!w->findChild<SoundPlayer *>()->isEnabled());
    answer(*w, "12");
    QVERIFY(w->findChild<SoundPlayer *>()->lastStarted().isEmpty());
    QCOMPARE(w->session().PartialCorrect(), 1);
}

void TestMainWindow::resetCounts()
{
    writeIni("[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n");
    auto w = startWindow();
    answer(*w, "12");
    answer(*w, "13");
    QCOMPARE(panel(*w, 2), QStringLiteral("1"));
    w->findChild<QAction *>("MNulovat")->trigger();
    QCOMPARE(panel(*w, 1), QStringLiteral(" "));
    QCOMPARE(panel(*w, 2), QStringLiteral("0"));
    QCOMPARE(panel(*w, 3), QStringLiteral("0"));
    QCOMPARE(child<TAMEdit>(*w, "EOK")->text(), QStringLiteral("0"));
    QCOMPARE(child<TAMEdit>(*w, "EChyba")->text(), QStringLiteral("0"));
    QCOMPARE(w->generator().exerciseCount(), 0);
    QCOMPARE(w->session().PeriodCount(), 2); // the evaluation period runs on
}

void TestMainWindow::hintLine()
{
    auto w = startWindow();
    // what a menu does when an item is highlighted
    w->findChild<QAction *>("MNulovat")->showStatusText(w->menuBar());
    QCOMPARE(panel(*w, 4), QStringLiteral("vynuluje celkové a dílčí počty"));
    w->findChild<QAction *>("MRHeslo")->showStatusText(w->menuBar());
    QCOMPARE(panel(*w, 4), QString());
    QStatusTipEvent tip(child<QCheckBox>(*w, "ChBDeleni")->statusTip());
    QApplication::sendEvent(child<QCheckBox>(*w, "ChBDeleni"), &tip);
    QCOMPARE(panel(*w, 4), QStringLiteral("zapnutí/vypnutí generování příkladů s dělěním"));
}

NUMIK_GUI_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
