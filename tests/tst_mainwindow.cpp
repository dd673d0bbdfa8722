#include "app/soundplayer.h"
#include "app/zaklad.h"
#include "generator/amedit.h"
#include "records/recordfiles.h"
#include "settings/inifile.h"
#include "mainwindowfixture.h"

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
    void rightAndWrongAnswersAreCountedAndRecorded();
    void invalidTextCountsNothing_data();
    void invalidTextCountsNothing();
    void numberForms_data();
    void numberForms();
    void everyHiddenSlotIsJudged_data();
    void everyHiddenSlotIsJudged();
    void enterInAShownNumberErasesNothing();
    void enterDuringFeedbackGetsNoVerdict();
    void failedDrawKeepsTheExercise();
    void twoCopiesRetestOneFile();
    void zoomAndPlacementSurviveARestart();
    void oddZoomChecksNoItem();
    void soundSwitch();
    void failedWriteShowsTheErrorAndKeepsThePartialState();
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

void TestMainWindow::rightAndWrongAnswersAreCountedAndRecorded()
{
    writeIni("[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n[CasLimit]\nhodnota=10\n");
    auto w = startWindow();
    QCOMPARE(child<TAMEdit>(*w, "ECislo1")->text(), QStringLiteral("7"));
    QCOMPARE(child<TAMEdit>(*w, "ECislo2")->text(), QStringLiteral("5"));

    answer(*w, "13");
    const QByteArray first = QByteArray::fromHex("07000000" "05000000" "01000000" "0D000000" "00000000" "0A000000" "03000000");
    QCOMPARE(bytesOf(path("chyba.nmk")), first);
    QCOMPARE(bytesOf(path("chybavysl.nmk")), first);
    QCOMPARE(child<TAMEdit>(*w, "EChyba")->text(), QStringLiteral("1"));
    QCOMPARE(child<TAMEdit>(*w, "EVysledek")->text(), QString());
    QCOMPARE(panel(*w, 3), QStringLiteral("1"));
    QCOMPARE(panel(*w, 1), QStringLiteral("5"));

    // a second miss of the same exercise goes to the wrong-results file only
    answer(*w, "11");
    QCOMPARE(bytesOf(path("chyba.nmk")), first);
    QCOMPARE(CountWrongResults(path("chybavysl.nmk")), 2);
    qint32 index = 2;
    WrongResultRecord second;
    ReadWrongResult(path("chybavysl.nmk"), index, second);
    QCOMPARE(second.Result, 11);

    answer(*w, "12");
    QCOMPARE(child<TAMEdit>(*w, "EOK")->text(), QStringLiteral("1"));
    QCOMPARE(child<TAMEdit>(*w, "EChyba")->text(), QStringLiteral("2"));
    QCOMPARE(panel(*w, 2), QStringLiteral("1"));
    QCOMPARE(panel(*w, 3), QStringLiteral("2"));
    QCOMPARE(panel(*w, 1), QStringLiteral("5")); // 1 of 3 is 33 %
    QCOMPARE(w->session().TotalCorrect(), 1);
    QCOMPARE(w->session().PeriodCount(), 3);
    // the next exercise is on screen, its result empty again
    QCOMPARE(child<TAMEdit>(*w, "EVysledek")->text(), QString());
    QCOMPARE(CountWrongResults(path("chyba.nmk")), 1);
}

void TestMainWindow::invalidTextCountsNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("trailing blank") << "12 ";
    QTest::newRow("comma") << "1,5";
    QTest::newRow("point") << "1.5";
    QTest::newRow("lone minus") << "-";
    QTest::newRow("letters") << "abc";
}

void TestMainWindow::invalidTextCountsNothing()
{
    QFETCH(QString, text);
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
    QCOMPARE(w->session().PartialCorrect() + w->session().PartialWrong(), 0);
    QCOMPARE(w->session().PeriodCount(), 0);
    QVERIFY(!QFile::exists(path("chybavysl.nmk")));
    QCOMPARE(w->focusWidget(), z);
}

void TestMainWindow::numberForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("leading blanks") << "  12";
    QTest::newRow("plus sign") << "+12";
    QTest::newRow("leading zero") << "012";
    QTest::newRow("dollar hex") << "$C";
    QTest::newRow("0x hex") << "0xC";
}

void TestMainWindow::numberForms()
{
    QFETCH(QString, text);
    writeIni("[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n");
    auto w = startWindow();
    answer(*w, text);
    QCOMPARE(w->session().PartialCorrect(), 1);
    QCOMPARE(w->session().PartialWrong(), 0);
}

void TestMainWindow::everyHiddenSlotIsJudged_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("z");
    QTest::addColumn<int>("hidden");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<bool>("right");

    QTest::newRow("? - 3 = 4 with 7") << 2 << 7 << 3 << 4 << 1 << "7" << true;
    QTest::newRow("? - 3 = 4 with 8") << 2 << 7 << 3 << 4 << 1 << "8" << false;
    QTest::newRow("8 : 2 = ? with 4") << 4 << 8 << 2 << 4 << 3 << "4" << true;
    QTest::newRow("? : 2 = 4 with 7") << 4 << 8 << 2 << 4 << 1 << "7" << true;
    QTest::newRow("? : 2 = 4 with 9") << 4 << 8 << 2 << 4 << 1 << "9" << true;
    QTest::newRow("? : 2 = 4 with 10") << 4 << 8 << 2 << 4 << 1 << "10" << false;
    QTest::newRow("8 : ? = 4 with 0") << 4 << 8 << 2 << 4 << 2 << "0" << false;
    QTest::newRow("0 x ? = 0 with 123") << 3 << 0 << 5 << 0 << 2 << "123" << true;
    QTest::newRow("-3 as the second number") << 1 << 7 << -3 << 4 << 2 << "-3" << true;
}

void TestMainWindow::everyHiddenSlotIsJudged()
{
    QFETCH(int, operation);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, z);
    QFETCH(int, hidden);
    QFETCH(QString, entered);
    QFETCH(bool, right);

    auto w = startWindow();
    w->showExercise({x, Operation(operation), y, z, UnknownSlot(hidden)});
    answer(*w, entered);
    QCOMPARE(w->session().PartialCorrect(), right ? 1 : 0);
    QCOMPARE(w->session().PartialWrong(), right ? 0 : 1);
    if (!right) {
        qint32 index = 1;
        WrongResultRecord record;
        ReadWrongResult(path("chybavysl.nmk"), index, record);
        const qint32 typed = entered.toInt();
        QCOMPARE(record.FirstNumber, hidden == 1 ? typed : x);
        QCOMPARE(record.SecondNumber, hidden == 2 ? typed : y);
        QCOMPARE(record.Result, hidden == 3 ? typed : z);
        QCOMPARE(record.Operation, operation);
        QCOMPARE(record.HiddenSlot, hidden);
        QVERIFY(!record.TimedOut);
    }
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

void TestMainWindow::failedDrawKeepsTheExercise()
{
    writeIni("[Operace]\nPlus=0\nDeleni=1\n[Del]\nC2OD=0\nC2DO=0\n");
    SeenBox seen;
    std::unique_ptr<TFZaklad> w;
    {
        ModalDialogCloser closer(recordBox(seen));
        w = startWindow();
        QVERIFY(closer.handled());
    }
    QCOMPARE(seen.text, QStringLiteral("Chyba v programu"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    // the design's exercise stays: 0 + 0 = (empty)
    QCOMPARE(child<TAMEdit>(*w, "ECislo1")->text(), QStringLiteral("0"));
    QCOMPARE(child<TAMEdit>(*w, "EOperace")->text(), QStringLiteral("+"));
    QCOMPARE(w->generator().exerciseCount(), 1);
}

void TestMainWindow::twoCopiesRetestOneFile()
{
    for (qint32 first = 11; first <= 15; ++first)
        AppendWrongResult(path("chyba.nmk"), {first, 1, 1, 0, false, 0, 3});
    auto one = startWindow();
    auto other = startWindow();
    for (TFZaklad *w : {one.get(), other.get()})
        w->findChild<QAction *>("MChPrezkouset")->trigger();
    answer(*one, "12");
    answer(*other, "12"); // 11 + 1 again, already gone from the file
    QCOMPARE(CountWrongResults(path("chyba.nmk")), 4);
    for (TFZaklad *w : {one.get(), other.get()})
        QCOMPARE(child<TAMEdit>(*w, "ECislo1")->text(), QStringLiteral("12")); // both go on with 12 + 1
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
    QVERIFY(!w->settings().soundOn);
    QVERIFY(!w->findChild<SoundPlayer *>()->isEnabled());
    answer(*w, "12");
    QVERIFY(w->findChild<SoundPlayer *>()->lastStarted().isEmpty());
    QCOMPARE(w->session().PartialCorrect(), 1);
}

void TestMainWindow::failedWriteShowsTheErrorAndKeepsThePartialState()
{
    writeIni("[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n");
    // a folder where the wrong-results file belongs cannot be written, even by root
    QVERIFY(QDir(m_fixture->directory()).mkdir("chybavysl.nmk"));
    auto w = startWindow();
    SeenBox seen;
    {
        ModalDialogCloser closer(recordBox(seen));
        answer(*w, "13");
        QVERIFY(closer.handled());
    }
    QCOMPARE(seen.title, QStringLiteral("Numik-Korvelanta"));
    QCOMPARE(seen.text, QStringLiteral("File access denied."));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    // the partial count and the emptied field stay; the totals, the period and the fresh flag not
    QCOMPARE(child<TAMEdit>(*w, "EChyba")->text(), QStringLiteral("1"));
    QCOMPARE(child<TAMEdit>(*w, "EVysledek")->text(), QString());
    QCOMPARE(panel(*w, 3), QStringLiteral("0"));
    QCOMPARE(w->session().TotalWrong(), 0);
    QCOMPARE(w->session().PeriodCount(), 0);
    QCOMPARE(CountWrongResults(path("chyba.nmk")), 1);
    {
        ModalDialogCloser closer;
        answer(*w, "14"); // still a fresh exercise: the re-test file takes it again
        QVERIFY(closer.handled());
    }
    QCOMPARE(CountWrongResults(path("chyba.nmk")), 2);
    QCOMPARE(child<TAMEdit>(*w, "EChyba")->text(), QStringLiteral("2"));
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
