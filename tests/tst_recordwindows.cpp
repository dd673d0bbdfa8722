#include "core/records/csvtext.h"
#include "core/records/daycount.h"
#include "core/records/historycsv.h"
#include "core/records/recordfiles.h"
#include "core/records/wrongresults.h"
#include "mainwindowfixture.h"
#include "ui/widgets/amedit.h"
#include "ui/practice/casgauge.h"
#include "ui/records/chybvysl.h"
#include "ui/app/plugins.h"
#include "ui/records/csvexportui.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QHeaderView>
#include <QComboBox>
#include <QLabel>
#include <QFileDialog>
#include <QLineEdit>
#include <QStackedWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
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

const QString Refused = QStringLiteral("Do tohoto souboru nelze exportovat: patří programu Numik.");

EvaluationRecord evaluationOn(QDate day, qint32 right = 9)
{
    return {DateTimeOfDay(day) + 0.5, 1, right, 1, {true, false, false, false}, 0};
}

// historie.csv's header and the rows the program appends for the evaluations.
QByteArray historyCsv(const QList<EvaluationRecord> &evaluations)
{
    QByteArray text = CsvByteOrderMark + CsvLine(HistoryCsvHeader());
    for (const EvaluationRecord &record : evaluations)
        text += CsvLine(HistoryCsvFields(HistoryCsvRowOf(record)));
    return text;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
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
    void exportRefusesProgramFiles_data();
    void exportRefusesProgramFiles();
    void exportDialog();
    void historyExport_data();
    void historyExport();
    void progressChart_data();
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
    QCOMPARE(int(w->run().mode), 2);
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
    // without historie.csv the history file is exported
    QVERIFY(bytesOf(path("historie.csv.export")).endsWith("\r\n2024-03-15;12:00:00;2;14;3;82;+ x;10\r\n"));
    QVERIFY(bytesOf(path("chybne-vysledky.csv.export")).endsWith("odpověď;neznámé\r\n7;+;5;12;13;3\r\n"));

    // the records of the data folder are never replaced by either export
    SetExportFileAsker([&](QWidget *, const QString &) { return path("hdv.ndv"); });
    {
        ModalSweeper sweeper;
        trigger(*w, "MChExport");
        QCOMPARE(sweeper.messages, QStringList{Refused});
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
    QCOMPARE(refused, QStringList{Refused});
    QCOMPARE(CountWrongResults(path("chybavysl.nmk")), 1);
}

void TestRecordWindows::exportRefusesProgramFiles_data()
{
    QTest::addColumn<QString>("name"); // in the data folder; "link/" leads there through a link
    QTest::addColumn<QByteArray>("content"); // null: no such file
    QTest::addColumn<bool>("refused");
    QTest::newRow("the settings file") << "numik.ini" << QByteArray("[Rezim]\ntyp=1\n") << true;
    QTest::newRow("a record not made yet, through a link") << "link/chyba.nmk" << QByteArray() << true;
    QTest::newRow("another file in the data folder") << "poznamky.txt" << QByteArray("moje") << true;
    QTest::newRow("a lookalike of an export") << "jako.csv" << QByteArray("\xEF\xBB\xBF" "datum;x\r\n") << true;
    QTest::newRow("a plugin") << "plugins/libnumiksheets.so" << QByteArray("\x7f" "ELF") << true;
    QTest::newRow("an earlier export there")
        << "stary.csv" << QByteArray("\xEF\xBB\xBF" "první číslo;operace;druhé číslo;výsledek;odpověď\r\n1") << false;
    QTest::newRow("a new name there") << "novy.csv" << QByteArray() << false;
}

// Neither the program's files in the data folder, however reached, nor its plugins are replaced.
void TestRecordWindows::exportRefusesProgramFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, refused);
    m_fixture->writeIni("[Rezim]\ntyp=1\n");
    AppendWrongResult(path("chybavysl.nmk"), stored(7, 1, 5, 13, 3));
    QVERIFY(QFile::link(m_fixture->directory(), path("link")));
    QTemporaryDir plugins;
    SetPluginDirectory(plugins.path());
    const auto restore = qScopeGuard([] { SetPluginDirectory({}); SetExportFileAsker({}); });
    const QString target = name.startsWith(u"plugins/") ? plugins.filePath(name.mid(8)) : path(qPrintable(name));
    if (!content.isNull() && name != u"numik.ini")
        writeFile(target, content);
    SetExportFileAsker([&](QWidget *, const QString &) { return target; });
    auto w = m_fixture->startWindow();
    ModalSweeper sweeper;
    trigger(*w, "MChExport");
    QCOMPARE(sweeper.messages, refused ? QStringList{Refused} : QStringList{});
    if (refused) {
        QVERIFY(!bytesOf(target).contains("13;3"));
        QCOMPARE(QFileInfo::exists(target), !content.isNull());
    } else {
        QVERIFY(bytesOf(target).endsWith("\r\n7;+;5;12;13;3\r\n"));
    }
}

// The save dialog refuses a file of the program before asking whether to replace it, and stays
// open; a name typed without an extension gets ".csv".
void TestRecordWindows::exportDialog()
{
    m_fixture->writeIni("[Rezim]\ntyp=1\n");
    AppendWrongResult(path("chybavysl.nmk"), stored(7, 1, 5, 13, 3));
    auto w = m_fixture->startWindow();
    QStringList asked;
    bool stayedOpen = false;
    {
        ModalSweeper sweeper([&](QWidget *dialog) {
            auto *files = qobject_cast<QFileDialog *>(dialog);
            QVERIFY(files);
            // as typed: the name field holds the focus under a real X server, where selectFile
            // leaves its text alone
            const auto choose = [&](const QString &name) {
                files->selectFile(name);
                files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(name);
            };
            ModalSweeper inner;
            choose(path("numik.ini"));
            static_cast<QDialog *>(files)->accept();
            stayedOpen = files->isVisible();
            choose(path("zaznam"));
            static_cast<QDialog *>(files)->accept();
            asked = inner.messages;
        });
        trigger(*w, "MChExport");
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }
    QCOMPARE(asked, QStringList{Refused});
    QVERIFY(stayedOpen);
    QVERIFY(bytesOf(path("zaznam.csv")).endsWith("\r\n7;+;5;12;13;3\r\n"));
    QVERIFY(bytesOf(path("numik.ini")).startsWith("[Rezim]"));
}

void TestRecordWindows::historyExport_data()
{
    QTest::addColumn<QByteArray>("csvText"); // null: no historie.csv
    QTest::addColumn<int>("rowCount");
    // the history file holds evaluations on 1, 2 and 3 March; the viewer shows 3 March
    const EvaluationRecord first = evaluationOn({2024, 3, 1}), second = evaluationOn({2024, 3, 2}, 5),
                           third = evaluationOn({2024, 3, 3}, 7);
    QTest::newRow("no historie.csv") << QByteArray() << 3;
    QTest::newRow("historie.csv begun anew") << historyCsv({third}) << 3;
    QTest::newRow("a row lost to a failed append") << historyCsv({first, third}) << 3;
    QTest::newRow("every row there") << historyCsv({first, second, third}) << 3;
    // far past the few MiB the chart reads: every row is exported
    QByteArray huge = historyCsv({evaluationOn({2023, 9, 1})});
    const QByteArray filler = CsvLine(HistoryCsvFields(HistoryCsvRowOf(evaluationOn({2024, 1, 1}))));
    const int fillers = int(5 * 1024 * 1024 / filler.size());
    huge += filler.repeated(fillers) + historyCsv({first, second, third}).mid(historyCsv({}).size());
    QTest::newRow("huge historie.csv") << huge << fillers + 4;
}

void TestRecordWindows::historyExport()
{
    QFETCH(QByteArray, csvText);
    QFETCH(int, rowCount);
    m_fixture->writeIni("[Rezim]\ntyp=1\n");
    for (const QDate day : {QDate(2024, 3, 3), QDate(2024, 3, 2), QDate(2024, 3, 1)})
        PrependEvaluation(path("hdv.ndv"), evaluationOn(day, day.day() == 2 ? 5 : day.day() == 3 ? 7 : 9), HistoryCapacity);
    if (!csvText.isNull())
        writeFile(path("historie.csv"), csvText);
    SetExportFileAsker([&](QWidget *, const QString &) { return path("export.csv"); });
    const auto forget = qScopeGuard([] { SetExportFileAsker({}); });
    auto w = m_fixture->startWindow();
    w->setLocalClock([] { return QDateTime(QDate(2024, 3, 3), QTime(13, 0)); });
    {
        ModalSweeper sweeper([&](QWidget *viewer) {
            QTest::mouseClick(viewer->findChild<QPushButton *>(QStringLiteral("BExport")), Qt::LeftButton);
        });
        trigger(*w, "MMHDH");
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(sweeper.messages.isEmpty());
    }
    const QByteArray exported = bytesOf(path("export.csv"));
    QCOMPARE(exported.count("\r\n"), rowCount + 1);
    QVERIFY(exported.endsWith("2024-03-01;12:00:00;1;9;1;90;+;\r\n2024-03-02;12:00:00;1;5;1;83;+;\r\n"
                              "2024-03-03;12:00:00;1;7;1;88;+;\r\n"));
}

void TestRecordWindows::progressChart_data()
{
    QTest::addColumn<QByteArray>("csvText"); // null: no historie.csv
    QTest::addColumn<QList<QDate>>("history");
    QTest::addColumn<QString>("emptyText"); // empty: the chart is shown
    QTest::addColumn<bool>("tailNote");
    QList<QDate> june;
    for (int day = 3; day <= 27; ++day)
        june.append(QDate(2024, 6, day));
    QTest::newRow("after the holidays") << QByteArray() << june
                                        << "V posledních 8 týdnech není žádné hodnocení. Poslední hodnocení bylo 27. 6. 2024."
                                        << false;
    QTest::newRow("historie.csv begun anew") << historyCsv({}) << QList<QDate>{{2024, 12, 1}} << QString() << false;
    const QByteArray filler = CsvLine(HistoryCsvFields(HistoryCsvRowOf(evaluationOn({2024, 12, 2}))));
    QTest::newRow("huge historie.csv") << historyCsv({}) + filler.repeated(int(HistoryCsvReadLimit / filler.size()) + 10)
                                       << QList<QDate>{{2024, 12, 1}} << QString() << true;
}

// "Vývoj hodnocení" from the viewer: the chart, or what the chosen period lacks.
void TestRecordWindows::progressChart()
{
    QFETCH(QByteArray, csvText);
    QFETCH(QList<QDate>, history);
    QFETCH(QString, emptyText);
    QFETCH(bool, tailNote);
    m_fixture->writeIni("[Okno]\nvelikost=300\n");
    for (const QDate day : history)
        PrependEvaluation(path("hdv.ndv"), evaluationOn(day), HistoryCapacity);
    if (!csvText.isNull())
        writeFile(path("historie.csv"), csvText);
    auto w = m_fixture->startWindow();
    w->setLocalClock([] { return QDateTime(QDate(2024, 12, 8), QTime(10, 0)); });
    QString title, text;
    bool closedByEsc = false, noted = false, wholeAfterAll = false;
    QSize size;
    const auto look = [&](QWidget *viewer) {
        ModalDialogCloser closer([&](QWidget *chart) {
            title = chart->windowTitle();
            auto *pages = chart->findChild<QStackedWidget *>();
            QVERIFY(pages);
            if (pages->currentWidget()->objectName() == u"LPrazdno")
                text = chart->findChild<QLabel *>(QStringLiteral("LPrazdno"))->text();
            noted = chart->findChild<QLabel *>(QStringLiteral("LKonec")) != nullptr;
            size = chart->size();
            chart->findChild<QComboBox *>(QStringLiteral("CBObdobi"))->setCurrentIndex(2); // "vše"
            wholeAfterAll = pages->currentWidget()->objectName() == u"ProgressChart";
            QTest::keyClick(chart, Qt::Key_Escape);
            closedByEsc = !chart->isVisible();
        });
        viewer->findChild<QPushButton *>(QStringLiteral("BBGraf"))->click();
        QVERIFY(closer.handled());
    };
    {
        ModalSweeper sweeper(look);
        trigger(*w, "MMHDH");
    }
    QCOMPARE(title, QStringLiteral("Vývoj hodnocení"));
    QCOMPARE(text, emptyText);
    QCOMPARE(noted, tailNote);
    QVERIFY(wholeAfterAll);
    QVERIFY(closedByEsc);
    // at 300 % the chart grows as far as the screen lets it
    const QSize screen = w->screen()->availableGeometry().size();
    QVERIFY2(size.width() > 760 && size.width() <= screen.width() && size.height() <= screen.height(),
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
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
            QTRY_COMPARE(QApplication::focusWidget(), about->findChild<QPushButton *>(QStringLiteral("Button1")));
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
