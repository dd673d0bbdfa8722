#include "core/records/daycount.h"
#include "core/records/recordfiles.h"
#include "core/records/wrongresults.h"
#include "mainwindowfixture.h"
#include "ui/generator/amedit.h"
#include "ui/practice/casgauge.h"
#include "ui/records/chybvysl.h"
#include "ui/records/csvexportui.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTextBlock>
#include <QTreeWidget>
#include <QUrl>

#include <ctime>

using namespace testsupport;

namespace {

// Closes every modal window that opens while it lives, noting the texts of message boxes (their
// first line: a file error's second names the file) and letting a test look into the others first.
class ModalSweeper
{
public:
    explicit ModalSweeper(std::function<void(QWidget *)> inspect = {}) : m_inspect(std::move(inspect))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible())
                return;
            if (auto *box = qobject_cast<QMessageBox *>(dialog))
                messages.append(box->text().section(u'\n', 0, 0));
            else if (m_inspect)
                m_inspect(dialog);
            if (dialog->isVisible())
                static_cast<QDialog *>(dialog)->reject();
        });
        m_timer.start(10);
    }

    QStringList messages;

private:
    std::function<void(QWidget *)> m_inspect;
    QTimer m_timer;
};

WrongResultRecord stored(qint32 a, qint32 op, qint32 b, qint32 c, qint32 slot, qint32 limit = 0)
{
    return {a, b, op, c, false, limit, slot};
}

QString shown(TFZaklad &w)
{
    QStringList fields;
    for (const char *name : {"ECislo1", "EOperace", "ECislo2", "EVysledek"})
        fields.append(MainWindowFixture::child<TAMEdit>(w, name)->text());
    return fields.join(u' ');
}

QStringList rows(QTreeWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column)
            cells.append(list->topLevelItem(i)->text(column));
        texts.append(cells.join(u'|'));
    }
    return texts;
}

} // namespace

// The wrong-results viewer, the re-test, the history viewer and the About window, reached
// through the main window's menu as the pupil or the teacher reaches them.
class TestRecordWindows : public QObject
{
    Q_OBJECT

public slots:
    void noteUrl(const QUrl &url) { m_urls.append(url.toString()); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { m_fixture = std::make_unique<MainWindowFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void retestThroughTheMenu();
    void wrongResultsViewer_data();
    void wrongResultsViewer();
    void viewerOfHugeFile();
    void historyViewer();
    void exportsInSettingsModeOnly_data();
    void exportsInSettingsModeOnly();
    void progressChart();
    void aboutWindow();

private:
    QString path(const char *name) const { return m_fixture->path(name); }
    static void trigger(TFZaklad &w, const char *item) { MainWindowFixture::child<QAction>(w, item)->trigger(); }

    std::unique_ptr<MainWindowFixture> m_fixture;
    QStringList m_urls;
};

// "přezkoušet" reaches the re-test, and the stored exercises and its messages reach the window
// (the re-test's rules: tst_retest).
void TestRecordWindows::retestThroughTheMenu()
{
    m_fixture->writeIni("[CasLimit]\nhodnota=7\n");
    const WrongResultRecord a = stored(7, 1, 5, 13, 3), b = stored(8, 2, 3, 4, 1, 10);
    for (const WrongResultRecord &record : {a, b})
        AppendWrongResult(path("chyba.nmk"), record);
    auto w = m_fixture->startWindow();
    ModalSweeper sweeper;

    trigger(*w, "MChPrezkouset");
    QVERIFY(w->isRetestActive());
    QCOMPARE(w->settings().mode, 2);
    QVERIFY(!MainWindowFixture::child<QCheckBox>(*w, "ChBPlus")->isEnabled());
    QCOMPARE(shown(*w), QStringLiteral("7 + 5 "));
    QVERIFY(!MainWindowFixture::child<CasGauge>(*w, "GCasLim")->isVisible()); // A had no limit

    MainWindowFixture::answer(*w, "12"); // A is right and leaves the file
    QCOMPARE(shown(*w), QStringLiteral(" - 3 4"));
    QCOMPARE(MainWindowFixture::answerField(*w), MainWindowFixture::child<TAMEdit>(*w, "ECislo1"));
    QCOMPARE(MainWindowFixture::child<CasGauge>(*w, "GCasLim")->caption(), QStringLiteral("10s")); // B's own limit
    QVERIFY(sweeper.messages.isEmpty());

    MainWindowFixture::answer(*w, "7");
    QCOMPARE(sweeper.messages, QStringList{QStringLiteral("Všechny chybné výsledky přezkoušeny")});
    QVERIFY(!w->isRetestActive());
    QCOMPARE(CountWrongResults(path("chyba.nmk")), 0);
    QCOMPARE(MainWindowFixture::child<CasGauge>(*w, "GCasLim")->caption(), QStringLiteral("7s"));
}

void TestRecordWindows::wrongResultsViewer_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QList<WrongResultRecord>>("records");
    QTest::addColumn<bool>("runsMeanwhile");
    QTest::addColumn<bool>("retestOffered");
    QTest::addColumn<QString>("message");
    const QList<WrongResultRecord> two{stored(7, 1, 5, 13, 3), {0, 3, 2, 8, true, 10, 1}};
    const QByteArray teaching("[Rezim]\ntyp=2\nchybvysl=");
    QTest::newRow("settings mode, nothing stored") << QByteArray("[Rezim]\ntyp=1\n") << QList<WrongResultRecord>{}
                                                   << false << true << "Nejsou žádné chybné výsledky.";
    QTest::newRow("teaching mode, paused") << teaching + "2\n" << two << false << false << "";
    QTest::newRow("teaching mode, running") << teaching + "1\n" << two << true << false << "";
    // a folder in the file's place: the error abandons the viewer, but the countdown goes on
    QTest::newRow("unreadable file") << teaching + "0\n" << QList<WrongResultRecord>{} << false << false
                                     << "File access denied.";
}

void TestRecordWindows::wrongResultsViewer()
{
    QFETCH(QByteArray, ini);
    QFETCH(QList<WrongResultRecord>, records);
    QFETCH(bool, runsMeanwhile);
    QFETCH(bool, retestOffered);
    QFETCH(QString, message);
    m_fixture->writeIni(ini + "[CasLimit]\nhodnota=10\n");
    for (const WrongResultRecord &record : records)
        AppendWrongResult(path("chybavysl.nmk"), record);
    if (message.startsWith(u'F'))
        QVERIFY(QDir(m_fixture->directory()).mkpath(QStringLiteral("chybavysl.nmk/a-folder-that-gives-it-a-size")));
    auto w = m_fixture->startWindow();
    auto *menu = w->findChild<QMenu *>(QStringLiteral("MChybneVysl"));
    emit menu->aboutToShow();
    QVERIFY(MainWindowFixture::child<QAction>(*w, "MChZobra")->isEnabled());
    QCOMPARE(MainWindowFixture::child<QAction>(*w, "MChPrezkouset")->isEnabled(), retestOffered);

    QString text;
    bool running = false;
    ModalSweeper sweeper([&](QWidget *viewer) {
        text = viewer->findChild<QPlainTextEdit *>(QStringLiteral("MChyba"))->toPlainText();
        running = w->findChild<QTimer *>(QStringLiteral("TCasLimit"))->isActive();
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Chybné výsledky"));
    });
    trigger(*w, "MChZobra");
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(sweeper.messages.join(u'/'), message);
    if (!records.isEmpty()) {
        QCOMPARE(text, QStringLiteral("7 + 5 = (13)\nčas. lim. 10s - 3 = 8"));
        QCOMPARE(running, runsMeanwhile);
    }
    // afterwards the countdown runs again in the teaching mode
    QCOMPARE(w->findChild<QTimer *>(QStringLiteral("TCasLimit"))->isActive(), !retestOffered);
}

void TestRecordWindows::viewerOfHugeFile()
{
    // a damaged file of 2 GB after the widest lines a class meets
    const QStringList widest{"12 + 13 = čas. lim. 10s", "čas. lim. 10s X 10 = 100", "100 : 10 = čas. lim. 60s"};
    {
        QFile file(path("chybavysl.nmk"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const WrongResultRecord &r : {WrongResultRecord{12, 13, 1, 0, true, 10, 3}, {0, 10, 3, 100, true, 10, 1},
                                           {100, 10, 4, 0, true, 60, 3}})
            QCOMPARE(file.write(r.encode()), qint64(WrongResultRecord::Size));
        QVERIFY(file.resize(2'000'000'000));
    }
    TFChyba viewer(path("chybavysl.nmk"));
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    auto *list = viewer.findChild<QPlainTextEdit *>(QStringLiteral("MChyba"));
    QCOMPARE(list->toPlainText().split(u'\n').mid(0, 3), widest);
    QCOMPARE(list->blockCount(), WrongResultsShown + 1);
    QCOMPARE(list->document()->lastBlock().text(), QStringLiteral("… a dalších 71\u00A0418\u00A0571"));
    // nothing runs past the list's edge: there is nothing to scroll sideways
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
}

void TestRecordWindows::historyViewer()
{
    const double day = DateTimeOfDay(QDate(2024, 3, 31));
    auto w = m_fixture->startWindow();
    w->setLocalClock([] { return QDateTime(QDate(2024, 3, 31), QTime(10, 0)); });
    {
        ModalSweeper sweeper;
        trigger(*w, "MMHDH");
        QCOMPARE(sweeper.messages, QStringList{QStringLiteral("Nejsou uložena žádná dílčí hodnocení v historii.")});
    }
    // newest first: 02:30 that Prague skips that night, midnight, a damaged one, the day before
    for (double when : {day - 0.5, qQNaN(), day, day + 2.5 / 24})
        PrependEvaluation(path("hdv.ndv"), EvaluationRecord{when, 1, 9, 0, {true, false, false, true}, 0}, HistoryCapacity);

    QList<QStringList> seen;
    const auto look = [&](QWidget *viewer) {
        auto *list = viewer->findChild<QTreeWidget *>(QStringLiteral("LVSeznam"));
        auto *vse = viewer->findChild<QCheckBox *>(QStringLiteral("ChBVse"));
        auto *picker = viewer->findChild<QDateEdit *>(QStringLiteral("DTPDatum"));
        QCOMPARE(picker->isEnabled(), !vse->isChecked());
        seen.append(rows(list));
        if (!vse->isChecked()) {
            QCOMPARE(picker->date(), QDate(2024, 3, 31));
            picker->setDate(QDate(2024, 3, 30));
            seen.append(rows(list));
            QTest::mouseClick(vse, Qt::LeftButton, {}, QPoint(5, vse->height() / 2));
            QVERIFY(!picker->isEnabled());
            seen.append(rows(list));
        }
    };
    {
        ModalSweeper sweeper(look);
        trigger(*w, "MMHDH");
    }
    const QString row = QStringLiteral("|1*|9|0|+ : |-");
    const QStringList all{"31 Mar 2024 02:30:00" + row, "31 Mar 2024 00:00:00" + row, row, "30 Mar 2024 12:00:00" + row};
    QCOMPARE(seen.value(0), (QStringList{"02:30:00" + row, "00:00:00" + row}));
    QCOMPARE(seen.value(1), (QStringList{"00:00:00" + row, "12:00:00" + row}));
    QCOMPARE(seen.value(2), all);

    // "vše" stays checked at the next opening, also after a restart
    w.reset();
    w = m_fixture->startWindow();
    seen.clear();
    {
        ModalSweeper sweeper(look);
        trigger(*w, "MMHDH");
    }
    QCOMPARE(seen, QList<QStringList>{all});
}

void TestRecordWindows::exportsInSettingsModeOnly_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("settings") << QByteArray("[Rezim]\ntyp=1\n") << true;
    QTest::newRow("teaching, both viewers permitted") << QByteArray("[Rezim]\ntyp=2\nhistdilvysl=2\nchybvysl=2\n") << false;
}

void TestRecordWindows::exportsInSettingsModeOnly()
{
    QFETCH(QByteArray, mode);
    QFETCH(bool, allowed);
    m_fixture->writeIni(mode);
    PrependEvaluation(path("hdv.ndv"), EvaluationRecord{45366.5, 2, 14, 3, {true, false, true, false}, 10}, HistoryCapacity);
    AppendWrongResult(path("chybavysl.nmk"), stored(7, 1, 5, 13, 3));
    QStringList asked;
    SetExportFileAsker([&](QWidget *, const QString &defaultName) {
        asked.append(defaultName);
        return m_fixture->directory() + u'/' + defaultName + QStringLiteral(".export");
    });
    const auto forget = qScopeGuard([] { SetExportFileAsker({}); });
    auto w = m_fixture->startWindow();
    w->setLocalClock([] { return QDateTime(QDate(2024, 3, 15), QTime(13, 0)); });

    emit w->findChild<QMenu *>(QStringLiteral("MChybneVysl"))->aboutToShow();
    QCOMPARE(MainWindowFixture::child<QAction>(*w, "MChExport")->isEnabled(), allowed);
    bool buttonEnabled = !allowed;
    {
        ModalSweeper sweeper([&](QWidget *viewer) {
            auto *button = viewer->findChild<QPushButton *>(QStringLiteral("BExport"));
            buttonEnabled = button->isEnabled();
            QTest::mouseClick(button, Qt::LeftButton);
        });
        trigger(*w, "MMHDH");
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(sweeper.messages.isEmpty());
    }
    QCOMPARE(buttonEnabled, allowed);
    if (!allowed)
        return;
    trigger(*w, "MChExport");
    QCOMPARE(asked, (QStringList{"historie.csv", "chybne-vysledky.csv"}));
    // without historie.csv the list shown is exported
    QVERIFY(bytesOf(path("historie.csv.export")).endsWith("\r\n2024-03-15;12:00:00;2;14;3;82;+ x;10\r\n"));
    QVERIFY(bytesOf(path("chybne-vysledky.csv.export")).endsWith("odpověď\r\n7;+;5;12;13\r\n"));

    // the records of the data folder are never replaced by either export
    SetExportFileAsker([&](QWidget *, const QString &) { return path("hdv.ndv"); });
    {
        ModalSweeper sweeper;
        trigger(*w, "MChExport");
        QCOMPARE(sweeper.messages, QStringList{QStringLiteral("File access denied.")});
    }
    QCOMPARE(CountEvaluations(path("hdv.ndv")), 1);
    SetExportFileAsker([&](QWidget *, const QString &) { return path("chybavysl.nmk"); });
    QStringList refused;
    {
        ModalSweeper sweeper([&](QWidget *viewer) {
            ModalSweeper inner; // a timer of its own, which fires inside the error box's loop
            QTest::mouseClick(viewer->findChild<QPushButton *>(QStringLiteral("BExport")), Qt::LeftButton);
            refused = inner.messages;
        });
        trigger(*w, "MMHDH");
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }
    QCOMPARE(refused, QStringList{QStringLiteral("File access denied.")});
    QCOMPARE(CountWrongResults(path("chybavysl.nmk")), 1);
}

void TestRecordWindows::progressChart()
{
    auto w = m_fixture->startWindow();
    w->setLocalClock([] { return QDateTime(QDate(2024, 3, 31), QTime(10, 0)); });
    // the only evaluation lies before the chart's weeks
    PrependEvaluation(path("hdv.ndv"), EvaluationRecord{DateTimeOfDay(QDate(2023, 3, 31)), 1, 9, 0, {}, 0},
                      HistoryCapacity);
    QString title, text;
    bool closedByEsc = false;
    const auto look = [&](QWidget *viewer) {
        auto *graf = viewer->findChild<QPushButton *>(QStringLiteral("BBGraf"));
        QVERIFY(graf);
        QCOMPARE(graf->text(), QStringLiteral("&Graf"));
        ModalDialogCloser closer([&](QWidget *chart) {
            title = chart->windowTitle();
            if (auto *empty = chart->findChild<QLabel *>(QStringLiteral("LPrazdno")))
                text = empty->text();
            QTest::keyClick(chart, Qt::Key_Escape);
            closedByEsc = !chart->isVisible();
        });
        graf->click();
        QVERIFY(closer.handled());
    };
    {
        ModalSweeper sweeper(look);
        trigger(*w, "MMHDH");
    }
    QCOMPARE(title, QStringLiteral("Vývoj hodnocení"));
    QCOMPARE(text, QStringLiteral("Zatím nejsou žádná hodnocení."));
    QVERIFY(closedByEsc);
}

void TestRecordWindows::aboutWindow()
{
    m_fixture->writeIni("[Rezim]\ntyp=2\n[CasLimit]\nhodnota=10\n");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "noteUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "noteUrl");
    auto w = m_fixture->startWindow();
    QStringList values;
    bool running = true;
    {
        ModalSweeper sweeper([&](QWidget *about) {
            running = w->findChild<QTimer *>(QStringLiteral("TCasLimit"))->isActive();
            // as a screen reader hears each value: the caption, then the value shown
            for (const char *name : {"Label1", "Label3", "Label4", "Label5"}) {
                auto *label = about->findChild<QLabel *>(QString::fromLatin1(name));
                QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(label);
                QAccessibleTextInterface *text = heard->textInterface();
                QVERIFY(text);
                QCOMPARE(text->text(0, text->characterCount()), label->text());
                values.append(heard->text(QAccessible::Name) + u' ' + heard->text(QAccessible::Value));
            }
            QVERIFY(!about->findChild<QLabel *>(QStringLiteral("Label2"))->text().isEmpty());
            QCOMPARE(about->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().deviceIndependentSize(),
                     QSizeF(64, 64));
            QCOMPARE(QApplication::focusWidget(), about->findChild<QPushButton *>(QStringLiteral("Button1")));
            // a click on a link opens its menu, and an item of the menu opens the address
            QTest::mouseClick(about->findChild<QLabel *>(QStringLiteral("LWWW")), Qt::LeftButton);
            auto *web = about->findChild<QMenu *>(QStringLiteral("PMWWW"));
            QVERIFY(web->isVisible());
            web->close();
            about->findChild<QAction *>(QStringLiteral("PMWWW2"))->trigger();
            about->findChild<QAction *>(QStringLiteral("PMEmail1"))->trigger();
            QTest::keyClick(about, Qt::Key_Escape);
            QVERIFY(!about->isVisible());
        });
        trigger(*w, "MIAbout");
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QCOMPARE(values, (QStringList{"Název: Numik", "Verze: 1.5.0.0", "Výrobce: Korvelanta",
                                  "Autorské právo: © 2026 Korvelanta"}));
    QCOMPARE(m_urls, (QStringList{"https://numik.korvelanta.example", "mailto:info@korvelanta.example?subject=&body="}));
    QVERIFY(!running);
    QVERIFY(w->findChild<QTimer *>(QStringLiteral("TCasLimit"))->isActive());
}

int main(int argc, char *argv[])
{
    // the history's night of 31 March 2024 skips 02:00 to 03:00 in this zone
    qputenv("TZ", "Europe/Prague");
    ::tzset();
    testsupport::useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestRecordWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recordwindows.moc"
