// Every write path of the main window on a failing disk: the program folder read-only (staged as
// an unprivileged user when the tests run as root), gone, or on a full file system. Each shows the
// program's message, keeps the state the program describes and loses no earlier record.
#include "core/practice/answercheck.h"
#include "core/records/historycsv.h"
#include "core/records/ioerror.h"
#include "core/records/recordfiles.h"
#include "core/settings/inifile.h"
#include "mainwindowfixture.h"
#include "rerun.h"

#include <QDir>
#include <QMessageBox>
#include <QProcess>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace testsupport;

namespace {

const QByteArray SevenPlusFive = "[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n[Hodnoceni]\nautopo=2\n";

QByteArray records(int count)
{
    QByteArray bytes;
    WrongResultRecord r;
    for (int n = 1; n <= count; ++n) {
        r.FirstNumber = n;
        bytes += r.encode();
    }
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The files of a program that has run before. 146 wrong results end 8 bytes short of a page,
// so that on a full disk the next one needs a page there is none of.
void stageProgramFolder(const QString &folder)
{
    writeFile(folder + QStringLiteral("/numik.ini"), SevenPlusFive);
    writeFile(folder + QStringLiteral("/chyba.nmk"), records(146));
    writeFile(folder + QStringLiteral("/chybavysl.nmk"), records(146));
}

// What the result field must hold for the exercise on screen (the result is the hidden number).
QString rightResult(TFZaklad &w)
{
    const auto number = [&](const char *name) { return NumberOrZero(MainWindowFixture::child<TAMEdit>(w, name)->text()); };
    return QString::number(
        ExpectedResult(MainWindowFixture::child<TAMEdit>(w, "EOperace")->tag(), number("ECislo1"), number("ECislo2")));
}

void fillDisk(const QString &folder)
{
    const int filler = ::open(QFile::encodeName(folder + QStringLiteral("/filler")).constData(), O_WRONLY | O_CREAT, 0644);
    const QByteArray page(4096, 'f');
    while (::write(filler, page.constData(), size_t(page.size())) > 0) {
    }
    ::close(filler);
}

} // namespace

class TestFailingDisk : public QObject
{
    Q_OBJECT

private slots:
    void writePaths_data();
    void writePaths();
    void settingsInReadOnlyFolder_data();
    void settingsInReadOnlyFolder();
    void historyRowOnFullDisk();
    void lockHeldByAnotherProcess();
};

void TestFailingDisk::writePaths_data()
{
    QTest::addColumn<QString>("disk");  // "read-only", "missing" or "full"
    QTest::addColumn<QString>("write"); // "wrong result", "history" or "exit"
    QTest::addColumn<QString>("message"); // for a record file
    const std::pair<const char *, const char *> disks[] = {
        {"read-only", "File access denied."}, {"missing", "Invalid filename."}, {"full", "Disk full."}};
    for (const auto &[disk, message] : disks) {
        for (const char *write : {"wrong result", "history", "exit"})
            QTest::addRow("%s folder, %s", disk, write) << disk << write << message;
    }
}

void TestFailingDisk::writePaths()
{
    QFETCH(QString, disk);
    QFETCH(QString, write);
    QFETCH(QString, message);
    QTemporaryDir outer;
    QString folder = QString::fromLocal8Bit(rerunValue());
    if (folder.isEmpty()) {
        folder = outer.filePath(QStringLiteral("program"));
        const QString function = QStringLiteral("writePaths:") + QTest::currentDataTag();
        Rerun rerun;
        if (disk == QLatin1String("full")) {
            QVERIFY(QDir().mkdir(folder));
            rerun = rerunUnder(tinyDiskWrapper(folder, 96), function, folder.toLocal8Bit());
            if (!rerun.started || rerun.output.contains("mount:") || rerun.output.contains("unshare:"))
                QSKIP("no user and mount namespaces here");
        } else if (disk == QLatin1String("read-only")) {
            QVERIFY(QDir().mkdir(folder));
            stageProgramFolder(folder);
            QFile::setPermissions(outer.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther);
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
            if (needsUnprivilegedRerun()) {
                rerun = rerunUnprivileged(function, folder.toLocal8Bit());
                QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            }
        }
        if (rerun.started) {
            QVERIFY2(rerun.exitCode == 0, rerun.output.constData());
            return;
        }
    } else if (disk == QLatin1String("full")) {
        stageProgramFolder(folder);
        fillDisk(folder);
    }
    const QByteArray iniBefore = bytesOf(folder + QStringLiteral("/numik.ini"));
    const QByteArray before = bytesOf(folder + QStringLiteral("/chyba.nmk"));

    // "missing": the folder the program runs from has gone
    auto w = std::make_unique<TFZaklad>(folder);
    w->setFeedbackPause(std::chrono::milliseconds(0));
    w->show();
    SeenBox seen;
    if (write != QLatin1String("exit")) {
        // the miss or the evaluation waits in memory: the answer counts, and a calm notice says why
        const bool history = write == QLatin1String("history");
        // without its settings file the program evaluates after 15 exercises
        const int evaluateAfter = !history ? 0 : disk == QLatin1String("missing") ? 15 : 2;
        for (int i = 1; i < evaluateAfter; ++i)
            MainWindowFixture::answer(*w, rightResult(*w));
        std::unique_ptr<ModalDialogCloser> notice, evaluation;
        if (history)
            evaluation = std::make_unique<ModalDialogCloser>(
                [&](QWidget *) { notice = std::make_unique<ModalDialogCloser>(recordBox(seen)); });
        else
            notice = std::make_unique<ModalDialogCloser>(recordBox(seen));
        MainWindowFixture::answer(*w, history ? rightResult(*w) : QString::number(rightResult(*w).toInt() + 1));
        QTRY_VERIFY(notice && notice->handled());
        QCOMPARE(w->session().TotalCorrect(), evaluateAfter);
        QCOMPARE(w->session().TotalWrong(), history ? 0 : 1);
        QCOMPARE(w->flow().pendingRecords().count(), 2);
        QCOMPARE(seen.icon, QMessageBox::Information);
        const QString file = history ? QStringLiteral("hdv.ndv") : QStringLiteral("chyba.nmk");
        QVERIFY2(seen.text.startsWith(QStringLiteral("Odpovědi se teď nedaří uložit do souboru ") + file + " ("
                                      + message + u')'),
                 qPrintable(seen.text));
    } else {
        ModalDialogCloser closer(recordBox(seen));
        w->close();
        QVERIFY(closer.handled());
        QVERIFY(!w->isVisible()); // the program ends all the same
        message = QStringLiteral("Unable to write to ") + folder + QStringLiteral("/numik.ini.");
        QCOMPARE(seen.text.section(u'\n', 0, 0), message);
        QCOMPARE(seen.title, QStringLiteral("Numik-Korvelanta"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
    }
    // nothing written before is lost or damaged
    QCOMPARE(bytesOf(folder + QStringLiteral("/numik.ini")), iniBefore);
    // not even part of a record: a write cut short by the full disk is cut back off
    QCOMPARE(bytesOf(folder + QStringLiteral("/chyba.nmk")), before);
    QCOMPARE(CountWrongResults(folder + QStringLiteral("/chyba.nmk")), disk == QLatin1String("missing") ? 0 : 146);
}

void TestFailingDisk::settingsInReadOnlyFolder_data()
{
    QTest::addColumn<int>("size"); // of the settings file before the password is written
    QTest::addColumn<bool>("written");
    QTest::newRow("the password fits the file's page") << 100 << true;
    QTest::newRow("the password needs a page the full disk lacks") << 4090 << false;
}

// A folder that takes no new file holds a writable settings file, on a full disk: the file can
// only be written in place, and either it is written whole or it stays as it was.
void TestFailingDisk::settingsInReadOnlyFolder()
{
    QFETCH(int, size);
    QFETCH(bool, written);
    const QString folder = QString::fromLocal8Bit(rerunValue());
    if (folder.isEmpty()) {
        QTemporaryDir outer;
        const QString mountPoint = outer.filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkdir(mountPoint));
        // without capabilities even the namespace's root must keep to the permissions
        const Rerun rerun = rerunUnder(tinyDiskWrapper(mountPoint, 64) + QStringList{QStringLiteral("setpriv"),
                                           QStringLiteral("--inh-caps=-all"), QStringLiteral("--bounding-set=-all")},
                                       QStringLiteral("settingsInReadOnlyFolder:") + QTest::currentDataTag(),
                                       mountPoint.toLocal8Bit());
        if (!rerun.started || rerun.output.contains("mount:") || rerun.output.contains("unshare:")
            || rerun.output.contains("setpriv:"))
            QSKIP("no user and mount namespaces here");
        QVERIFY2(rerun.exitCode == 0, rerun.output.constData());
        return;
    }
    const QString ini = folder + QStringLiteral("/numik.ini");
    const QByteArray before = SevenPlusFive + ';' + QByteArray(size - SevenPlusFive.size() - 2, 'x') + '\n';
    writeFile(ini, before);
    fillDisk(folder);
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY2(::access(QFile::encodeName(folder).constData(), W_OK) != 0, "the folder is still writable");

    const auto writePassword = [&] { IniWriteString(ini, "Heslo", "hodnota", "\"ucitel123\""); };
    if (written)
        writePassword();
    else
        QVERIFY_THROWS_EXCEPTION(IniWriteError, writePassword());
    QCOMPARE(IniReadString(ini, "Heslo", "hodnota", QString()), written ? QStringLiteral("ucitel123") : QString());
    if (!written)
        QCOMPARE(bytesOf(ini), before);
}

// historie.csv is never rewritten, so a row cut short by a full disk would stay for good.
void TestFailingDisk::historyRowOnFullDisk()
{
    const QString folder = QString::fromLocal8Bit(rerunValue());
    if (folder.isEmpty()) {
        QTemporaryDir outer;
        const QString mountPoint = outer.filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkdir(mountPoint));
        const Rerun rerun = rerunUnder(tinyDiskWrapper(mountPoint, 64), QStringLiteral("historyRowOnFullDisk"),
                                       mountPoint.toLocal8Bit());
        if (!rerun.started || rerun.output.contains("mount:") || rerun.output.contains("unshare:"))
            QSKIP("no user and mount namespaces here");
        QVERIFY2(rerun.exitCode == 0, rerun.output.constData());
        return;
    }
    // the rows so far end 8 bytes short of a page: the next row finds room for its start only
    const QString csv = folder + QStringLiteral("/historie.csv");
    const QByteArray before = QByteArray(4086, 'x') + "\r\n";
    writeFile(csv, before);
    fillDisk(folder);
    EvaluationRecord evaluation;
    evaluation.DateTime = 46000.5;
    QVERIFY_THROWS_EXCEPTION(InOutError, AppendHistoryCsv(csv, evaluation));
    QCOMPARE(bytesOf(csv), before);
}

// Another pupil's copy, or a teacher's "flock", holds the wrong-results file for as long as it likes:
// the window goes on at once, and the miss is written when the file is free, or by the next start.
void TestFailingDisk::lockHeldByAnotherProcess()
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    writeFile(folder + QStringLiteral("/numik.ini"), SevenPlusFive);
    const QString wrongResults = folder + QStringLiteral("/chybavysl.nmk");
    writeFile(wrongResults, QByteArray());
    // with the old lock wait the answer below would keep the window for ten minutes
    const auto savedTimeout = RecordFileHandle::lockTimeout();
    RecordFileHandle::setLockTimeout(std::chrono::minutes(10));
    const auto held = [&] {
        const int fd = ::open(QFile::encodeName(wrongResults).constData(), O_RDONLY | O_CLOEXEC);
        const bool busy = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        ::close(fd);
        return busy;
    };
    const auto hold = [&](QProcess &holder) {
        holder.start(QStringLiteral("flock"), {QStringLiteral("-x"), wrongResults, QStringLiteral("cat")});
        return holder.waitForStarted() && QTest::qWaitFor(held);
    };
    for (const bool closeWhileHeld : {false, true}) {
        auto w = std::make_unique<TFZaklad>(folder);
        w->setFeedbackPause(std::chrono::milliseconds(0));
        w->show();
        QProcess holder;
        if (!hold(holder))
            QSKIP("flock(1) cannot hold the file here");
        MainWindowFixture::answer(*w, QString::number(rightResult(*w).toInt() + 1));
        QCOMPARE(holder.state(), QProcess::Running);
        QCOMPARE(w->session().TotalWrong(), 1);
        QCOMPARE(w->flow().pendingRecords().count(), 1);
        if (closeWhileHeld) {
            w->close();
            QCOMPARE(QFileInfo(folder + QStringLiteral("/nezapsano.nmk")).size(), 1 + WrongResultRecord::Size);
        }
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished());
        if (closeWhileHeld) { // the next start writes it in
            w = std::make_unique<TFZaklad>(folder);
            w->show();
        }
        QTRY_COMPARE(CountWrongResults(wrongResults), closeWhileHeld ? 2 : 1);
    }
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/nezapsano.nmk")));
    RecordFileHandle::setLockTimeout(savedTimeout);
}

NUMIK_GUI_TEST_MAIN(TestFailingDisk)
#include "tst_failingdisk.moc"
