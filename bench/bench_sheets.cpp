#include "core/generator/generator.h"
#include "core/sheets/sheetdesign.h"
#include "ui/sheets/sheetpainter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// A three-column sheet as printing makes it: 90 fresh lines pulled, the page laid out and
// rendered into a PDF file at 1200 dpi. Goal: at most 150 ms.
static void BM_NinetyLineSheetToPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    ExerciseGenerator generator;
    generator.seedFromClock();
    PracticeSettings settings;
    settings.resultOnly = false;
    const OperationSwitches all{true, true, true, true};
    const SheetDesign design = SheetDesign::forColumns(3);
    SheetRecords records(design.exercises, [&] { return generator.drawExercise(all, settings).exercise; });
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("sheet.pdf")));
        SetUpSheetPrinter(printer);
        int failures = 0;
        const SheetExercises lines = records.layoutPass(design.capacity(), failures);
        QPainter painter(&printer);
        PaintSheet(painter, design, lines);
        painter.end();
        benchmark::DoNotOptimize(failures);
    }
}
BENCHMARK(BM_NinetyLineSheetToPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char *argv[])
{
    // fonts and printers need a GUI application; no display is needed
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
