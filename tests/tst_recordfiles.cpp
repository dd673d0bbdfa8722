#include "core/records/daycount.h"
#include "core/records/ioerror.h"
#include "core/records/recordfilehandle.h"
#include "core/records/recordfiles.h"
#include "core/records/recordfiletoolarge.h"
#include "core/records/wrongresults.h"
#include "rerun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtNumeric>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <limits>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// A re-test's delete: the record numbered record, answered where the copy expected it.
struct Answered
{
    qint32 index;
    qint32 record;
};

enum class Op { CountWrong, CountEval, Append, Read, Delete, Prepend, ReadEvals, RemoveFile };

WrongResultRecord wrong(qint32 n)
{
    WrongResultRecord r;
    r.FirstNumber = n;
    r.SecondNumber = -n;
    r.Operation = 1 + n % 4;
    r.Result = n * 1000;
    r.TimedOut = n % 2 != 0;
    r.TimeLimit = n % 7;
    r.HiddenSlot = 1 + n % 3;
    return r;
}

EvaluationRecord evaluation(qint32 n)
{
    EvaluationRecord r;
    r.DateTime = 45000.25 + n;
    r.Grade = 1 + n % 5;
    r.CorrectCount = n;
    r.WrongCount = 2 * n;
    r.Practised = {n % 2 == 0, true, false, n % 3 == 0};
    r.MaxTimeLimit = n;
    return r;
}

QByteArray wrongBytes(std::initializer_list<qint32> ns)
{
    QByteArray bytes;
    for (qint32 n : ns)
        bytes += wrong(n).encode();
    return bytes;
}

QByteArray wrongRange(qint32 from, qint32 to)
{
    QByteArray bytes;
    for (qint32 n = from; n <= to; ++n)
        bytes += wrong(n).encode();
    return bytes;
}

QByteArray evaluationBytes(qint32 from, qint32 to)
{
    QByteArray bytes;
    for (qint32 n = from; n <= to; ++n)
        bytes += evaluation(n).encode();
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot prepare %s", qPrintable(path));
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void run(Op op, const QString &path)
{
    qint32 index = 1;
    WrongResultRecord record;
    switch (op) {
    case Op::CountWrong:
        CountWrongResults(path);
        break;
    case Op::CountEval:
        CountEvaluations(path);
        break;
    case Op::Append:
        AppendWrongResult(path, wrong(1));
        break;
    case Op::Read:
        ReadWrongResult(path, index, record);
        break;
    case Op::Delete:
        DeleteWrongResult(path, 1);
        break;
    case Op::Prepend:
        PrependEvaluation(path, evaluation(1), HistoryCapacity);
        break;
    case Op::ReadEvals:
        ReadEvaluations(path);
        break;
    case Op::RemoveFile:
        DeleteRecordFile(path);
        break;
    }
}

// The I/O code an action fails with, 0 when it succeeds.
template <typename Action>
int failureCode(Action action)
{
    try {
        action();
    } catch (const InOutError &e) {
        return e.code();
    }
    return 0;
}

// Lowers the open-file limit for its lifetime so that the next open fails with EMFILE.
class OpenFileLimit
{
public:
    OpenFileLimit()
    {
        ::getrlimit(RLIMIT_NOFILE, &m_saved);
        const int lowestFree = ::dup(0);
        ::close(lowestFree);
        rlimit lowered = m_saved;
        lowered.rlim_cur = rlim_t(lowestFree);
        m_active = lowestFree >= 0 && ::setrlimit(RLIMIT_NOFILE, &lowered) == 0;
    }
    ~OpenFileLimit() { ::setrlimit(RLIMIT_NOFILE, &m_saved); }
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    bool m_active = false;
};

bool onSysfs(const char *path)
{
    struct statfs info;
    return ::statfs(path, &info) == 0 && info.f_type == 0x62656572; // sysfs magic
}

} // namespace

Q_DECLARE_METATYPE(Op)

class TestRecordFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void wrongResultRecordBytes();
    void evaluationRecordBytes();
    void anyNonZeroFlagByteReadsAsSet();

    void counts_data();
    void counts();
    void readClampsIndex_data();
    void readClampsIndex();
    void deleteRecord_data();
    void deleteRecord();
    void deleteAnsweredRecord_data();
    void deleteAnsweredRecord();
    void appendCoversTrailingFragment();
    void prepend_data();
    void prepend();
    void readEvaluations();
    void hugeFileCountIsClamped();
    void oversizedFileIsNeverRewritten_data();
    void oversizedFileIsNeverRewritten();

    void errorText_data();
    void errorText();
    void errnoMapping_data();
    void errnoMapping();
    void missingFolderOrNonFolderInPath_data();
    void missingFolderOrNonFolderInPath();
    void folderWhereFileExpected_data();
    void folderWhereFileExpected();
    void twoCopiesLoseNothing();
    void lockHeldByAnotherCopy_data();
    void lockHeldByAnotherCopy();
    void diskFull_data();
    void diskFull();
    void shortRead();
    void tooManyOpenFiles();
    void cannotWrite_data();
    void cannotWrite();

    void dayCount_data();
    void dayCount();
    void dayCountRounding_data();
    void dayCountRounding();
    void damagedDayCount_data();
    void damagedDayCount();

private:
    QString path(const char *name = "chyba.nmk") const { return m_dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRecordFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRecordFiles::wrongResultRecordBytes()
{
    // 7 + 5 answered with 13 under a 10-second limit
    WrongResultRecord r;
    r.FirstNumber = 7;
    r.SecondNumber = 5;
    r.Operation = 1;
    r.Result = 13;
    r.TimedOut = false;
    r.TimeLimit = 10;
    r.HiddenSlot = 3;
    const QByteArray expected =
        QByteArray::fromHex("07000000" "05000000" "01000000" "0D000000" "00000000" "0A000000" "03000000");
    QCOMPARE(r.encode().toHex(' '), expected.toHex(' '));
    QCOMPARE(WrongResultRecord::decode(expected.constData()), r);

    // negative numbers and a set flag go through two's complement and 1
    r.FirstNumber = -2;
    r.TimedOut = true;
    const QByteArray encoded = r.encode();
    QCOMPARE(encoded.left(4), QByteArray::fromHex("FEFFFFFF"));
    QCOMPARE(encoded.mid(16, 4), QByteArray::fromHex("01000000"));
    QCOMPARE(WrongResultRecord::decode(encoded.constData()), r);
}

void TestRecordFiles::evaluationRecordBytes()
{
    // 15 March 2024 12:00, grade 2, 14 right, 3 wrong, + and X practised, limit 10
    EvaluationRecord r;
    r.DateTime = 45366.5;
    r.Grade = 2;
    r.CorrectCount = 14;
    r.WrongCount = 3;
    r.Practised = {true, false, true, false};
    r.MaxTimeLimit = 10;
    const QByteArray expected = QByteArray::fromHex(
        "00000000D026E640" "02000000" "0E000000" "03000000" "01000100" "0A000000" "00000000");
    QCOMPARE(r.encode().toHex(' '), expected.toHex(' '));
    QCOMPARE(EvaluationRecord::decode(expected.constData()), r);
}

void TestRecordFiles::anyNonZeroFlagByteReadsAsSet()
{
    // padding is ignored, flags are any non-zero byte
    QByteArray w = wrong(2).encode();
    w[16] = char(0x80);
    w[17] = char(0xAA);
    w[19] = char(0xFF);
    QVERIFY(WrongResultRecord::decode(w.constData()).TimedOut);
    QCOMPARE(WrongResultRecord::decode(w.constData()).HiddenSlot, wrong(2).HiddenSlot);

    QByteArray e = EvaluationRecord().encode();
    e[21] = char(0xFF);
    e[23] = 2;
    e[28] = 'x';
    const EvaluationRecord d = EvaluationRecord::decode(e.constData());
    QCOMPARE(d.Practised, (std::array<bool, 4>{false, true, false, true}));
    QCOMPARE(d.encode().mid(20, 4), QByteArray::fromHex("00010001"));
    QCOMPARE(d.encode().mid(28), QByteArray(4, '\0'));
}

void TestRecordFiles::counts_data()
{
    QTest::addColumn<int>("bytes"); // -1: no file
    QTest::addColumn<qint32>("wrongResults");
    QTest::addColumn<qint32>("evaluations");
    QTest::newRow("missing file") << -1 << 0 << 0;
    QTest::newRow("empty file") << 0 << 0 << 0;
    QTest::newRow("27 bytes, a fragment") << 27 << 0 << 0;
    QTest::newRow("28 bytes") << 28 << 1 << 0;
    QTest::newRow("60 bytes") << 60 << 2 << 1;
    QTest::newRow("64 bytes") << 64 << 2 << 2;
    QTest::newRow("3200 bytes") << 3200 << 114 << 100;
}

void TestRecordFiles::counts()
{
    QFETCH(int, bytes);
    QFETCH(qint32, wrongResults);
    QFETCH(qint32, evaluations);
    if (bytes >= 0)
        writeFile(path(), QByteArray(bytes, 'x'));
    QCOMPARE(CountWrongResults(path()), wrongResults);
    QCOMPARE(CountEvaluations(path()), evaluations);
    QCOMPARE(QFileInfo::exists(path()), bytes >= 0);
}

void TestRecordFiles::readClampsIndex_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file at all
    QTest::addColumn<qint32>("index");
    QTest::addColumn<qint32>("clamped");
    QTest::addColumn<qint32>("expected"); // the record read, 0: left untouched
    const QByteArray abc = wrongBytes({10, 20, 30}) + QByteArray(5, 'z');
    QTest::newRow("first") << abc << 1 << 1 << 10;
    QTest::newRow("middle") << abc << 2 << 2 << 20;
    QTest::newRow("last, fragment ignored") << abc << 3 << 3 << 30;
    QTest::newRow("zero") << abc << 0 << 1 << 10;
    QTest::newRow("negative") << abc << -5 << 1 << 10;
    QTest::newRow("lowest int") << abc << std::numeric_limits<qint32>::min() << 1 << 10;
    QTest::newRow("beyond count") << abc << 4 << 3 << 30;
    QTest::newRow("highest int") << abc << std::numeric_limits<qint32>::max() << 3 << 30;
    QTest::newRow("fragment only") << QByteArray(27, 'z') << 2 << 1 << 0;
    QTest::newRow("missing file") << QByteArray() << 5 << 1 << 0;
    QTest::newRow("missing file, negative index") << QByteArray() << -5 << 1 << 0;
}

void TestRecordFiles::readClampsIndex()
{
    QFETCH(QByteArray, file);
    QFETCH(qint32, index);
    QFETCH(qint32, clamped);
    QFETCH(qint32, expected);
    if (!file.isEmpty())
        writeFile(path(), file);
    WrongResultRecord record = wrong(99);
    ReadWrongResult(path(), index, record);
    QCOMPARE(index, clamped);
    QCOMPARE(record, wrong(expected == 0 ? 99 : expected));
    QCOMPARE(contents(path()), file);
}

void TestRecordFiles::deleteRecord_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file at all
    QTest::addColumn<qint32>("index");
    QTest::addColumn<QByteArray>("after"); // empty: no file at all
    const QByteArray abc = wrongBytes({1, 2, 3});
    QTest::newRow("2 of A,B,C") << abc << 2 << wrongBytes({1, 3});
    QTest::newRow("3 of A,B,C") << abc << 3 << wrongBytes({1, 2});
    QTest::newRow("1 of A,B,C") << abc << 1 << wrongBytes({2, 3});
    QTest::newRow("the only record") << wrongBytes({1}) << 1 << QByteArray();
    QTest::newRow("trailing fragment is cut") << abc + "frag" << 2 << wrongBytes({1, 3});
    QTest::newRow("index 0 touches nothing") << abc + "frag" << 0 << abc + "frag";
    QTest::newRow("negative index touches nothing") << abc << -1 << abc;
    QTest::newRow("index beyond count touches nothing") << abc + "frag" << 4 << abc + "frag";
    QTest::newRow("fragment only, untouched") << QByteArray("frag") << 1 << QByteArray("frag");
    QTest::newRow("missing file stays missing") << QByteArray() << 1 << QByteArray();
    // longer than two of the blocks the tail moves in
    const QByteArray many = wrongRange(1, 5000);
    QTest::newRow("5000 records, the first") << many << 1 << wrongRange(2, 5000);
    QTest::newRow("5000 records, at a block's edge") << many << 2341 << wrongRange(1, 2340) + wrongRange(2342, 5000);
    QTest::newRow("5000 records, the last") << many + "frag" << 5000 << wrongRange(1, 4999);
}

void TestRecordFiles::deleteRecord()
{
    QFETCH(QByteArray, file);
    QFETCH(qint32, index);
    QFETCH(QByteArray, after);
    if (!file.isEmpty())
        writeFile(path(), file);
    DeleteWrongResult(path(), index);
    QCOMPARE(QFileInfo::exists(path()), !file.isEmpty());
    QCOMPARE(contents(path()).toHex(' '), after.toHex(' '));
}

void TestRecordFiles::deleteAnsweredRecord_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file at all
    QTest::addColumn<QList<Answered>>("deletes");
    QTest::addColumn<QList<qint32>>("positions");
    QTest::addColumn<QByteArray>("after");
    const QByteArray eleven = wrongRange(11, 15);
    QTest::newRow("two copies answer the first") << eleven << QList<Answered>{{1, 11}, {1, 11}} << QList<qint32>{1, 0}
                                                 << wrongRange(12, 15);
    QTest::newRow("moved up by the other copy") << wrongRange(12, 15) << QList<Answered>{{2, 12}} << QList<qint32>{1}
                                                << wrongRange(13, 15);
    QTest::newRow("first equal from the index on") << wrongBytes({1, 2, 1, 2}) << QList<Answered>{{2, 1}}
                                                   << QList<qint32>{3} << wrongBytes({1, 2, 2});
    QTest::newRow("else the first equal anywhere") << wrongBytes({2, 1, 2, 3}) << QList<Answered>{{4, 2}}
                                                   << QList<qint32>{1} << wrongBytes({1, 2, 3});
    QTest::newRow("missing file") << QByteArray() << QList<Answered>{{1, 1}} << QList<qint32>{0} << QByteArray();
    // searched a block at a time
    QTest::newRow("5000 records, found far before the index")
        << wrongRange(1, 5000) << QList<Answered>{{4999, 2341}} << QList<qint32>{2341}
        << wrongRange(1, 2340) + wrongRange(2342, 5000);
}

void TestRecordFiles::deleteAnsweredRecord()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<Answered>, deletes);
    QFETCH(QList<qint32>, positions);
    QFETCH(QByteArray, after);
    if (!file.isEmpty())
        writeFile(path(), file);
    QList<qint32> removedAt;
    for (const Answered &answered : deletes)
        removedAt.append(DeleteWrongResult(path(), answered.index, wrong(answered.record)));
    QCOMPARE(removedAt, positions);
    QCOMPARE(QFileInfo::exists(path()), !file.isEmpty());
    QCOMPARE(contents(path()).toHex(' '), after.toHex(' '));
}

void TestRecordFiles::appendCoversTrailingFragment()
{
    AppendWrongResult(path(), wrong(1));
    QCOMPARE(contents(path()), wrongBytes({1}));
    QCOMPARE(QFileInfo(path()).permissions() & QFileDevice::WriteOwner, QFileDevice::WriteOwner);

    writeFile(path(), wrongBytes({1}) + "fg");
    AppendWrongResult(path(), wrong(2));
    QCOMPARE(contents(path()), wrongBytes({1, 2}));
    QCOMPARE(CountWrongResults(path()), 2);
}

void TestRecordFiles::prepend_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file at all
    QTest::addColumn<qint32>("capacity");
    QTest::addColumn<QByteArray>("after"); // without the new record in front
    QTest::newRow("missing file") << QByteArray() << 100 << QByteArray();
    QTest::newRow("R1..R3") << evaluationBytes(1, 3) << 100 << evaluationBytes(1, 3);
    QTest::newRow("one record") << evaluationBytes(1, 1) << 100 << evaluationBytes(1, 1);
    QTest::newRow("99 grow to 100") << evaluationBytes(1, 99) << 100 << evaluationBytes(1, 99);
    QTest::newRow("100 stay 100") << evaluationBytes(1, 100) << 100 << evaluationBytes(1, 99);
    QTest::newRow("150 cut to 100") << evaluationBytes(1, 150) << 100 << evaluationBytes(1, 99);
    QTest::newRow("trailing fragment dropped") << evaluationBytes(1, 2) + "fragment" << 100 << evaluationBytes(1, 2);
    QTest::newRow("fragment only") << QByteArray("fragment") << 100 << QByteArray();
    QTest::newRow("capacity 1") << evaluationBytes(1, 3) << 1 << QByteArray();
    QTest::newRow("capacity 0 keeps the new one") << evaluationBytes(1, 3) << 0 << QByteArray();
    QTest::newRow("lowest capacity") << evaluationBytes(1, 3) << std::numeric_limits<qint32>::min() << QByteArray();
}

void TestRecordFiles::prepend()
{
    QFETCH(QByteArray, file);
    QFETCH(qint32, capacity);
    QFETCH(QByteArray, after);
    if (!file.isEmpty())
        writeFile(path("hdv.ndv"), file);
    PrependEvaluation(path("hdv.ndv"), evaluation(0), capacity);
    QCOMPARE(contents(path("hdv.ndv")).toHex(' '), (evaluationBytes(0, 0) + after).toHex(' '));
}

void TestRecordFiles::readEvaluations()
{
    QVERIFY(ReadEvaluations(path("hdv.ndv")).isEmpty());
    QVERIFY(!QFileInfo::exists(path("hdv.ndv")));

    writeFile(path("hdv.ndv"), evaluationBytes(1, 3) + "fragment");
    const QList<EvaluationRecord> expected = {evaluation(1), evaluation(2), evaluation(3)};
    QCOMPARE(ReadEvaluations(path("hdv.ndv")), expected);

    // what the program itself writes reads back newest first
    for (qint32 n = 3; n >= 1; --n)
        PrependEvaluation(path("hdv.ndv"), evaluation(n), HistoryCapacity);
    QCOMPARE(ReadEvaluations(path("hdv.ndv")), (QList<EvaluationRecord>{evaluation(1), evaluation(2), evaluation(3),
                                                                        evaluation(1), evaluation(2), evaluation(3)}));
}

void TestRecordFiles::hugeFileCountIsClamped()
{
    // A sparse file of more than 2^31 whole records; the last one of the 32-bit range is marked.
    const qint64 records = qint64(std::numeric_limits<qint32>::max()) + 5;
    const qint64 marked = qint64(std::numeric_limits<qint32>::max()) - 1; // position, from 0
    {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (!f.resize(records * WrongResultRecord::Size))
            QSKIP("no sparse files this large here");
        QVERIFY(f.seek(marked * WrongResultRecord::Size));
        QCOMPARE(f.write(wrong(7).encode()), qint64(WrongResultRecord::Size));
    }
    QCOMPARE(CountWrongResults(path()), std::numeric_limits<qint32>::max());

    qint32 index = std::numeric_limits<qint32>::max();
    WrongResultRecord record;
    ReadWrongResult(path(), index, record);
    QCOMPARE(index, std::numeric_limits<qint32>::max());
    QCOMPARE(record, wrong(7));

    AppendWrongResult(path(), wrong(8));
    QCOMPARE(QFileInfo(path()).size(), (records + 1) * WrongResultRecord::Size);
}

void TestRecordFiles::oversizedFileIsNeverRewritten_data()
{
    QTest::addColumn<bool>("answered"); // the re-test's delete of the record answered, or by position
    QTest::newRow("delete by position") << false;
    QTest::newRow("delete the record answered") << true;
}

// A planted sparse gigabyte: listed and appended to, but a delete would move all of it, turning
// the holes into real data and keeping the window waiting.
void TestRecordFiles::oversizedFileIsNeverRewritten()
{
    QFETCH(bool, answered);
    writeFile(path(), wrongBytes({1}));
    QVERIFY(QFile::resize(path(), qint64(1) << 30));
    struct stat before;
    QCOMPARE(::stat(QFile::encodeName(path()).constData(), &before), 0);
    QCOMPARE(WrongResultsToShow(path(), 1).lines.first(), FormatWrongResultLine(wrong(1)));
    try {
        if (answered)
            DeleteWrongResult(path(), 1, wrong(1));
        else
            DeleteWrongResult(path(), 1);
        QFAIL("the delete went through");
    } catch (const RecordFileTooLarge &error) {
        QVERIFY(error.text().startsWith(QStringLiteral("Soubor chyba.nmk je příliš velký (1024 MiB)")));
    }
    AppendWrongResult(path(), wrong(2));
    struct stat after;
    QCOMPARE(::stat(QFile::encodeName(path()).constData(), &after), 0);
    // the record goes after the last whole record, over the trailing fragment of the odd size
    QCOMPARE(after.st_size, (before.st_size / WrongResultRecord::Size + 1) * WrongResultRecord::Size);
    QVERIFY(after.st_blocks <= before.st_blocks + 16); // still holes, not a gigabyte of zeros
}

void TestRecordFiles::errorText_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("2") << 2 << "File not found.";
    QTest::newRow("3") << 3 << "Invalid filename.";
    QTest::newRow("4") << 4 << "Too many open files.";
    QTest::newRow("5") << 5 << "File access denied.";
    QTest::newRow("100") << 100 << "Read beyond end of file.";
    QTest::newRow("101") << 101 << "Disk full.";
    QTest::newRow("106") << 106 << "Invalid numeric input.";
    QTest::newRow("other") << 32 << "I/O error 32.";
    QTest::newRow("zero") << 0 << "I/O error 0.";
    QTest::newRow("negative") << -7 << "I/O error -7.";
}

void TestRecordFiles::errorText()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(InOutError::ioErrorText(code), text);
    const InOutError error(code, QStringLiteral("/x/chyba.nmk"));
    QCOMPARE(error.text(), text);
    // the second line names the file in full
    QVERIFY2(error.advice().contains(QStringLiteral("„/x/chyba.nmk“")), qPrintable(error.advice()));
    QCOMPARE(QString::fromUtf8(error.what()), text + u'\n' + error.advice());
    QCOMPARE(error.path(), QStringLiteral("/x/chyba.nmk"));
}

void TestRecordFiles::errnoMapping_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<int>("code");
    QTest::newRow("ENOENT, folder there") << ENOENT << true << 2;
    QTest::newRow("ENOENT, folder missing") << ENOENT << false << 3;
    QTest::newRow("ENOTDIR") << ENOTDIR << true << 3;
    QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << true << 3;
    QTest::newRow("EINVAL") << EINVAL << true << 3;
    QTest::newRow("EMFILE") << EMFILE << true << 4;
    QTest::newRow("ENFILE") << ENFILE << true << 4;
    QTest::newRow("EACCES") << EACCES << true << 5;
    QTest::newRow("EPERM") << EPERM << true << 5;
    QTest::newRow("EROFS") << EROFS << true << 5;
    QTest::newRow("ETXTBSY") << ETXTBSY << true << 5;
    QTest::newRow("EISDIR") << EISDIR << true << 5;
    QTest::newRow("ENOSPC") << ENOSPC << true << 101;
    QTest::newRow("EDQUOT") << EDQUOT << true << 101;
    QTest::newRow("EFBIG") << EFBIG << true << 101;
    QTest::newRow("EIO is no access denial") << EIO << true << 1117;
    QTest::newRow("EBADF passed on") << EBADF << true << int(EBADF);
    QTest::newRow("ELOOP passed on") << ELOOP << true << int(ELOOP);
}

void TestRecordFiles::errnoMapping()
{
    QFETCH(int, error);
    QFETCH(bool, folderExists);
    QFETCH(int, code);
    const QString file = folderExists ? path() : path("gone/chyba.nmk");
    QCOMPARE(ioErrorCodeFromErrno(error, file), code);
}

void TestRecordFiles::missingFolderOrNonFolderInPath_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<QString>("through"); // the missing folder or a plain file
    QTest::addColumn<int>("code"); // 0: reads as a missing file
    for (const char *through : {"gone", "plain"}) {
        const QString t = QString::fromLatin1(through);
        QTest::addRow("append, %s", through) << Op::Append << t << 3;
        QTest::addRow("prepend, %s", through) << Op::Prepend << t << 3;
        QTest::addRow("count, %s", through) << Op::CountWrong << t << 0;
        QTest::addRow("read, %s", through) << Op::Read << t << 0;
        QTest::addRow("delete, %s", through) << Op::Delete << t << 0;
        QTest::addRow("read evaluations, %s", through) << Op::ReadEvals << t << 0;
    }
}

void TestRecordFiles::missingFolderOrNonFolderInPath()
{
    QFETCH(Op, op);
    QFETCH(QString, through);
    QFETCH(int, code);
    writeFile(path("plain"), "x");
    const QString file = m_dir->filePath(through + QStringLiteral("/chyba.nmk"));
    QCOMPARE(failureCode([&] { run(op, file); }), code);
    QVERIFY(!QFileInfo::exists(path("gone")));
    QCOMPARE(contents(path("plain")), QByteArray("x"));
    if (code != 0) {
        try {
            run(op, file);
        } catch (const InOutError &e) {
            QCOMPARE(e.text(), QStringLiteral("Invalid filename."));
            QCOMPARE(e.path(), file);
        }
    }
}

void TestRecordFiles::folderWhereFileExpected_data()
{
    QTest::addColumn<QString>("what"); // what stands where the record file belongs
    QTest::addColumn<Op>("op");
    const std::pair<const char *, Op> ops[] = {
        {"count wrong results", Op::CountWrong}, {"count evaluations", Op::CountEval}, {"append", Op::Append},
        {"read", Op::Read}, {"delete", Op::Delete}, {"prepend", Op::Prepend}, {"read evaluations", Op::ReadEvals},
        {"remove the file", Op::RemoveFile}};
    // a pupil sharing the folder links the file to another pupil's, which exists or not yet
    // or a backup brings back a record file that is a second name of someone's private file
    for (const char *what :
         {"folder", "named pipe", "/dev/zero", "link to a file", "link to no file", "hard link to a file"}) {
        for (const auto &[name, op] : ops)
            QTest::addRow("%s, %s", what, name) << QString::fromLatin1(what) << op;
    }
}

void TestRecordFiles::folderWhereFileExpected()
{
    QFETCH(QString, what);
    QFETCH(Op, op);
    const QString target = path("essay.txt");
    const QByteArray essay = wrongBytes({1, 2, 3}) + "essay";
    if (what == QLatin1String("folder"))
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("chyba.nmk")));
    else if (what == QLatin1String("named pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(path()).constData(), 0644), 0); // no writer: open() would wait
    else if (what.startsWith(QLatin1String("link")))
        QVERIFY(QFile::link(target, path()));
    else if (what.startsWith(QLatin1String("hard")))
        writeFile(target, essay);
    else
        QVERIFY(QFile::link(what, path()));
    if (what == QLatin1String("link to a file"))
        writeFile(target, essay);
    else if (what.startsWith(QLatin1String("hard")))
        QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(path()).constData()), 0);
    QCOMPARE(failureCode([&] { run(op, path()); }), 5);
    if (what == QLatin1String("folder"))
        QVERIFY(QFileInfo(path()).isDir());
    // nothing is written through the link, and the link stays
    QCOMPARE(contents(target), what.endsWith(QLatin1String("to a file")) ? essay : QByteArray());
    QCOMPARE(QFileInfo::exists(target), what.endsWith(QLatin1String("to a file")));
    QCOMPARE(QFileInfo(path()).isSymLink(), what.startsWith(u'l') || what.startsWith(u'/'));
}

void TestRecordFiles::twoCopiesLoseNothing()
{
    // Four copies at once, each with descriptors of its own: one appends while another deletes
    // the oldest records, two put evaluations in front.
    constexpr qint32 Old = 1500;
    constexpr qint32 New = 3000;
    constexpr qint32 Evaluations = 600;
    writeFile(path(), wrongRange(1, Old));
    std::atomic<int> ready{0}; // all four start at once
    const auto startTogether = [&] {
        ++ready;
        while (ready.load() < 4)
            std::this_thread::yield();
    };
    std::thread appender([&] {
        startTogether();
        for (qint32 n = 1; n <= New; ++n)
            AppendWrongResult(path(), wrong(1000 + n));
    });
    std::thread deleter([&] {
        startTogether();
        for (qint32 n = 1; n <= Old; ++n)
            DeleteWrongResult(path(), 1);
    });
    const auto prepender = [&](qint32 base) {
        startTogether();
        for (qint32 n = 1; n <= Evaluations; ++n)
            PrependEvaluation(path("hdv.ndv"), evaluation(base + n), 10000);
    };
    std::thread history1(prepender, 0);
    std::thread history2(prepender, 1000);
    for (std::thread *t : {&appender, &deleter, &history1, &history2})
        t->join();

    QCOMPARE(contents(path()).toHex(' '), wrongRange(1001, 1000 + New).toHex(' '));
    QList<qint32> seen;
    for (const EvaluationRecord &r : ReadEvaluations(path("hdv.ndv")))
        seen.append(r.CorrectCount);
    QCOMPARE(seen.size(), 2 * Evaluations);
    // each copy's records stand newest first
    QList<qint32> first, second;
    for (qint32 n : seen)
        (n > 1000 ? second : first).append(n);
    QCOMPARE(first.size(), Evaluations);
    QVERIFY(std::is_sorted(first.rbegin(), first.rend()));
    QVERIFY(std::is_sorted(second.rbegin(), second.rend()));
}

void TestRecordFiles::lockHeldByAnotherCopy_data()
{
    QTest::addColumn<Op>("op");
    QTest::newRow("count") << Op::CountWrong;
    QTest::newRow("read") << Op::Read;
    QTest::newRow("append") << Op::Append;
    QTest::newRow("delete") << Op::Delete;
    QTest::newRow("prepend") << Op::Prepend;
    // the start of a re-test removes the wrong-results file only while no other copy works on it
    QTest::newRow("remove the file") << Op::RemoveFile;
}

void TestRecordFiles::lockHeldByAnotherCopy()
{
    QFETCH(Op, op);
    writeFile(path(), wrongBytes({1, 2}));
    const int other = ::open(QFile::encodeName(path()).constData(), O_RDWR | O_CLOEXEC);
    QVERIFY(other >= 0 && ::flock(other, LOCK_EX) == 0);
    const auto saved = RecordFileHandle::lockTimeout();
    RecordFileHandle::setLockTimeout(std::chrono::milliseconds(100));
    const int code = failureCode([&] { run(op, path()); });
    ::close(other);
    QCOMPARE(code, RecordFileHandle::LockTimeoutCode);
    QCOMPARE(InOutError::ioErrorText(code), QStringLiteral("I/O error 32."));
    QCOMPARE(contents(path()), wrongBytes({1, 2})); // nothing written
    // once the other copy is done, the operation goes through
    QCOMPARE(failureCode([&] { run(op, path()); }), 0);
    RecordFileHandle::setLockTimeout(saved);
}

void TestRecordFiles::diskFull_data()
{
    QTest::addColumn<Op>("op");
    QTest::newRow("append") << Op::Append;
    QTest::newRow("prepend") << Op::Prepend;
}

void TestRecordFiles::diskFull()
{
    // /dev/full is a device, no record file; tst_failingdisk fills a real disk
    QFETCH(Op, op);
    QCOMPARE(failureCode([&] { run(op, QStringLiteral("/dev/full")); }), 5);
}

void TestRecordFiles::shortRead()
{
    // A file that ends before the record asked for.
    writeFile(path(), QByteArray(10, 'x'));
    {
        RecordFileHandle file(path(), RecordFileHandle::Access::ReadOnly);
        char bytes[WrongResultRecord::Size];
        QCOMPARE(failureCode([&] { file.readAt(0, bytes, sizeof bytes); }), 100);
        QCOMPARE(failureCode([&] { file.readAt(28, bytes, sizeof bytes); }), 100);
    }

    // A kernel attribute claims 4096 bytes and holds a few: the records it seems to have are not there.
    const char *attribute = "/sys/devices/system/cpu/online";
    struct stat info;
    if (!onSysfs(attribute) || ::stat(attribute, &info) != 0 || info.st_size < 1000 || ::access(attribute, R_OK) != 0)
        QSKIP("no sysfs attribute to read here");
    qint32 index = 10;
    WrongResultRecord record = wrong(5);
    QCOMPARE(failureCode([&] { ReadWrongResult(QString::fromLatin1(attribute), index, record); }), 100);
    QCOMPARE(record, wrong(5));
    QCOMPARE(failureCode([&] { ReadEvaluations(QString::fromLatin1(attribute)); }), 100);
}

void TestRecordFiles::tooManyOpenFiles()
{
    writeFile(path(), wrongBytes({1}));
    int code = 0;
    {
        OpenFileLimit limit;
        if (!limit.active())
            QSKIP("the open-file limit cannot be lowered here");
        code = failureCode([&] { CountWrongResults(path()); });
    }
    QCOMPARE(code, 4);
    QCOMPARE(CountWrongResults(path()), 1);
}

void TestRecordFiles::cannotWrite_data()
{
    QTest::addColumn<QString>("where"); // "sysfs", "folder" or "file"
    QTest::addColumn<Op>("op");
    QTest::newRow("kernel folder, append") << "sysfs" << Op::Append;
    QTest::newRow("kernel folder, prepend") << "sysfs" << Op::Prepend;
    QTest::newRow("read-only folder, append") << "folder" << Op::Append;
    QTest::newRow("read-only folder, prepend") << "folder" << Op::Prepend;
    QTest::newRow("read-only file, append") << "file" << Op::Append;
    QTest::newRow("read-only file, delete") << "file" << Op::Delete;
    QTest::newRow("read-only file, prepend") << "file" << Op::Prepend;
}

void TestRecordFiles::cannotWrite()
{
    QFETCH(QString, where);
    QFETCH(Op, op);
    QString file;
    if (where == QLatin1String("sysfs")) {
        // The kernel's attribute folders refuse new files even to root.
        file = QStringLiteral("/sys/kernel/numik-test.nmk");
        if (!onSysfs("/sys/kernel") || QFileInfo::exists(file))
            QSKIP("no sysfs folder here");
    } else {
        if (testsupport::needsUnprivilegedRerun()) {
            const auto rerun = testsupport::rerunUnprivileged(QStringLiteral("cannotWrite:") + QTest::currentDataTag());
            QVERIFY2(rerun.started, "setpriv is needed to test permissions as root");
            QVERIFY2(rerun.exitCode == 0, rerun.output.constData());
            return;
        }
        const QString folder = path("locked");
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("locked")));
        file = folder + QStringLiteral("/hdv.ndv");
        if (where == QLatin1String("file")) {
            writeFile(file, evaluationBytes(1, 2));
            QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        }
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    const int code = failureCode([&] { run(op, file); });
    if (where != QLatin1String("sysfs"))
        QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(code, 5);
    if (where == QLatin1String("file"))
        QCOMPARE(contents(file), evaluationBytes(1, 2));
}

void TestRecordFiles::dayCount_data()
{
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<double>("days");
    QTest::newRow("15 March 2024 12:00") << QDateTime(QDate(2024, 3, 15), QTime(12, 0)) << 45366.5;
    QTest::newRow("day zero") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("1900-01-01 18:00") << QDateTime(QDate(1900, 1, 1), QTime(18, 0)) << 2.75;
    QTest::newRow("the day before, 06:00") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
    QTest::newRow("the day before, midnight") << QDateTime(QDate(1899, 12, 29), QTime(0, 0)) << -1.0;
    QTest::newRow("1800-01-01 12:00") << QDateTime(QDate(1800, 1, 1), QTime(12, 0)) << -36522.5;
    QTest::newRow("summer time is wall clock") << QDateTime(QDate(2024, 7, 1), QTime(18, 0)) << 45474.75;
    QTest::newRow("UTC given, local stored") << QDateTime(QDate(2024, 3, 15), QTime(11, 0), Qt::UTC) << 45366.5;
    QTest::newRow("0001-01-01") << QDateTime(QDate(1, 1, 1), QTime(0, 0)) << -693593.0;
    QTest::newRow("9999-12-31") << QDateTime(QDate(9999, 12, 31), QTime(0, 0)) << 2958465.0;
}

void TestRecordFiles::dayCount()
{
    QFETCH(QDateTime, local);
    QFETCH(double, days);
    QCOMPARE(DateTimeFromLocal(local), days);
    const QDateTime back = LocalFromDateTime(days);
    QCOMPARE(back.timeSpec(), Qt::LocalTime);
    QCOMPARE(back, local);
    QCOMPARE(back.toLocalTime().date(), local.toLocalTime().date());
    QCOMPARE(back.toLocalTime().time(), local.toLocalTime().time());
}

void TestRecordFiles::dayCountRounding_data()
{
    QTest::addColumn<double>("days");
    QTest::addColumn<QDateTime>("local");
    const double ms = 1.0 / 86'400'000.0;
    QTest::newRow("0.4 ms rounds down") << 45366.5 + 0.4 * ms << QDateTime(QDate(2024, 3, 15), QTime(12, 0));
    QTest::newRow("0.6 ms rounds up") << 45366.5 + 0.6 * ms << QDateTime(QDate(2024, 3, 15), QTime(12, 0, 0, 1));
    QTest::newRow("just before midnight") << 45366.0 - 0.2 * ms << QDateTime(QDate(2024, 3, 15), QTime(0, 0));
    QTest::newRow("before day zero, just before midnight")
        << -2.0 - (1.0 - 0.2 * ms) << QDateTime(QDate(1899, 12, 29), QTime(0, 0));
    QTest::newRow("a millisecond") << 45366.0 + 45296789 * ms << QDateTime(QDate(2024, 3, 15), QTime(12, 34, 56, 789));
}

void TestRecordFiles::dayCountRounding()
{
    QFETCH(double, days);
    QFETCH(QDateTime, local);
    QCOMPARE(LocalFromDateTime(days), local);
    // and a millisecond time survives the round trip exactly
    QCOMPARE(LocalFromDateTime(DateTimeFromLocal(local)), local);
}

void TestRecordFiles::damagedDayCount_data()
{
    QTest::addColumn<double>("days");
    QTest::newRow("NaN") << qQNaN();
    QTest::newRow("infinity") << qInf();
    QTest::newRow("minus infinity") << -qInf();
    QTest::newRow("huge") << 1e300;
    QTest::newRow("hugely negative") << -1e300;
    QTest::newRow("year 10000") << 2958466.0;
    QTest::newRow("before year 1") << -693594.0;
    QTest::newRow("denormal bytes") << std::numeric_limits<double>::denorm_min() * 3;
}

void TestRecordFiles::damagedDayCount()
{
    QFETCH(double, days);
    const QDateTime result = LocalFromDateTime(days);
    if (std::isfinite(days) && std::fabs(days) < 1.0)
        QCOMPARE(result, QDateTime(QDate(1899, 12, 30), QTime(0, 0))); // tiny but sound
    else
        QVERIFY(!result.isValid());
}

int main(int argc, char **argv)
{
    // Day counts are local wall-clock times: fix the zone before any date is touched.
    qputenv("TZ", "Europe/Prague");
    ::tzset();
    QCoreApplication app(argc, argv);
    TestRecordFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recordfiles.moc"
