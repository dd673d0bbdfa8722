// The main window as the pupil sees it at each zoom, how it starts and how it closes.

#include "core/settings/inifile.h"
#include "mainwindowfixture.h"
#include "ui/app/fonts.h"
#include "ui/widgets/amedit.h"
#include "ui/practice/soundplayer.h"
#include "ui/practice/statuspanels.h"
#include "ui/practice/zaklad.h"
#include "ui/settings/windowplacement.h"

#include <QAccessible>
#include <QCheckBox>
#include <QAction>
#include <QDir>
#include <QScreen>
#include <QStatusTipEvent>
#include <QStyleOptionButton>
#include <QWindow>

#include <cmath>

using namespace testsupport;

class TestMainLook : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<MainWindowFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void layoutFollowsTheZoom_data();
    void layoutFollowsTheZoom();
    void storedZoom_data();
    void storedZoom();
    void fitIntoArea_data();
    void fitIntoArea();
    void zoomKeepsTheWindowOnScreen();
    void closeRightAfterStart_data();
    void closeRightAfterStart();
    void firstAnswerFindsTheSoundsReady();
    void screenReaderHearsThePanels_data();
    void screenReaderHearsThePanels();

private:
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestMainLook::layoutFollowsTheZoom_data()
{
    QTest::addColumn<int>("zoom");
    QTest::newRow("100 %") << 100;
    QTest::newRow("150 %") << 150;
    QTest::newRow("200 %") << 200;
    QTest::newRow("300 %") << 300;
}

void TestMainLook::layoutFollowsTheZoom()
{
    QFETCH(int, zoom);
    const double factor = zoom / 100.0;
    const auto at = [factor](int pixels) { return int(std::lround(pixels * factor)); };
    m_fixture->writeIni("[Okno]\nvelikost=" + QByteArray::number(zoom) + "\n");
    const QFont applicationFont = QApplication::font();
    auto w = m_fixture->startWindow();
    // the window borrows the application's font only while it builds its fields: message boxes
    // and menus keep theirs
    QCOMPARE(QApplication::font(), applicationFont);

    for (const char *name : {"ECislo1", "EOperace", "ECislo2", "AMEdit2", "EVysledek", "EOK", "EChyba"}) {
        const QFont font = MainWindowFixture::child<TAMEdit>(*w, name)->font();
        QVERIFY2(font.bold(), name);
        QCOMPARE(font.pixelSize(), at(24));
        QCOMPARE(QFontInfo(font).family(), QFontInfo(ArialPixels(at(24), true)).family());
    }
    for (const char *name : {"ChBPlus", "ChBMinus", "ChBKrat", "ChBDeleni"}) {
        auto *box = MainWindowFixture::child<QCheckBox>(*w, name);
        QVERIFY2(box->font().bold(), name);
        QCOMPARE(box->font().pixelSize(), at(19));
        // the caption keeps its distance from the square as both grow
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect square = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        const QRect caption = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        QVERIFY2(caption.left() - square.right() >= at(4), name);
    }
    // the desktop gets the program's icon soon after the first frame
    QTRY_VERIFY(!QApplication::windowIcon().isNull());

    // the bar keeps its height and every panel's text fits in it whole, descenders included
    auto *bar = w->findChild<StatusBarPanels *>(QStringLiteral("SB"));
    QCOMPARE(bar->height(), at(19));
    bar->setPanelText(3, QStringLiteral("dílčí počet správně vyřešených příkladů"));
    bar->setPanelText(1, QStringLiteral("2147483647")); // a count grown large widens its panel
    for (int i = 0; i < 4; ++i) {
        const StatusPanel *panel = bar->panel(i);
        const QFontMetrics metrics(panel->font());
        QCOMPARE(panel->height(), bar->height());
        QVERIFY(panel->baseline() - metrics.ascent() >= panel->textArea().top());
        QVERIFY(panel->baseline() + metrics.descent() <= panel->textArea().bottom() + 1);
        QVERIFY(panel->textArea().width() >= metrics.horizontalAdvance(panel->text()) || i == 3);
        if (i > 0) // side by side, none over another
            QVERIFY(panel->x() > bar->panel(i - 1)->geometry().right());
    }
    QCOMPARE(bar->panel(3)->geometry().right(), bar->width() - 1);

    // "Width" and "Height" are the client area: the menu bar is outside it
    w->close();
    QCOMPARE(IniReadInteger(m_fixture->path("numik.ini"), "Okno", "Width", 0), at(342));
    QCOMPARE(IniReadInteger(m_fixture->path("numik.ini"), "Okno", "Height", 0), at(172) + at(19));
}

void TestMainLook::storedZoom_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("inForce");
    QTest::newRow("hand-edited 120") << QByteArray("120") << 120;
    QTest::newRow("lowest 50") << QByteArray("50") << 50;
    QTest::newRow("highest 400") << QByteArray("400") << 400;
    QTest::newRow("49") << QByteArray("49") << 100;
    QTest::newRow("401") << QByteArray("401") << 100;
    QTest::newRow("zero") << QByteArray("0") << 100;
    QTest::newRow("negative") << QByteArray("-150") << 100;
    QTest::newRow("freezing 20000") << QByteArray("20000") << 100;
    QTest::newRow("overflowing 700000000") << QByteArray("700000000") << 100;
}

void TestMainLook::storedZoom()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, inForce);
    m_fixture->writeIni("[Okno]\nvelikost=" + stored + "\n");
    auto w = m_fixture->startWindow();
    QCOMPARE(w->zoomPercent(), inForce);
    QCOMPARE(w->centralWidget()->width(), int(std::lround(342 * inForce / 100.0)));
    w->close();
    // what is written back is the zoom in force
    QCOMPARE(IniReadInteger(m_fixture->path("numik.ini"), "Okno", "velikost", 0), inForce);
}

void TestMainLook::fitIntoArea_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("fitted");
    const QRect screen(0, 0, 1280, 900);
    QTest::newRow("fits: kept") << QRect(471, 386, 342, 191) << screen << QPoint(471, 386);
    QTest::newRow("300 % from the centre") << QRect(471, 386, 1026, 591) << screen << QPoint(254, 309);
    QTest::newRow("one pixel past the right") << QRect(939, 10, 342, 191) << screen << QPoint(938, 10);
    QTest::newRow("before the left and the top") << QRect(-20, -5, 342, 191) << screen << QPoint(0, 0);
    QTest::newRow("wider and taller: the corner") << QRect(300, 200, 1500, 1000) << screen << QPoint(0, 0);
    QTest::newRow("taller only") << QRect(1000, 50, 342, 1000) << screen << QPoint(938, 0);
    QTest::newRow("area off the origin, task bar above")
        << QRect(1300, 10, 342, 191) << QRect(1280, 40, 1920, 1040) << QPoint(1300, 40);
}

void TestMainLook::fitIntoArea()
{
    QFETCH(QRect, frame);
    QFETCH(QRect, area);
    QFETCH(QPoint, fitted);
    QCOMPARE(FitIntoArea(frame, area), fitted);
}

void TestMainLook::zoomKeepsTheWindowOnScreen()
{
    auto w = m_fixture->startWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QRect area = w->screen()->availableGeometry();
    w->move(area.right() - 400, area.bottom() - 250);
    w->findChild<QAction *>("MMZ200")->trigger(); // grows past the right and bottom edges: moves in just so far
    QCOMPARE(w->frameGeometry().bottomRight(), area.bottomRight());
}

void TestMainLook::closeRightAfterStart_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("fromWindowManager");
    QTest::newRow("100 %, close()") << 100 << false;
    QTest::newRow("150 %, close()") << 150 << false;
    QTest::newRow("150 %, window manager") << 150 << true;
    QTest::newRow("300 %, window manager") << 300 << true;
}

void TestMainLook::closeRightAfterStart()
{
    QFETCH(int, zoom);
    QFETCH(bool, fromWindowManager);
    for (int run = 0; run < 10; ++run) {
        m_fixture->writeIni("[Okno]\nvelikost=" + QByteArray::number(zoom) + "\n[Operace]\nKrat=1\n");
        auto w = m_fixture->startWindow();
        // the window manager's request comes to the native window, not to the widget
        QVERIFY(fromWindowManager ? w->windowHandle()->close() : w->close());
        QCoreApplication::processEvents();
        QVERIFY(!w->isVisible());
        const QString ini = m_fixture->path("numik.ini");
        QCOMPARE(IniReadInteger(ini, "Okno", "velikost", 0), zoom);
        QCOMPARE(IniReadInteger(ini, "Okno", "State", 0), 2);
        QCOMPARE(IniReadInteger(ini, "Operace", "Krat", 0), 1);
        QFile::remove(ini);
    }
}

void TestMainLook::firstAnswerFindsTheSoundsReady()
{
    m_fixture->writeIni("[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n");
    QVERIFY(QDir(m_fixture->directory()).mkdir("zvuk"));
    QVERIFY(QFile::copy(QStringLiteral(NUMIK_SOUND_DIR "/spravne.wav"), m_fixture->path("zvuk/spravne.wav")));
    auto w = m_fixture->startWindow();
    auto *sound = w->findChild<SoundPlayer *>();
    // a window that only waits holds no audio; the first key of an answer brings it in
    QVERIFY(!sound->isReady());
    QTest::keyClick(MainWindowFixture::answerField(*w), Qt::Key_1);
    QVERIFY(sound->isReady());
    QTest::keyClick(MainWindowFixture::answerField(*w), Qt::Key_2);
    QTest::keyClick(MainWindowFixture::answerField(*w), Qt::Key_Return);
    QCOMPARE(w->session().PartialCorrect(), 1);
    QCOMPARE(sound->lastStarted(), m_fixture->path("zvuk/spravne.wav"));
}

void TestMainLook::screenReaderHearsThePanels_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("grade") << 1 << "celková známka" << "4";
    QTest::newRow("right") << 2 << "celkový počet správně vypočtených příkladů" << "1";
    QTest::newRow("wrong") << 3 << "celkový počet chybně vypočtených příkladů" << "1";
    QTest::newRow("hint") << 4 << "nápověda" << "zobrazí historii dílčího hodnocení";
}

void TestMainLook::screenReaderHearsThePanels()
{
    QFETCH(int, panel);
    QFETCH(QString, name);
    QFETCH(QString, value);
    m_fixture->writeIni("[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n");
    auto w = m_fixture->startWindow();
    MainWindowFixture::answer(*w, QStringLiteral("12"));
    MainWindowFixture::answer(*w, QStringLiteral("13"));
    QStatusTipEvent tip(QStringLiteral("zobrazí historii dílčího hodnocení"));
    QApplication::sendEvent(w.get(), &tip);
    QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(w->findChild<QLabel *>(QStringLiteral("SBPanel%1").arg(panel)));
    QVERIFY(heard);
    QCOMPARE(heard->text(QAccessible::Name), name);
    QCOMPARE(heard->text(QAccessible::Value), value);
    QVERIFY(heard->textInterface());
}

NUMIK_GUI_TEST_MAIN(TestMainLook)
#include "tst_mainlook.moc"
