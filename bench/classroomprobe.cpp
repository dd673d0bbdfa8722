// The classroom benchmark's probe: COPIES copies of the program's record writing on one folder,
// each answering ROUNDS exercises wrongly as fast as it can, the way the practice stores misses
// (through PendingRecords); every third answer a re-test removes one of the copy's earlier
// misses from chyba.nmk and every tenth an evaluation goes to hdv.ndv and historie.csv, through
// the same queue, as the program does.
// Run on several computers at once with distinct MACHINE numbers, then once more with "check".
//   bench_classroom run DIR COPIES ROUNDS MACHINE OUT
//   bench_classroom check DIR MACHINES COPIES ROUNDS OUT...
// A record's first number is MACHINE*10000000 + copy*100000 + answer, so every record is unique.
#include "core/records/historycsv.h"
#include "core/records/pendingrecords.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

WrongResultRecord recordOf(qint32 id)
{
    WrongResultRecord r;
    r.FirstNumber = id;
    r.SecondNumber = 1;
    r.Result = 99;
    return r;
}

// One copy of the program: returns its lines for OUT.
QByteArray runCopy(const QString &dir, int machine, int copy, int rounds)
{
    const QString retest = dir + QStringLiteral("/chyba.nmk");
    PendingRecords pending(retest, dir + QStringLiteral("/chybavysl.nmk"), dir + QStringLiteral("/hdv.ndv"));
    int notices = 0;
    QObject::connect(&pending, &PendingRecords::stalled, [&notices] { ++notices; });
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    // when each answer was given and after how many changes written it is stored
    std::vector<qint64> givenAt, storedAt;
    std::vector<qint64> needed;
    qint64 added = 0;
    const auto collect = [&] {
        const qint64 written = added - pending.count();
        while (storedAt.size() < needed.size() && needed[storedAt.size()] <= written)
            storedAt.push_back(clock.nsecsElapsed());
    };
    const auto idOf = [&](int answer) { return machine * 10000000 + copy * 100000 + answer; };
    for (int i = 0; i < rounds; ++i) {
        const WrongResultRecord r = recordOf(idOf(i));
        // everything the window does for one answer: the miss, and now and then a re-test's
        // removal of one of this copy's earlier misses and an evaluation
        const qint64 t0 = clock.nsecsElapsed();
        pending.add(PendingRecords::Target::RetestFile, r);
        pending.add(PendingRecords::Target::WrongResultsFile, r);
        added += 2;
        if (i % 3 == 2) {
            pending.removeFromRetest(1, recordOf(idOf(i - 2)));
            ++added;
        }
        if (i % 10 == 9) {
            EvaluationRecord e;
            e.DateTime = 46000.5;
            e.Grade = 1;
            e.CorrectCount = idOf(i);
            pending.addEvaluation(e);
            added += 2;
        }
        const qint64 t1 = clock.nsecsElapsed();
        givenAt.push_back(t0);
        needed.push_back(added);
        out += QByteArray("A ") + QByteArray::number((t1 - t0) / 1e6, 'f', 3) + '\n';
        if (i % 3 == 2)
            out += QByteArray("D ") + QByteArray::number(idOf(i - 2)) + '\n';
        if (i % 10 == 9)
            out += QByteArray("P ") + QByteArray::number(idOf(i)) + '\n';
        QCoreApplication::processEvents();
        collect();
    }
    // the pupil goes on working while the last changes wait, as long as a lesson would
    const qint64 lessonMs = qEnvironmentVariableIntValue("BENCH_LESSON_S") > 0
                                ? qEnvironmentVariableIntValue("BENCH_LESSON_S") * 1000LL
                                : 45 * 60 * 1000LL;
    QElapsedTimer drain;
    drain.start();
    while (pending.count() > 0 && !drain.hasExpired(lessonMs)) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        collect();
    }
    for (size_t k = 0; k < storedAt.size(); ++k)
        out += QByteArray("S ") + QByteArray::number((storedAt[k] - givenAt[k]) / 1e6, 'f', 3) + '\n';
    out += QByteArray("N ") + QByteArray::number(notices) + '\n';
    out += QByteArray("L ") + QByteArray::number(pending.count()) + '\n';
    try {
        pending.saveForNextStart();
    } catch (...) {
        out += "L unsaved\n";
    }
    return out;
}

int run(const QString &dir, int copies, int rounds, int machine, const char *outPath)
{
    std::vector<int> pipes;
    for (int c = 0; c < copies; ++c) {
        int fd[2];
        if (pipe(fd) != 0)
            return 2;
        const pid_t child = fork();
        if (child == 0) {
            ::close(fd[0]);
            int argc = 1;
            char name[] = "copy";
            char *argv[] = {name, nullptr};
            QCoreApplication app(argc, argv);
            const QByteArray out = runCopy(dir, machine, c, rounds);
            for (qsizetype done = 0; done < out.size();) {
                const ssize_t put = ::write(fd[1], out.constData() + done, size_t(out.size() - done));
                if (put <= 0)
                    _exit(1);
                done += put;
            }
            _exit(0);
        }
        ::close(fd[1]);
        pipes.push_back(fd[0]);
    }
    QFile out(QString::fromLocal8Bit(outPath));
    if (!out.open(QIODevice::WriteOnly))
        return 2;
    for (int fd : pipes) {
        char buffer[65536];
        ssize_t got;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
            out.write(buffer, got);
        ::close(fd);
    }
    while (::wait(nullptr) > 0) {
    }
    return 0;
}

QByteArray slurp(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

double quantile(std::vector<double> v, double q)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(q * double(v.size())))];
}

int check(const QString &dir, int machines, int copies, int rounds, int outCount, char **outs)
{
    std::vector<double> answer, stored;
    std::set<qint32> removed, evaluated;
    long left = 0, notices = 0;
    for (int k = 0; k < outCount; ++k) {
        for (const QByteArray &line : slurp(QString::fromLocal8Bit(outs[k])).split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() != 2)
                continue;
            const double value = f[1].toDouble();
            switch (line[0]) {
            case 'A': answer.push_back(value); break;
            case 'S': stored.push_back(value); break;
            case 'D': removed.insert(f[1].toInt()); break;
            case 'P': evaluated.insert(f[1].toInt()); break;
            case 'N': notices += long(value); break;
            case 'L': left += f[1] == "unsaved" ? 0 : long(value); break;
            }
        }
    }
    // the answers given, as the copies reported them (each computer may check its own folder)
    const long answered = answer.empty() ? long(machines) * copies * rounds : long(answer.size());
    const auto valid = [&](qint32 id) {
        const int m = id / 10000000, c = id % 10000000 / 100000, i = id % 100000;
        return m >= 1 && m <= 9 && c < copies && i < rounds;
    };
    // every record of chybavysl.nmk must be one answered, once, whole
    const QByteArray wrong = slurp(dir + QStringLiteral("/chybavysl.nmk"));
    std::set<qint32> seen;
    long duplicated = 0, damaged = 0;
    for (qsizetype at = 0; at + WrongResultRecord::Size <= wrong.size(); at += WrongResultRecord::Size) {
        const WrongResultRecord r = WrongResultRecord::decode(wrong.constData() + at);
        if (!(r == recordOf(r.FirstNumber)) || !valid(r.FirstNumber))
            ++damaged;
        else if (!seen.insert(r.FirstNumber).second)
            ++duplicated;
    }
    const long stray = long(wrong.size() % WrongResultRecord::Size);
    // chyba.nmk: every answer once, less exactly the ones the re-tests removed
    const QByteArray retest = slurp(dir + QStringLiteral("/chyba.nmk"));
    long retestDamaged = 0, retestRemovedStays = 0;
    std::set<qint32> retestSeen;
    for (qsizetype at = 0; at + WrongResultRecord::Size <= retest.size(); at += WrongResultRecord::Size) {
        const WrongResultRecord r = WrongResultRecord::decode(retest.constData() + at);
        retestDamaged += !(r == recordOf(r.FirstNumber)) || !valid(r.FirstNumber) || !retestSeen.insert(r.FirstNumber).second;
        retestRemovedStays += removed.count(r.FirstNumber) != 0;
    }
    const long retestWanted = answered - long(removed.size());
    const long retestHas = long(retest.size() / WrongResultRecord::Size);
    // hdv.ndv keeps the newest HistoryCapacity evaluations, historie.csv every one
    std::set<qint32> historySeen, rowsSeen;
    long historyBad = 0, rowsBad = 0;
    const QByteArray history = slurp(dir + QStringLiteral("/hdv.ndv"));
    for (qsizetype at = 0; at + EvaluationRecord::Size <= history.size(); at += EvaluationRecord::Size) {
        const qint32 id = EvaluationRecord::decode(history.constData() + at).CorrectCount;
        historyBad += !evaluated.count(id) || !historySeen.insert(id).second;
    }
    const long historyWanted = std::min<long>(long(evaluated.size()), HistoryCapacity);
    for (const HistoryCsvRow &row : ReadHistoryCsv(dir + QStringLiteral("/historie.csv")))
        rowsBad += !evaluated.count(row.correct) || !rowsSeen.insert(row.correct).second;
    const QByteArray pendingLeft = slurp(PendingRecords::pendingFileBeside(dir + QStringLiteral("/chyba.nmk")));
    std::printf("chybavysl.nmk: kept %zu of %ld answered (lost %ld, duplicated %ld, damaged or zeroed %ld, stray "
                "bytes %ld)\n",
                seen.size(), answered, answered - long(seen.size()), duplicated, damaged, stray);
    std::printf("chyba.nmk: %ld records, expected %ld (answered less %zu removed by re-tests), damaged, zeroed or "
                "twice %ld, removed but still there %ld, stray bytes %ld\n",
                retestHas, retestWanted, removed.size(), retestDamaged, retestRemovedStays,
                long(retest.size() % WrongResultRecord::Size));
    std::printf("evaluations %zu: hdv.ndv %zu of %ld (wrong or twice %ld), historie.csv %zu rows (wrong or twice %ld); "
                "notices %ld; changes left for the next start %ld (%lld bytes in the pending file)\n",
                evaluated.size(), historySeen.size(), historyWanted, historyBad, rowsSeen.size(), rowsBad, notices, left,
                static_cast<long long>(pendingLeft.size()));
    std::printf("answer (window busy) p50 %.2f ms p99 %.2f ms; answer to stored p50 %.1f ms p99 %.1f ms (%zu)\n",
                quantile(answer, 0.5), quantile(answer, 0.99), quantile(stored, 0.5), quantile(stored, 0.99),
                stored.size());
    std::printf("RESULT kept %zu/%ld dup %ld damaged %ld chyba %ld/%ld answer_p50 %.2f answer_p99 %.2f stored_p50 %.1f "
                "stored_p99 %.1f\n",
                seen.size(), answered, duplicated, damaged + retestDamaged, retestHas, retestWanted, quantile(answer, 0.5),
                quantile(answer, 0.99), quantile(stored, 0.5), quantile(stored, 0.99));
    const bool ok = long(seen.size()) == answered && duplicated == 0 && damaged == 0 && stray == 0
                    && retestDamaged == 0 && retestRemovedStays == 0 && retestHas == retestWanted
                    && retest.size() % WrongResultRecord::Size == 0 && historyBad == 0
                    && long(historySeen.size()) == historyWanted && rowsBad == 0
                    && rowsSeen.size() == evaluated.size() && left == 0;
    std::printf(ok ? "CHECK OK\n" : "CHECK FAILED\n");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 7 && std::strcmp(argv[1], "run") == 0)
        return run(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), argv[6]);
    if (argc >= 7 && std::strcmp(argv[1], "check") == 0)
        return check(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                     argc - 6, argv + 6);
    std::fprintf(stderr, "usage: %s run DIR COPIES ROUNDS MACHINE OUT | check DIR MACHINES COPIES ROUNDS OUT...\n",
                 argv[0]);
    return 2;
}
