#include "core/classroom/classfolder.h"
#include "core/classroom/classoverview.h"
#include "core/classroom/classsettings.h"
#include "core/classroom/pupilname.h"
#include "core/records/daycount.h"
#include "core/records/historycsv.h"
#include "core/settings/inifile.h"

#include "classfixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// historie.csv with one evaluation per age (in days before Today) at the given percentages
QByteArray historyCsv(const QList<int> &ages, const QList<double> &percents)
{
    QByteArray csv = "\xEF\xBB\xBF" "datum;čas;známka;správně;chybně;úspěšnost %;operace;časový limit\r\n";
    for (qsizetype i = 0; i < ages.size(); ++i)
        csv += Today.addDays(-ages[i]).toString(Qt::ISODate).toUtf8() + ";16:00:00;" + QByteArray::number(i % 5 + 1)
               + ";1;1;" + QByteArray::number(percents[i]).replace('.', ',') + ";+;\r\n";
    return csv;
}

QByteArray records(const QList<WrongResultRecord> &list)
{
    QByteArray bytes;
    for (const WrongResultRecord &r : list)
        bytes += r.encode();
    return bytes;
}

WrongResultRecord wrong(qint32 a, qint32 op, qint32 b, qint32 c, qint32 hidden = 3)
{
    WrongResultRecord r;
    r.FirstNumber = a;
    r.Operation = op;
    r.SecondNumber = b;
    r.Result = c;
    r.HiddenSlot = hidden;
    return r;
}

} // namespace

class TestClassroom : public QObject
{
    Q_OBJECT

private slots:
    void pupilName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("Czech letters and blanks") << QStringLiteral("Řehoř Šťastný") << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blanks only") << QStringLiteral("   ") << false;
        QTest::newRow("dot") << QStringLiteral(".") << false;
        QTest::newRow("dot dot") << QStringLiteral("..") << false;
        QTest::newRow("hidden folder") << QStringLiteral(".jana") << false;
        QTest::newRow("a dot inside") << QStringLiteral("J. Novák") << true;
        QTest::newRow("slash") << QStringLiteral("3.A/Jana") << false;
        QTest::newRow("tab") << QStringLiteral("Jana\tNová") << false;
        QTest::newRow("C1 control") << QStringLiteral("Jana\u0085") << false;
        QTest::newRow("64 letters") << QString(64, u'ž') << true;
        QTest::newRow("65 letters") << QString(65, u'a') << false;
        // 64 characters, but 256 bytes: more than a folder's name may take
        QTest::newRow("64 four-byte characters") << QString::fromUcs4(std::u32string(64, U'\U0001F600').c_str()) << false;
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << false;
    }
    void pupilName()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(PupilNameProblem(name).isEmpty(), valid);
    }

    void czechOrder()
    {
        QStringList names = {QStringLiteral("Žofie"), QStringLiteral("Chrudoš"), QStringLiteral("Šárka"),
                             QStringLiteral("Čeněk"), QStringLiteral("Ivan"),    QStringLiteral("Hana"),
                             QStringLiteral("Řehoř"), QStringLiteral("Cyril"),   QStringLiteral("Sára"),
                             QStringLiteral("Radek"), QStringLiteral("adam")};
        SortInCzech(names);
        QCOMPARE(names.join(u','), QStringLiteral("adam,Cyril,Čeněk,Hana,Chrudoš,Ivan,Radek,Řehoř,Sára,Šárka,Žofie"));
    }

    void pupilFolders()
    {
        QTemporaryDir dir;
        const ClassFolder cls(dir.path());
        writeBytes(cls.iniFile(), "[Plus]\r\nC1DO=7\r\n");
        QVERIFY(QDir().mkpath(cls.pupilFolder(QStringLiteral(".skryty"))));
        QVERIFY(QFile::link(dir.path(), cls.pupilFolder(QStringLiteral("Odkaz"))));
        writeBytes(cls.pupilFolder(QStringLiteral("soubor")), "x");
        // the first start makes the folder with the class's settings
        const DataFolderChoice jana = cls.openPupil(QStringLiteral("Jana Nová"));
        QCOMPARE(jana.folder, cls.pupilFolder(QStringLiteral("Jana Nová")));
        QCOMPARE(bytesOf(jana.folder + QStringLiteral("/numik.ini")), QByteArray("[Plus]\r\nC1DO=7\r\n"));
        QVERIFY(cls.openPupil(QStringLiteral("Odkaz")).folder.isEmpty());
        QVERIFY(cls.openPupil(QStringLiteral("soubor")).folder.isEmpty());
        QVERIFY(cls.openPupil(QStringLiteral("../ven")).folder.isEmpty());
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/ven")));
        // a link is listed, to show as unreadable; a file and a hidden folder are no pupils
        QCOMPARE(cls.pupilNames(), (QStringList{QStringLiteral("Jana Nová"), QStringLiteral("Odkaz")}));
    }

    void managing()
    {
        QTemporaryDir dir;
        const ClassFolder cls(dir.path());
        QVERIFY(cls.addPupil(QStringLiteral("Jana")).isEmpty());
        QVERIFY(cls.addPupil(QStringLiteral("Petr")).isEmpty());
        QVERIFY(!cls.addPupil(QStringLiteral("Jana")).isEmpty());
        writeBytes(cls.pupilFolder(QStringLiteral("Petr")) + QStringLiteral("/hdv.ndv"), "P");
        // never onto another pupil, not even onto one whose folder is empty
        QVERIFY(!cls.renamePupil(QStringLiteral("Petr"), QStringLiteral("Jana")).isEmpty());
        QVERIFY(!cls.renamePupil(QStringLiteral("Jana"), QStringLiteral("Petr")).isEmpty());
        QVERIFY(!cls.renamePupil(QStringLiteral("Petr"), QStringLiteral("a/b")).isEmpty());
        QVERIFY(cls.renamePupil(QStringLiteral("Petr"), QStringLiteral("Petr Malý")).isEmpty());
        QCOMPARE(bytesOf(cls.pupilFolder(QStringLiteral("Petr Malý")) + QStringLiteral("/hdv.ndv")), QByteArray("P"));
        // two pupils of one name who leave are both kept
        QVERIFY(cls.retirePupil(QStringLiteral("Jana")).isEmpty());
        QVERIFY(cls.addPupil(QStringLiteral("Jana")).isEmpty());
        QVERIFY(cls.retirePupil(QStringLiteral("Jana")).isEmpty());
        QVERIFY(QFileInfo(cls.retiredFolder() + QStringLiteral("/Jana")).isDir());
        QVERIFY(QFileInfo(cls.retiredFolder() + QStringLiteral("/Jana (2)")).isDir());
        QVERIFY(!cls.retirePupil(QStringLiteral("Nikdo")).isEmpty());
        QCOMPARE(cls.pupilNames(), QStringList{QStringLiteral("Petr Malý")});
    }

    void figures_data()
    {
        QTest::addColumn<QList<int>>("ages");
        QTest::addColumn<QList<double>>("percents");
        QTest::addColumn<int>("recent");
        QTest::addColumn<double>("mean"); // -1: none
        QTest::addColumn<int>("trend");
        QTest::addColumn<int>("lastGrade"); // 0: none
        QTest::newRow("never practised") << QList<int>{} << QList<double>{} << 0 << -1.0 << int(Trend::Unknown) << 0;
        QTest::newRow("the week ends at six days back") << QList<int>{7, 6, 0} << QList<double>{50, 60, 70} << 2 << 60.0
                                                        << int(Trend::Unknown) << 3;
        QTest::newRow("28 days, against the 28 before") << QList<int>{56, 55, 28, 27, 0} << QList<double>{0, 60, 60, 80, 90}
                                                        << 1 << 85.0 << int(Trend::Up) << 5;
        QTest::newRow("a change of exactly 5 points") << QList<int>{30, 1} << QList<double>{70, 75} << 1 << 75.0 << int(Trend::Up) << 2;
        QTest::newRow("less is steady") << QList<int>{30, 1} << QList<double>{80, 75.5} << 1 << 75.5 << int(Trend::Steady) << 2;
        QTest::newRow("down") << QList<int>{30, 1} << QList<double>{80, 60} << 1 << 60.0 << int(Trend::Down) << 2;
        QTest::newRow("only the month before") << QList<int>{40} << QList<double>{80} << 0 << -1.0 << int(Trend::Unknown) << 1;
        // a wrong clock: counted nowhere, yet the row written last
        QTest::newRow("dated tomorrow") << QList<int>{1, -1} << QList<double>{50, 100} << 1 << 50.0 << int(Trend::Unknown) << 2;
        QTest::newRow("damaged percentage") << QList<int>{1, 2} << QList<double>{150, 40} << 2 << 40.0 << int(Trend::Unknown) << 2;
    }
    void figures()
    {
        QFETCH(QList<int>, ages);
        QFETCH(QList<double>, percents);
        QTemporaryDir dir;
        const ClassFolder cls(dir.path());
        QVERIFY(cls.addPupil(QStringLiteral("Ema")).isEmpty());
        writeBytes(cls.pupilFolder(QStringLiteral("Ema")) + QStringLiteral("/historie.csv"), historyCsv(ages, percents));
        const PupilSummary ema = ReadClassOverview(cls, Today).pupils.value(0);
        QVERIFY(ema.readable);
        QTEST(int(ema.recentEvaluations), "recent");
        QTEST(ema.meanPercent.value_or(-1.0), "mean");
        QTEST(int(ema.trend), "trend");
        QTEST(int(ema.lastGrade.value_or(0)), "lastGrade");
    }

    // one damaged pupil shows as such, and every other pupil is read as if it were not there
    void unreadable_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("folder is a link") << QStringLiteral("link");
        QTest::newRow("historie.csv is a link") << QStringLiteral("historie.csv");
        QTest::newRow("chyba.nmk is a folder") << QStringLiteral("chyba.nmk");
        QTest::newRow("chybavysl.nmk is a link") << QStringLiteral("chybavysl.nmk");
    }
    void unreadable()
    {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        const ClassFolder cls(dir.path());
        QVERIFY(cls.addPupil(QStringLiteral("Adam")).isEmpty());
        QVERIFY(cls.addPupil(QStringLiteral("Bára")).isEmpty());
        const QString adam = cls.pupilFolder(QStringLiteral("Adam"));
        const QString bara = cls.pupilFolder(QStringLiteral("Bára"));
        writeBytes(bara + QStringLiteral("/chyba.nmk"), records({wrong(7, 3, 8, 50), wrong(2, 1, 2, 5)}));
        writeBytes(bara + QStringLiteral("/historie.csv"), historyCsv({0}, {90}));
        if (damage == u"link") {
            QVERIFY(QDir(adam).removeRecursively());
            QVERIFY(QFile::link(bara, adam));
        } else if (damage == u"chyba.nmk") {
            QVERIFY(QDir(adam).mkdir(damage));
        } else {
            QVERIFY(QFile::link(bara + u'/' + damage, adam + u'/' + damage));
        }
        const ClassOverview overview = ReadClassOverview(cls, Today);
        QCOMPARE(overview.pupils.size(), 2);
        QVERIFY(!overview.pupils[0].readable);
        QCOMPARE(ClassOverviewFields(overview.pupils[0]).value(1), QStringLiteral("nelze přečíst"));
        QVERIFY(overview.pupils[1].readable);
        QCOMPARE(overview.pupils[1].retestCount, 2);
        QCOMPARE(overview.pupils[1].recentEvaluations, 1);
        QCOMPARE(overview.weakSpots.tableCount(7, 8), 1);
    }

    // without historie.csv, or with one begun afresh, the history file gives the figures
    void historyFileWithoutCsv()
    {
        QTemporaryDir dir;
        const ClassFolder cls(dir.path());
        QVERIFY(cls.addPupil(QStringLiteral("Ema")).isEmpty());
        EvaluationRecord newest{DateTimeOfDay(Today) + 0.5, 2, 9, 1, {true, false, false, false}, 0};
        EvaluationRecord older{DateTimeOfDay(Today.addDays(-10)), 4, 6, 4, {true, false, false, false}, 0};
        writeBytes(cls.pupilFolder(QStringLiteral("Ema")) + QStringLiteral("/hdv.ndv"), newest.encode() + older.encode());
        for (const bool csvAfresh : {false, true}) {
            if (csvAfresh)
                AppendHistoryCsv(cls.pupilFolder(QStringLiteral("Ema")) + QStringLiteral("/historie.csv"), newest);
            const PupilSummary ema = ReadClassOverview(cls, Today).pupils.value(0);
            QCOMPARE(ema.lastGrade.value_or(0), 2);
            QCOMPARE(ema.lastPractice, Today);
            QCOMPARE(ema.meanPercent.value_or(-1), 75.0);
            QCOMPARE(ema.recentEvaluations, 1);
        }
    }

    void tableCell_data()
    {
        QTest::addColumn<WrongResultRecord>("record");
        QTest::addColumn<int>("x"); // 0: no cell of the table
        QTest::addColumn<int>("y");
        QTest::newRow("product, result hidden") << wrong(7, 3, 8, 54) << 7 << 8;
        QTest::newRow("product, first hidden") << wrong(6, 3, 8, 56, 1) << 7 << 8;
        QTest::newRow("no whole factor") << wrong(6, 3, 8, 55, 1) << 0 << 0;
        QTest::newRow("quotient, result hidden") << wrong(56, 4, 8, 6) << 7 << 8;
        QTest::newRow("quotient, divisor hidden") << wrong(56, 4, 9, 7, 2) << 7 << 8;
        QTest::newRow("quotient, dividend hidden") << wrong(50, 4, 8, 7, 1) << 7 << 8;
        QTest::newRow("inexact quotient") << wrong(57, 4, 8, 7) << 0 << 0;
        QTest::newRow("divided by zero") << wrong(5, 4, 0, 1) << 0 << 0;
        QTest::newRow("beyond the table") << wrong(11, 3, 3, 30) << 0 << 0;
        QTest::newRow("zero factor") << wrong(0, 3, 5, 1) << 0 << 0;
        QTest::newRow("unknown operation") << wrong(7, 9, 8, 56) << 0 << 0;
    }
    void tableCell()
    {
        QFETCH(WrongResultRecord, record);
        QFETCH(int, x);
        QFETCH(int, y);
        WeakSpots spots;
        spots.addPupil({record});
        QCOMPARE(spots.largestTableCount(), x ? 1 : 0);
        if (x)
            QCOMPARE(spots.tableCount(x, y), 1);
        QVERIFY(spots.mostCommonAdditive().isEmpty());
    }

    // counted in pupils, most first, at most ten
    void mostCommonAdditive()
    {
        WeakSpots spots;
        spots.addPupil({wrong(7, 1, 5, 13), wrong(7, 1, 5, 11), wrong(6, 1, 5, 12, 1), wrong(7, 3, 8, 55)});
        spots.addPupil({wrong(7, 1, 9, 12, 2), wrong(9, 2, 3, 5)});
        QList<WrongResultRecord> many;
        for (int i = 10; i < 30; ++i)
            many.append(wrong(i, 2, 1, 0));
        spots.addPupil(many);
        const QList<WeakExercise> top = spots.mostCommonAdditive();
        QCOMPARE(top.size(), 10);
        QCOMPARE(ExerciseText(top[0].exercise), QStringLiteral("7 + 5 = 12"));
        QCOMPARE(top[0].pupils, 2);
        QCOMPARE(ExerciseText(top[1].exercise), QStringLiteral("9 - 3 = 6"));
        QCOMPARE(top[1].pupils, 1);
        QCOMPARE(spots.tableCount(7, 8), 1);
    }

    void exportCsv()
    {
        PupilSummary ema;
        ema.name = QStringLiteral("Ema; Nová");
        ema.recentEvaluations = 3;
        ema.meanPercent = 87.5;
        ema.trend = Trend::Down;
        ema.lastGrade = 2;
        ema.lastPractice = Today;
        ema.retestCount = 4;
        PupilSummary lost;
        lost.name = QStringLiteral("Jan");
        lost.readable = false;
        QCOMPARE(ClassOverviewCsv({ema, lost}),
                 QByteArray("\xEF\xBB\xBF" "žák;hodnocení za 7 dní;úspěšnost za 28 dní %;trend;poslední známka;"
                            "poslední cvičení;k přezkoušení\r\n\"Ema; Nová\";3;88;↓;2;2026-03-31;4\r\n"
                            "Jan;nelze přečíst;;;;;\r\n"));
    }

    // the practice settings go to the pupil; the pupil's window stays where the pupil left it
    void classSettingsToPupil()
    {
        QTemporaryDir dir;
        const QString classIni = dir.filePath(QStringLiteral("class.ini"));
        const QString pupilIni = dir.filePath(QStringLiteral("pupil.ini"));
        writeBytes(classIni, "[Krat]\r\nC1DO=10\r\n[CasLimit]\r\nhodnota=15\r\n[Heslo]\r\nhodnota=\" tajné \"\r\n"
                             "[Okno]\r\nLeft=5\r\nvelikost=100\r\n");
        writeBytes(pupilIni, "[Krat]\r\nC1DO=3\r\n[Heslo]\r\nhodnota=\"staré\"\r\n[Okno]\r\nLeft=700\r\nvelikost=150\r\n");
        ApplyClassSettings(classIni, pupilIni);
        QCOMPARE(IniReadInteger(pupilIni, QStringLiteral("Krat"), QStringLiteral("C1DO"), 0), 10);
        QCOMPARE(IniReadInteger(pupilIni, QStringLiteral("CasLimit"), QStringLiteral("hodnota"), 0), 15);
        QCOMPARE(IniReadString(pupilIni, QStringLiteral("Heslo"), QStringLiteral("hodnota"), QString()), QStringLiteral(" tajné "));
        QCOMPARE(IniReadInteger(pupilIni, QStringLiteral("Okno"), QStringLiteral("Left"), 0), 700);
        QCOMPARE(IniReadInteger(pupilIni, QStringLiteral("Okno"), QStringLiteral("velikost"), 0), 150);
    }
};

QTEST_GUILESS_MAIN(TestClassroom)
#include "tst_classroom.moc"
