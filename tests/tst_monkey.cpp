// A long seeded random drive of the real main window: keys into the fields, every menu command
// reachable from the menu bar, countdown ticks and whatever dialogs they open, closed again at
// random. After every step and at the end, what the window counted must agree with what it wrote.
#include "core/practice/answercheck.h"
#include "core/records/recordfiles.h"
#include "core/settings/inifile.h"
#include "mainwindowfixture.h"
#include "ui/records/csvexportui.h"

#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTimer>

using namespace testsupport;

namespace {

struct MenuCommand
{
    QList<QMenu *> menus; // from the menu bar down to the item's own menu
    QAction *action;
};

void collect(QMenu *menu, QList<QMenu *> path, QList<MenuCommand> &out)
{
    path.append(menu);
    for (QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (action->menu())
            collect(action->menu(), path, out);
        else
            out.append({path, action});
    }
}

// The exercise on screen: the shown numbers, the operation and the hidden slot.
QString exerciseKey(TFZaklad &w)
{
    TAMEdit *hidden = MainWindowFixture::answerField(w);
    QStringList parts;
    for (const char *name : {"ECislo1", "EOperace", "ECislo2", "EVysledek"}) {
        auto *field = MainWindowFixture::child<TAMEdit>(w, name);
        parts << (field == hidden ? QStringLiteral("?") : field->text());
    }
    return parts.join(u' ');
}

int envInt(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

private slots:
    void randomDrive();
};

void TestMonkey::randomDrive()
{
    const int steps = envInt("NUMIK_MONKEY_STEPS", 20000);
    const auto seed = quint32(envInt("NUMIK_MONKEY_SEED", 20261207));
    QRandomGenerator random(seed);
    // each zoom change on the offscreen platform says it cannot pass on size hints
    static const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context,
                                                                        const QString &text) {
        if (!text.contains(QLatin1String("propagateSizeHints")))
            previous(type, context, text);
    });
    qInfo("seed %u, %d steps", seed, steps);

    MainWindowFixture fixture;
    // wide ranges, so that one exercise is hardly ever drawn twice in a row; a 3-second limit
    fixture.writeIni("[Plus]\nC1DO=100000\nC2DO=100000\nVDO=200000\n"
                     "[Minus]\nC1DO=100000\nC2DO=100000\nVDO=100000\n"
                     "[Krat]\nC1DO=1000\nC2DO=1000\nVDO=1000000\n"
                     "[Del]\nC1DO=1000000\nC2OD=1\nC2DO=1000\nVDO=1000000\n"
                     "[Operace]\nPlus=1\nMinus=1\nKrat=1\nDeleni=1\n"
                     "[CasLimit]\nhodnota=3\n[Neznama]\npouzevysl=0\n[Hodnoceni]\nautopo=7\n");
    auto w = fixture.startWindow();
    w->setLocalClock([] { return QDateTime(QDate(2026, 12, 7), QTime(10, 0)); });
    auto *countdown = MainWindowFixture::child<QTimer>(*w, "TCasLimit");

    // The exports' file dialog is cancelled: the monkey writes no files outside its folder.
    SetExportFileAsker([](QWidget *, const QString &) { return QString(); });
    const auto forget = qScopeGuard([] { SetExportFileAsker({}); });
    // Whatever modal window appears is answered with Esc, or now and then with Enter.
    QStringList messages;
    QTimer closer;
    closer.setInterval(1);
    connect(&closer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            messages << box->text();
        QTest::keyClick(modal, random.bounded(10) < 3 ? Qt::Key_Return : Qt::Key_Escape);
        if (modal->isVisible() && random.bounded(4) == 0) {
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else
                modal->close();
        }
    });
    closer.start();

    QList<MenuCommand> commands;
    for (QAction *top : w->menuBar()->actions()) {
        if (top->menu())
            collect(top->menu(), {}, commands);
    }
    QVERIFY(!commands.isEmpty());
    const QList<QCheckBox *> switches = w->findChildren<QCheckBox *>();
    const QString retestFile = fixture.path("chyba.nmk");
    const QString wrongFile = fixture.path("chybavysl.nmk");

    qint64 counted = 0;  // misses counted while no record file was emptied
    qint64 recorded = 0; // wrong-results records written meanwhile
    bool filesShrank = false;
    qint32 correct = 0, wrong = 0, retestCount = 0, wrongCount = 0;
    QString lastRecordedExercise;
    int triggered = 0;
    for (int step = 0; step < steps; ++step) {
        // the real timer would tick into the middle of a step; the monkey ticks it itself
        if (countdown->interval() != 1 << 30)
            countdown->setInterval(1 << 30);
        if (!w->isVisible())
            w->show();
        const QString before = exerciseKey(*w);
        messages.clear();

        TAMEdit *field = MainWindowFixture::answerField(*w);
        const int choice = random.bounded(100);
        if (choice < 40 && field) {
            static const Qt::Key keys[] = {Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_5, Qt::Key_9, Qt::Key_Minus,
                                           Qt::Key_X, Qt::Key_Dollar, Qt::Key_Backspace, Qt::Key_Space};
            QTest::keyClick(field, keys[random.bounded(int(std::size(keys)))]);
        } else if (choice < 55 && field) {
            QTest::keyClick(field, Qt::Key_Return);
        } else if (choice < 70 && field) {
            // the right result, where the result is the hidden number
            if (field->objectName() == QLatin1String("EVysledek")) {
                const qint32 right = ExpectedResult(MainWindowFixture::child<TAMEdit>(*w, "EOperace")->tag(),
                                                    NumberOrZero(MainWindowFixture::child<TAMEdit>(*w, "ECislo1")->text()),
                                                    NumberOrZero(MainWindowFixture::child<TAMEdit>(*w, "ECislo2")->text()));
                field->setText(QString::number(right));
            }
            QTest::keyClick(field, Qt::Key_Return);
        } else if (choice < 85) {
            if (countdown->isActive())
                w->TCasLimitTimer();
        } else if (choice < 88) {
            QTest::keyClick(switches[random.bounded(int(switches.size()))], Qt::Key_Space);
        } else {
            const MenuCommand &command = commands[random.bounded(int(commands.size()))];
            for (QMenu *menu : command.menus)
                emit menu->aboutToShow();
            if (command.action->isEnabled()) {
                ++triggered;
                command.action->trigger();
            }
        }
        QCoreApplication::processEvents();

        // Each step judges at most one answer or one time-out.
        const qint32 nowCorrect = w->session().TotalCorrect();
        const qint32 nowWrong = w->session().TotalWrong();
        const bool reset = nowCorrect < correct || nowWrong < wrong;
        const qint32 newCorrect = reset ? 0 : nowCorrect - correct;
        const qint32 newWrong = reset ? 0 : nowWrong - wrong;
        QVERIFY2(newCorrect + newWrong <= 1, qPrintable(QStringLiteral("step %1 judged twice").arg(step)));
        // a right answer is never judged again: the next exercise stands there
        if (newCorrect == 1 && !messages.contains(QStringLiteral("Chyba v programu")))
            QVERIFY2(exerciseKey(*w) != before, qPrintable(QStringLiteral("step %1").arg(step)));

        const qint32 nowRetest = CountWrongResults(retestFile);
        const qint32 nowWrongRecords = CountWrongResults(wrongFile);
        if (nowRetest < retestCount || nowWrongRecords < wrongCount)
            filesShrank = true; // a re-test began or ended: the sums start anew below
        if (nowRetest > retestCount) {
            // once per missed exercise, and only for a miss
            QCOMPARE(nowRetest - retestCount, 1);
            QCOMPARE(newWrong, 1);
            QVERIFY2(before != lastRecordedExercise, qPrintable(QStringLiteral("step %1 stored %2 twice").arg(step).arg(before)));
            lastRecordedExercise = before;
        }
        if (nowWrongRecords > wrongCount)
            QCOMPARE(nowWrongRecords - wrongCount, newWrong);
        if (!filesShrank) {
            counted += newWrong;
            recorded += std::max(0, nowWrongRecords - wrongCount);
        }
        correct = nowCorrect;
        wrong = nowWrong;
        retestCount = nowRetest;
        wrongCount = nowWrongRecords;
    }
    qInfo("%d menu commands triggered; %d right, %d wrong at the end; %lld misses recorded", triggered, correct, wrong,
          recorded);
    QCOMPARE(recorded, counted);
    QVERIFY(counted > 0);

    w->close();
    closer.stop();
    // the settings file parses: sections and keys, every switch as the window left it
    const QByteArray ini = bytesOf(fixture.path("numik.ini"));
    for (const QByteArray &line : ini.split('\n')) {
        const QByteArray t = line.trimmed();
        QVERIFY2(t.isEmpty() || t.startsWith(';') || (t.startsWith('[') && t.endsWith(']')) || t.contains('='), t.constData());
    }
    PracticeSettings settings;
    OperationSwitches stored;
    NactiRozsahZIni(fixture.path("numik.ini"), settings);
    NastavDleIni(fixture.path("numik.ini"), settings, stored);
    QCOMPARE(stored.plus, MainWindowFixture::child<QCheckBox>(*w, "ChBPlus")->isChecked());
    QCOMPARE(stored.deleni, MainWindowFixture::child<QCheckBox>(*w, "ChBDeleni")->isChecked());
    QCOMPARE(IniReadInteger(fixture.path("numik.ini"), "Okno", "velikost", -1), w->zoomPercent());
}

NUMIK_GUI_TEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
