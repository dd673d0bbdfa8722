// What the class costs a teacher and a pupil: the class overview of 30 pupils, each after a year
// of daily practice (about 1 500 evaluations in historie.csv, 2 000 wrong results), opened from
// nothing to its first paint; and the picker "Kdo cvičí?" of the same class, from listing the
// pupils to its first paint, which is what it adds to a pupil's start. The first run of each is
// the cold one: a window that has never been built in this process.
// Run: build/bench/bench_classoverview [runs]   (QT_QPA_PLATFORM=xcb on an X server to include it)
#include "core/classroom/classfolder.h"
#include "core/records/csvtext.h"
#include "core/records/historycsv.h"
#include "ui/classroom/kdocvici.h"
#include "ui/classroom/prehledtridy.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

namespace {

constexpr int Pupils = 30;
constexpr int WrongResults = 2000;

bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A year of practice, four evaluations on most school days, and the wrong results of it.
bool makePupil(const QString &folder, QDate today, QRandomGenerator &random)
{
    QByteArray csv = CsvByteOrderMark;
    csv += CsvLine(HistoryCsvHeader());
    int evaluations = 0;
    for (QDate day = today.addDays(-364); day <= today; day = day.addDays(1)) {
        for (int n = 0; n < 4 && day.dayOfWeek() <= 5 && evaluations < 1500; ++n, ++evaluations) {
            HistoryCsvRow row;
            row.date = day;
            row.time = QTime(15, 10 * n);
            row.correct = random.bounded(4, 11);
            row.wrong = 10 - row.correct;
            row.percent = row.correct * 10;
            row.grade = row.correct >= 9 ? 1 : 5 - std::min(3, row.correct - 5);
            row.operations = QStringLiteral("+ - x :");
            row.timeLimit = 20;
            csv += CsvLine(HistoryCsvFields(row));
        }
    }
    QByteArray wrong;
    for (int i = 0; i < WrongResults; ++i) {
        WrongResultRecord r;
        r.Operation = random.bounded(1, 5);
        r.FirstNumber = random.bounded(1, 11);
        r.SecondNumber = random.bounded(1, 11);
        if (r.Operation == 4)
            r.FirstNumber *= r.SecondNumber;
        r.Result = random.bounded(0, 100);
        wrong += r.encode();
    }
    return write(folder + QStringLiteral("/historie.csv"), csv) && write(folder + QStringLiteral("/chybavysl.nmk"), wrong)
           && write(folder + QStringLiteral("/chyba.nmk"), wrong.left(300 * WrongResultRecord::Size));
}

double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The wall-clock time of each run and the processor time it took: on a machine shared with
// other builds the first says how long a teacher waited, the second what the program spent.
struct Times
{
    std::vector<double> wall;
    std::vector<double> cpu;
};

template <typename Open>
Times measure(int runs, Open open)
{
    Times times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        const double cpu = cpuMilliseconds();
        open();
        times.cpu.push_back(cpuMilliseconds() - cpu);
        times.wall.push_back(double(clock.nsecsElapsed()) / 1e6);
        QCoreApplication::processEvents();
    }
    return times;
}

void report(const char *what, Times times, double goal)
{
    const double first = times.wall.front();
    const double firstCpu = times.cpu.front();
    std::sort(times.wall.begin(), times.wall.end());
    std::sort(times.cpu.begin(), times.cpu.end());
    std::printf("%s (goal %.0f ms), %zu runs:\n  wall clock: first %.1f ms, median %.1f ms, slowest %.1f ms\n"
                "  processor:  first %.1f ms, median %.1f ms, slowest %.1f ms\n",
                what, goal, times.wall.size(), first, times.wall[times.wall.size() / 2], times.wall.back(), firstCpu,
                times.cpu[times.cpu.size() / 2], times.cpu.back());
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;

    QTemporaryDir dir;
    const ClassFolder cls(dir.path());
    const QDate today = QDate::currentDate();
    QRandomGenerator random(28);
    for (int i = 0; i < Pupils; ++i) {
        const QString name = QStringLiteral("Žák číslo %1").arg(i + 1);
        if (!cls.addPupil(name).isEmpty() || !makePupil(cls.pupilFolder(name), today, random))
            return 1;
    }

    // Qt's own first-window costs (fonts, style, platform) are paid by every start, the picker's
    // or not: a plain window pays them before anything is measured
    {
        QLabel warmUp(QStringLiteral("Kdo cvičí?"));
        warmUp.show();
        warmUp.repaint();
    }
    report("picker of 30 pupils to its first paint", measure(runs, [&] {
               TFKdoCvici picker(cls.pupilNames(), QStringLiteral("nikdo"));
               picker.show();
               picker.repaint();
           }), 20);
    report("overview of 30 pupils to its first paint", measure(runs, [&] {
               TFPrehledTridy overview(cls, today);
               overview.show();
               overview.repaint();
           }), 300);
    return 0;
}
