// What handling one answer costs in the real main window beyond the designed half-second pause:
// the pause is set to nothing and right answers are typed with Enter, as a pupil does.
// Run: build/bench/bench_answer [answers]
#include "core/practice/answercheck.h"
#include "ui/widgets/amedit.h"
#include "ui/practice/zaklad.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int answers = argc > 1 ? std::max(10, atoi(argv[1])) : 500;

    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("numik.ini")));
    // no evaluation window and no sound in the way of the measurement
    if (!ini.open(QIODevice::WriteOnly) || ini.write("[Hodnoceni]\nautopo=1000000\n[Zvuk]\nanone=0\n") < 0)
        return 1;
    ini.close();
    TFZaklad w(dir.path());
    w.setFeedbackPause(std::chrono::milliseconds(0));
    w.show();
    auto *result = w.findChild<TAMEdit *>(QStringLiteral("EVysledek"));
    const auto number = [&](const char *name) { return NumberOrZero(w.findChild<TAMEdit *>(QString::fromLatin1(name))->text()); };

    std::vector<double> times;
    QElapsedTimer clock;
    for (int i = 0; i < answers; ++i) {
        const qint32 right = ExpectedResult(w.findChild<TAMEdit *>(QStringLiteral("EOperace"))->tag(), number("ECislo1"),
                                            number("ECislo2"));
        result->setText(QString::number(right));
        clock.start();
        QTest::keyClick(result, Qt::Key_Return);
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("answer handling beyond the pause: median %.3f ms, 95th percentile %.3f ms (%d answers)\n",
                times[times.size() / 2], times[times.size() * 95 / 100], answers);
    return w.session().TotalCorrect() == answers ? 0 : 1;
}
