#include "core/settings/inifile.h"
#include "core/settings/wholefilewrite.h"
#include "core/settings/practicesettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void integerSyntax_data();
    void integerSyntax();
    void readsValuesThroughTheFile();
    void booleans_data();
    void booleans();
    void stringsLoseBlanksAndOneQuotePair_data();
    void stringsLoseBlanksAndOneQuotePair();
    void longStringIsCut();

    void writeReplacesInPlaceAndKeepsTheRest();
    void writeAddsKeysAndSections();
    void writeKeepsWindowsLineEndings();
    void writeKeepsValueOnOneLine();
    void failedWriteIsReported();
    void byteOrderMarkIsKept();
    void otherEncodingsAndLineEnds_data();
    void otherEncodingsAndLineEnds();
    void windows1250Values_data();
    void windows1250Values();
    void damagedOrSpecialFile_data();
    void damagedOrSpecialFile();
    void writeNeverPassesTheReadLimit();
    void twoCopiesSavingAtOnceKeepEachOthersKeys();
    void staleTemporaryFiles_data();
    void staleTemporaryFiles();

    void missingFileGivesDefaults();
    void startupMode_data();
    void startupMode();
    void valuesAreKeptAsRead();
    void switchesSoundAndModeRoundTrip();

private:
    QString iniWith(const QByteArray &text);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_ini;
};

void TestIniFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_ini = m_dir->filePath(QStringLiteral("numik.ini"));
}

QString TestIniFile::iniWith(const QByteArray &text)
{
    QFile f(m_ini);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        qFatal("cannot prepare the ini file");
    return m_ini;
}

static QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestIniFile::integerSyntax_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");

    QTest::newRow("decimal") << "12" << true << 12;
    QTest::newRow("blanks around") << "  12 " << true << 12;
    QTest::newRow("plus sign") << "+12" << true << 12;
    QTest::newRow("negative") << "-3" << true << -3;
    QTest::newRow("leading zeros") << "012" << true << 12;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("0x") << "0x1A" << true << 26;
    QTest::newRow("0X lower digits") << "0X1a" << true << 26;
    QTest::newRow("dollar") << "$C" << true << 12;
    QTest::newRow("hex is a 32-bit pattern") << "$FFFFFFFF" << true << -1;
    QTest::newRow("hex sign bit") << "0x80000000" << true << int(-2147483647 - 1);
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("too small") << "-2147483649" << false << 0;
    QTest::newRow("hex beyond 32 bits") << "0x100000000" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blank inside") << "12 3" << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
    QTest::newRow("lone sign") << "-" << false << 0;
    QTest::newRow("prefix without digits") << "0x" << false << 0;
    QTest::newRow("signed hex") << "-$10" << false << 0;
    QTest::newRow("bare x prefix") << "x1A" << false << 0;
    QTest::newRow("trailing letter") << "12a" << false << 0;
}

void TestIniFile::integerSyntax()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    qint32 parsed = 777;
    QCOMPARE(parseIniInteger(text, parsed), ok);
    QCOMPARE(parsed, ok ? value : 777);
}

void TestIniFile::readsValuesThroughTheFile()
{
    iniWith("; a comment\n[Plus]\nC1DO = 0x1A \nC2DO=abc\n\n[hodnoceni]\nAUTOPO=\"30\"\n");
    QCOMPARE(IniReadInteger(m_ini, "Plus", "C1DO", 20), 26);
    QCOMPARE(IniReadInteger(m_ini, "Plus", "C2DO", 10), 10);
    QCOMPARE(IniReadInteger(m_ini, "plus", "c1do", 20), 26);
    QCOMPARE(IniReadInteger(m_ini, "Hodnoceni", "autopo", 15), 30);
    QCOMPARE(IniReadInteger(m_ini, "Minus", "C1DO", 20), 20);
    QCOMPARE(IniReadInteger(m_ini, "Plus", "VDO", 25), 25);
    QCOMPARE(IniReadInteger(m_dir->filePath("missing.ini"), "Plus", "C1DO", 20), 20);
}

void TestIniFile::booleans_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("withDefaultFalse");
    QTest::addColumn<bool>("withDefaultTrue");

    QTest::newRow("0") << QByteArray("0") << false << false;
    QTest::newRow("1") << QByteArray("1") << true << true;
    QTest::newRow("2 is true") << QByteArray("2") << true << true;
    QTest::newRow("-1 is true") << QByteArray("-1") << true << true;
    QTest::newRow("yes is the default") << QByteArray("yes") << false << true;
    QTest::newRow("empty is the default") << QByteArray("") << false << true;
}

void TestIniFile::booleans()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, withDefaultFalse);
    QFETCH(bool, withDefaultTrue);
    iniWith("[Zvuk]\nanone=" + stored + "\n");
    QCOMPARE(IniReadBool(m_ini, "Zvuk", "anone", false), withDefaultFalse);
    QCOMPARE(IniReadBool(m_ini, "Zvuk", "anone", true), withDefaultTrue);
}

void TestIniFile::stringsLoseBlanksAndOneQuotePair_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("read");

    QTest::newRow("plain") << QByteArray("heslo") << "heslo";
    QTest::newRow("blanks dropped") << QByteArray("   heslo  ") << "heslo";
    QTest::newRow("double quotes keep inner blanks") << QByteArray(" \"  tajné heslo  \" ") << "  tajné heslo  ";
    QTest::newRow("single quotes") << QByteArray("'a b'") << "a b";
    QTest::newRow("only one pair") << QByteArray("\"\"x\"\"") << "\"x\"";
    QTest::newRow("unbalanced quote kept") << QByteArray("\"abc") << "\"abc";
    QTest::newRow("mixed quotes kept") << QByteArray("\"abc'") << "\"abc'";
    QTest::newRow("empty quotes") << QByteArray("\"\"") << "";
    QTest::newRow("equals sign inside") << QByteArray("a=b") << "a=b";
}

void TestIniFile::stringsLoseBlanksAndOneQuotePair()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, read);
    iniWith("[Heslo]\nhodnota=" + stored + "\n");
    QCOMPARE(IniReadString(m_ini, "Heslo", "hodnota", "default"), read);
    QCOMPARE(IniReadString(m_ini, "Heslo", "jina", "default"), QStringLiteral("default"));
}

void TestIniFile::longStringIsCut()
{
    iniWith("[Heslo]\nhodnota=" + QByteArray(5000, 'a') + "\n");
    QCOMPARE(IniReadString(m_ini, "Heslo", "hodnota", QString()), QString(2047, u'a'));
}

void TestIniFile::writeReplacesInPlaceAndKeepsTheRest()
{
    iniWith("; settings of a class\n[Plus]\nC1OD=0\nneznamy=klic\nc1do=20\n\n[Minus]\nC1DO=20\n");
    IniWriteInteger(m_ini, "Plus", "C1DO", -7);
    QCOMPARE(contents(m_ini), QByteArray("; settings of a class\n[Plus]\nC1OD=0\nneznamy=klic\nC1DO=-7\n\n[Minus]\nC1DO=20\n"));
    QCOMPARE(IniReadInteger(m_ini, "Plus", "C1DO", 20), -7);
    QCOMPARE(IniReadInteger(m_ini, "Minus", "C1DO", 0), 20);
}

void TestIniFile::writeAddsKeysAndSections()
{
    IniWriteBool(m_ini, "Zvuk", "anone", false); // the first write creates the file
    iniWith(contents(m_ini) + "[Operace]\nPlus=1\n\n; end\n");
    IniWriteBool(m_ini, "Operace", "Deleni", true);
    IniWriteString(m_ini, "Heslo", "hodnota", "\" heslo \"");
    QCOMPARE(contents(m_ini),
             QByteArray("[Zvuk]\nanone=0\n[Operace]\nPlus=1\nDeleni=1\n\n; end\n\n[Heslo]\nhodnota=\" heslo \"\n"));
    QCOMPARE(IniReadBool(m_ini, "Zvuk", "anone", true), false);
    QCOMPARE(IniReadString(m_ini, "Heslo", "hodnota", QString()), QStringLiteral(" heslo "));
}

void TestIniFile::writeKeepsWindowsLineEndings()
{
    iniWith("[Okno]\r\nLeft=5\r\nTop=6");
    IniWriteInteger(m_ini, "Okno", "Left", 10);
    IniWriteInteger(m_ini, "Okno", "State", 2);
    QCOMPARE(contents(m_ini), QByteArray("[Okno]\r\nLeft=10\r\nTop=6\r\nState=2\r\n"));
}

void TestIniFile::writeKeepsValueOnOneLine()
{
    IniWriteString(m_ini, "Heslo", "hodnota", "a\nb\r\n[Plus]");
    QCOMPARE(IniReadString(m_ini, "Heslo", "hodnota", QString()), QStringLiteral("a b  [Plus]"));
    QCOMPARE(IniReadString(m_ini, "Plus", "hodnota", "none"), QStringLiteral("none"));
}

void TestIniFile::failedWriteIsReported()
{
    const QString path = m_dir->filePath(QStringLiteral("missing folder/numik.ini"));
    try {
        IniWriteInteger(path, "Okno", "velikost", 150);
        QFAIL("the write into a missing folder passed silently");
    } catch (const IniWriteError &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Unable to write to ") + path);
    }
    IniBatch batch;
    UlozDoIni(batch, PracticeRun{}, OperationSwitches{});
    QVERIFY_THROWS_EXCEPTION(IniWriteError, IniWriteBatch(path, batch));
    QVERIFY(!QFileInfo::exists(path));
}

void TestIniFile::byteOrderMarkIsKept()
{
    iniWith("\xEF\xBB\xBF[Plus]\r\nC1DO=7\r\n");
    QCOMPARE(IniReadInteger(m_ini, "Plus", "C1DO", 20), 7);
    IniWriteInteger(m_ini, "Plus", "C1DO", 8);
    IniWriteInteger(m_ini, "Plus", "VDO", 9);
    QCOMPARE(contents(m_ini), QByteArray("\xEF\xBB\xBF[Plus]\r\nC1DO=8\r\nVDO=9\r\n"));
    // a file of the mark alone is empty
    iniWith("\xEF\xBB\xBF");
    IniWriteBool(m_ini, "Zvuk", "anone", false);
    QCOMPARE(contents(m_ini), QByteArray("\xEF\xBB\xBF[Zvuk]\nanone=0\n"));
}

void TestIniFile::otherEncodingsAndLineEnds_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("rewritten"); // after one write of [Plus] VDO=9

    const QString text = QStringLiteral("[Plus]\r\nC1DO=7\r\n[Heslo]\r\nhodnota=\"tajné\"\r\n");
    const QByteArray utf8 = "[Plus]\r\nC1DO=7\r\nVDO=9\r\n[Heslo]\r\nhodnota=\"tajn\xC3\xA9\"\r\n";
    QByteArray little = "\xFF\xFE";
    QByteArray big = "\xFE\xFF";
    for (QChar c : text) {
        little.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        big.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    QTest::newRow("UTF-16 little-endian, as Notepad saves Unicode") << little << utf8;
    QTest::newRow("UTF-16 big-endian") << big << utf8;
    QTest::newRow("lines ending in CR alone")
        << QByteArray("[Plus]\rC1DO=7\r[Heslo]\rhodnota=\"tajn\xC3\xA9\"")
        << QByteArray("[Plus]\nC1DO=7\nVDO=9\n[Heslo]\nhodnota=\"tajn\xC3\xA9\"");
}

void TestIniFile::otherEncodingsAndLineEnds()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, rewritten);
    iniWith(stored);
    QCOMPARE(IniReadInteger(m_ini, "Plus", "C1DO", 20), 7);
    QCOMPARE(IniReadString(m_ini, "Heslo", "hodnota", QString()), QStringLiteral("tajné"));
    IniWriteInteger(m_ini, "Plus", "VDO", 9);
    QCOMPARE(contents(m_ini), rewritten);
}

void TestIniFile::windows1250Values_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("read");
    QTest::newRow("UTF-8") << QByteArray("\"\xC5\x99\xC3\xADpa\"") << QStringLiteral("řípa");
    QTest::newRow("Windows-1250") << QByteArray("\"\xF8\xEDpa\"") << QStringLiteral("řípa");
    QTest::newRow("Windows-1250 capitals") << QByteArray("\xD8\x8A\x8E\xC8") << QStringLiteral("ŘŠŽČ");
    QTest::newRow("unassigned byte") << QByteArray("a\x81") << QStringLiteral("a\uFFFD");
}

void TestIniFile::windows1250Values()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, read);
    iniWith("[Heslo]\nhodnota=" + stored + "\n");
    QCOMPARE(IniReadString(m_ini, "Heslo", "hodnota", QString()), read);
    // written back as UTF-8
    IniWriteString(m_ini, "Heslo", "hodnota", read);
    QCOMPARE(contents(m_ini), "[Heslo]\nhodnota=" + read.toUtf8() + "\n");
}

void TestIniFile::damagedOrSpecialFile_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("20 MB of empty lines") << "large";
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("/dev/zero") << "/dev/zero";
    QTest::newRow("folder") << "folder";
    // a pupil sharing the folder links numik.ini to another pupil's file, which exists or not yet
    QTest::newRow("link to a file") << "link to a file";
    QTest::newRow("link to no file") << "link to no file";
}

void TestIniFile::damagedOrSpecialFile()
{
    QFETCH(QString, what);
    const QString essay = m_dir->filePath(QStringLiteral("essay"));
    QByteArray before;
    if (what == QLatin1String("large"))
        before = iniWith("[Plus]\nC1DO=3\n" + QByteArray(20 * 1024 * 1024, '\n')).isEmpty() ? QByteArray() : contents(m_ini);
    else if (what == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(m_ini).constData(), 0644), 0); // no writer: open() would wait
    else if (what == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(m_ini));
    else
        QVERIFY(QFile::link(what.startsWith(u'l') ? essay : what, m_ini));
    const QByteArray essayText = "[Plus]\nC1DO=3\n[Heslo]\nhodnota=ucitel123\n";
    QFile essayFile(essay);
    if (what == QLatin1String("link to a file"))
        QVERIFY(essayFile.open(QIODevice::WriteOnly) && essayFile.write(essayText) == essayText.size());
    essayFile.close();

    QElapsedTimer clock;
    clock.start();
    PracticeSettings settings;
    settings.timeLimitSeconds = 9;
    OperationSwitches switches{false, false, false, false};
    NactiRozsahZIni(m_ini, settings);
    NastavDleIni(m_ini, settings, switches);
    QCOMPARE(settings, PracticeSettings{});
    QCOMPARE(switches, OperationSwitches{});
    QVERIFY2(clock.elapsed() < 5000, "the start-up load took seconds");
    QVERIFY_THROWS_EXCEPTION(IniWriteError, IniWriteInteger(m_ini, "Plus", "C1DO", 4));
    if (what == QLatin1String("large"))
        QVERIFY(contents(m_ini) == before);
    QVERIFY(!QFileInfo(m_ini).isFile() || what == QLatin1String("large") || what == QLatin1String("link to a file"));
    // nothing is read or written through a link
    QCOMPARE(contents(essay), what == QLatin1String("link to a file") ? essayText : QByteArray());
    QCOMPARE(QFileInfo::exists(essay), what == QLatin1String("link to a file"));
}

void TestIniFile::writeNeverPassesTheReadLimit()
{
    const QByteArray head = "[Heslo]\nhodnota=abc\n;";
    const QByteArray full = head + QByteArray(MaxSettingsFileSize - head.size() - 1, 'x') + '\n';
    iniWith(full);
    QVERIFY_THROWS_EXCEPTION(IniWriteError, IniWriteString(m_ini, "Heslo", "hodnota", "abcd"));
    QVERIFY(contents(m_ini) == full);
    IniWriteString(m_ini, "Heslo", "hodnota", "xyz"); // the same length still fits
    QCOMPARE(IniReadString(m_ini, "Heslo", "hodnota", QString()), QStringLiteral("xyz"));
}

void TestIniFile::twoCopiesSavingAtOnceKeepEachOthersKeys()
{
    // two processes save their own keys many times over into one file, started at one moment
    constexpr int Saves = 150;
    int start[2];
    QCOMPARE(::pipe(start), 0);
    pid_t copies[2];
    for (int copy = 0; copy < 2; ++copy) {
        copies[copy] = ::fork();
        QVERIFY(copies[copy] >= 0);
        if (copies[copy] == 0) {
            char go;
            ::close(start[1]);
            bool saved = ::read(start[0], &go, 1) == 0;
            for (int i = 0; i < Saves && saved; ++i) {
                IniBatch batch;
                batch.setInteger(QString::number(copy), QString::number(i), i);
                batch.setInteger(QStringLiteral("Okno"), QString::number(copy), i); // a section both write
                try {
                    IniWriteBatch(m_ini, batch);
                } catch (const IniWriteError &) {
                    saved = false;
                }
            }
            ::_exit(saved ? 0 : 1);
        }
    }
    ::close(start[0]);
    ::close(start[1]);
    for (const pid_t copy : copies) {
        int status = -1;
        QCOMPARE(::waitpid(copy, &status, 0), copy);
        QCOMPARE(status, 0);
    }
    for (int copy = 0; copy < 2; ++copy) {
        for (int i = 0; i < Saves; ++i)
            QCOMPARE(IniReadInteger(m_ini, QString::number(copy), QString::number(i), -1), i);
        QCOMPARE(IniReadInteger(m_ini, QStringLiteral("Okno"), QString::number(copy), -1), Saves - 1);
    }
}

void TestIniFile::missingFileGivesDefaults()
{
    PracticeSettings settings;
    settings.ranges.fill(OperationRange{});
    settings.gradeThreshold = {1, 2, 3, 4};
    settings.timeLimitSeconds = 9;
    OperationSwitches switches{false, true, true, true};
    NactiRozsahZIni(m_ini, settings);
    NastavDleIni(m_ini, settings, switches);

    QCOMPARE(settings, PracticeSettings{});
    QCOMPARE(switches, OperationSwitches{});
    // addition 0..20 + 0..10 = 0..25, division 0..25 : 0..10 = 0..8
    QCOMPARE(settings.range(Operation::Plus), (OperationRange{0, 20, 0, 10, 0, 25, 0, 1, 10}));
    QCOMPARE(settings.range(Operation::Minus), (OperationRange{0, 20, 0, 20, 0, 15, 0, 1, 10}));
    QCOMPARE(settings.range(Operation::Krat), (OperationRange{0, 5, 0, 10, 0, 25, 0, 1, 10}));
    QCOMPARE(settings.range(Operation::Del), (OperationRange{0, 25, 0, 10, 0, 8, 0, 1, 10}));
    QCOMPARE(settings.gradeThreshold, (std::array<qint32, 4>{95, 85, 75, 50}));
    QCOMPARE(settings.autoEvaluateAfter, 15);
    QVERIFY(settings.clearAfterAutoEvaluation);
    QCOMPARE(settings.timeLimitSeconds, 0);
    QVERIFY(StoredSound(m_ini));
    QVERIFY(settings.resultOnly);
    QCOMPARE(StartupMode(m_ini), PracticeMode::Nastaveni);
    QVERIFY(!QFile::exists(m_ini)); // reading never creates the file
}

void TestIniFile::startupMode_data()
{
    QTest::addColumn<QByteArray>("rezim");
    QTest::addColumn<int>("mode");

    QTest::newRow("nothing stored") << QByteArray() << 1;
    QTest::newRow("typ 1") << QByteArray("typ=1\n") << 1;
    QTest::newRow("typ 2") << QByteArray("typ=2\n") << 2;
    QTest::newRow("startvyuka over typ 1") << QByteArray("startvyuka=1\ntyp=1\n") << 2;
    QTest::newRow("startvyuka 0 keeps typ 2") << QByteArray("startvyuka=0\ntyp=2\n") << 2;
    QTest::newRow("any other typ teaches") << QByteArray("typ=7\n") << 2;
}

void TestIniFile::startupMode()
{
    QFETCH(QByteArray, rezim);
    QFETCH(int, mode);
    iniWith("[Rezim]\n" + rezim);
    QCOMPARE(int(StartupMode(m_ini)), mode);
}

void TestIniFile::valuesAreKeptAsRead()
{
    iniWith("[Del]\nC1DO=0x1A\nC2OD=0\nC2DO=0\nORAN=7\nDeleni=1\n"
            "[Operace]\nPlus=0\nKrat=2\n"
            "[CasLimit]\nhodnota=-5\n[Hodnoceni]\n1=abc\n4=60\nautomaz=0\n"
            "[Rezim]\nhistdilvysl=9\nchybvysl=2\ndeaktivace=1\n[Neznama]\npouzevysl=0\n");
    PracticeSettings settings;
    OperationSwitches switches;
    NactiRozsahZIni(m_ini, settings);
    NastavDleIni(m_ini, settings, switches);

    QCOMPARE(settings.range(Operation::Del), (OperationRange{0, 26, 0, 0, 0, 8, 7, 1, 10}));
    // "Deleni" switches division only in section "Operace"
    QCOMPARE(switches, (OperationSwitches{false, false, true, false}));
    QCOMPARE(settings.timeLimitSeconds, -5);
    QCOMPARE(settings.gradeThreshold, (std::array<qint32, 4>{95, 85, 75, 60}));
    QVERIFY(!settings.clearAfterAutoEvaluation);
    QCOMPARE(int(settings.historyAccess), 9);
    QCOMPARE(settings.wrongResultsAccess, TeachingAccess::PermittedPaused);
    QVERIFY(settings.pauseOnDeactivate);
    QVERIFY(!settings.resultOnly);
}

void TestIniFile::switchesSoundAndModeRoundTrip()
{
    PracticeRun saved;
    saved.soundOn = false;
    saved.mode = PracticeMode::Vyuka;
    const OperationSwitches switches{false, true, false, true};
    IniBatch batch;
    UlozDoIni(batch, saved, switches);
    IniWriteBatch(m_ini, batch);

    PracticeSettings loaded;
    OperationSwitches reloaded;
    NactiRozsahZIni(m_ini, loaded);
    NastavDleIni(m_ini, loaded, reloaded);
    QCOMPARE(reloaded, switches);
    QVERIFY(!StoredSound(m_ini));
    QCOMPARE(StartupMode(m_ini), PracticeMode::Vyuka);
    QCOMPARE(IniReadBool(m_ini, "Operace", "Deleni", false), true);
    QCOMPARE(IniReadBool(m_ini, "Operace", "Del", false), false);
}

void TestIniFile::staleTemporaryFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("age"); // seconds since it was last written
    QTest::addColumn<bool>("removed");
    QTest::newRow("left by a killed save") << "numik.ini.tmp1x9ab3" << 120 << true;
    QTest::newRow("another copy is saving") << "numik.ini.tmp1x9ab3" << 30 << false;
    QTest::newRow("the teacher's copy") << "numik.ini.bak" << 120 << false;
    QTest::newRow("not a number after the mark") << "numik.ini.tmp-1" << 120 << false;
    QTest::newRow("another file's") << "chyba.nmk.tmp1x9ab3" << 120 << false;
    QTest::newRow("a link of that name") << "numik.ini.tmpzz link" << 120 << false;
}

void TestIniFile::staleTemporaryFiles()
{
    QFETCH(QString, name);
    QFETCH(int, age);
    QFETCH(bool, removed);
    const QString path = m_dir->filePath(name.section(u' ', 0, 0));
    const QString ini = iniWith("[Plus]\nC1OD=3\n");
    QVERIFY(name.endsWith(QLatin1String(" link")) ? QFile::link(ini, path) : QFile(path).open(QIODevice::WriteOnly));
    RemoveStaleTemporaryFiles(ini, QDateTime::currentDateTime().addSecs(age));
    QCOMPARE(QFileInfo(path).isSymLink() || QFileInfo::exists(path), !removed);
    QVERIFY(QFileInfo::exists(ini));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
