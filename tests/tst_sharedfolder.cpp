// Two pupils' accounts on one computer keep their records in one folder that their group shares:
// the folder the guide sets up (group, setgid, a default ACL) and a sticky folder that every
// account may write to. The accounts are staged with setpriv when the tests run as root.
#include "core/records/daycount.h"
#include "core/records/historycsv.h"
#include "core/records/wrongresults.h"
#include "core/settings/inifile.h"
#include "rerun.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>

using namespace testsupport;

namespace {

// The pupils' group; the accounts are the numbers after it.
constexpr uint PupilsGroup = 61000;

// One account's turn, value "<account> <folder>": each kind of record and a setting, stored
// after what the other account stored before.
void storeAsAccount(const QByteArray &value)
{
    const int account = value.left(1).toInt();
    const QDir folder(QString::fromLocal8Bit(value.mid(2)));
    const auto file = [&](const char *name) { return folder.filePath(QLatin1String(name)); };
    const EvaluationRecord evaluation{DateTimeFromLocal({{2026, 12, 8}, {10, account}}), 1, account, 0, {}, 0};
    AppendWrongResult(file("chyba.nmk"), {account, 2, 1, 5, false, 0, 1});
    AppendWrongResult(file("chybavysl.nmk"), {account, 2, 1, 5, false, 0, 1});
    PrependEvaluation(file("hdv.ndv"), evaluation, HistoryCapacity);
    AppendHistoryCsv(file("historie.csv"), evaluation);
    IniWriteInteger(file("numik.ini"), "Plus", "C1OD", account);
    const QList<int> counts{CountWrongResults(file("chyba.nmk")), CountWrongResults(file("chybavysl.nmk")),
                            CountEvaluations(file("hdv.ndv")), int(ReadHistoryCsv(file("historie.csv")).size()),
                            IniReadInteger(file("numik.ini"), "Plus", "C1OD", 0)};
    QCOMPARE(counts, QList<int>(5, account));
    // a re-test starts over the other account's wrong-results log
    if (account == 2) {
        DeleteRecordFile(file("chybavysl.nmk"));
        QCOMPARE(CountWrongResults(file("chybavysl.nmk")), 0);
    }
}

} // namespace

class TestSharedFolder : public QObject
{
    Q_OBJECT

private slots:
    void twoAccounts_data();
    void twoAccounts();
};

void TestSharedFolder::twoAccounts_data()
{
    QTest::addColumn<int>("mode");        // of the folder
    QTest::addColumn<QStringList>("acl"); // setfacl's options for it, as the guide gives them
    QTest::addColumn<QString>("umask");   // the pupils'
    const QString group = QString::number(PupilsGroup);
    QTest::newRow("guide's folder") << 02770 << QStringList{"-m", "g:" + group + ":rwx", "-m", "d:g:" + group + ":rwx"}
                                    << "022";
    QTest::newRow("sticky folder") << 01777 << QStringList{} << "002";
}

void TestSharedFolder::twoAccounts()
{
    if (const QByteArray value = rerunValue(); !value.isEmpty()) {
        try {
            storeAsAccount(value);
        } catch (const std::exception &error) {
            QFAIL(error.what());
        }
        return;
    }
    if (!needsUnprivilegedRerun())
        QSKIP("two accounts are staged by root");
    QFETCH(int, mode);
    QFETCH(QStringList, acl);
    QFETCH(QString, umask);
    QTemporaryDir outer;
    const QByteArray folder = QFile::encodeName(outer.filePath(QStringLiteral("trida")));
    QVERIFY(::chmod(QFile::encodeName(outer.path()).constData(), 0711) == 0 && ::mkdir(folder.constData(), 0) == 0);
    QVERIFY(::chown(folder.constData(), 0, PupilsGroup) == 0 && ::chmod(folder.constData(), mode_t(mode)) == 0);
    if (!acl.isEmpty() && QProcess::execute(QStringLiteral("setfacl"), acl << QFile::decodeName(folder)) != 0)
        QSKIP("no setfacl, or no ACLs on this file system");
    for (const uint account : {1u, 2u}) {
        const Rerun rerun = rerunAsAccount(PupilsGroup + account, PupilsGroup, umask,
                                           QStringLiteral("twoAccounts:") + QTest::currentDataTag(),
                                           QByteArray::number(account) + ' ' + folder);
        if (!rerun.started)
            QSKIP("no setpriv here");
        QVERIFY2(rerun.exitCode == 0, rerun.output.constData());
    }
}

QTEST_GUILESS_MAIN(TestSharedFolder)
#include "tst_sharedfolder.moc"
