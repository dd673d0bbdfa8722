// A delete from a long wrong-results file: the tail moves in blocks, one pass of large reads
// and writes. Run: build/bench/bench_recordfiles
#include "core/records/recordfiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_DeleteFirstOf100000(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chyba.nmk"));
    QByteArray bytes;
    WrongResultRecord record;
    for (int n = 0; n < 100000; ++n) {
        record.FirstNumber = n;
        bytes += record.encode();
    }
    for (auto _ : state) {
        state.PauseTiming();
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            state.SkipWithError("cannot write the file");
        file.close();
        state.ResumeTiming();
        // the first record: the whole tail moves
        DeleteWrongResult(path, 1);
    }
}
BENCHMARK(BM_DeleteFirstOf100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
