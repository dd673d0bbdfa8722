#pragma once

// The practice without a window: a fake view that notes what it is told, a temporary data
// folder and the flow between them.

#include "core/practice/practiceflow.h"

#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

namespace testsupport {

class FakeView : public PracticeView
{
public:
    OperationSwitches switches;
    bool soundShown = true;
    Exercise onScreen;
    QString typed; // the hidden number's field
    std::vector<UnknownSlot> clearedShownFields;
    int focusRequests = 0;
    std::vector<std::pair<FeedbackKind, qint32>> feedback;
    std::function<void()> duringFeedback; // runs inside the feedback, as a pending event would
    QStringList messages;                 // "Warning: …" or "Information: …"
    bool running = false;
    bool runningWhileEvaluating = false;
    CountdownGauge gauge;
    std::vector<std::pair<qint32, qint32>> evaluations;
    QDateTime now = QDateTime(QDate(2024, 3, 15), QTime(12, 0));
    qint32 ok = 0;
    qint32 chyba = 0;
    QStringList totals;
    int menusEnabled = -1; // DEMenuRezim: 1 enabled, 0 disabled
    std::vector<std::function<void()>> later;
    int starts = 0;
    int stops = 0;

    OperationSwitches operationSwitches() const override { return switches; }
    void showSwitchesAndSound(const OperationSwitches &shown, bool soundOn) override
    {
        switches = shown;
        soundShown = soundOn;
    }
    void showExercise(const Exercise &exercise) override
    {
        onScreen = exercise;
        typed.clear();
    }
    QString typedAnswer() const override { return typed; }
    void clearNumberField(UnknownSlot slot) override
    {
        if (slot == onScreen.hidden)
            typed.clear();
        else
            clearedShownFields.push_back(slot);
    }
    void focusAnswerField() override { ++focusRequests; }
    void ZvyrazniVysledek(FeedbackKind kind, UnknownSlot slot) override
    {
        feedback.emplace_back(kind, qint32(slot));
        if (duringFeedback)
            std::exchange(duringFeedback, {})();
    }
    void showMessage(const QString &text, NoticeKind kind) override
    {
        messages.append((kind == NoticeKind::Warning ? QStringLiteral("Warning: ") : QStringLiteral("Information: "))
                        + text);
    }
    bool isRunning() const override { return running; }
    void start() override { running = true, ++starts; }
    void stop() override { running = false, ++stops; }
    void showGauge(const CountdownGauge &shown) override { gauge = shown; }
    void showEvaluation(const PartialEvaluation &shown) override
    {
        evaluations.emplace_back(shown.correct, shown.wrong);
        runningWhileEvaluating = running;
    }
    QDateTime localNow() const override { return now; }
    void showPartialCount(PartialCount which, qint32 value) override
    {
        (which == PartialCount::Ok ? ok : chyba) = value;
    }
    void showTotals(const QString &grade, const QString &correct, const QString &wrong) override
    {
        totals = {grade, correct, wrong};
    }
    void DEMenuRezim(const MenuAccess &access) override { menusEnabled = access.info ? 1 : 0; }
    void runLater(std::function<void()> task) override { later.push_back(std::move(task)); }

    // Runs what was left for later, as the event loop would.
    void runPending()
    {
        for (auto tasks = std::exchange(later, {}); auto &task : tasks)
            task();
    }
};

// A data folder with its settings file, and the practice started in it as the window starts it.
class Practice
{
public:
    explicit Practice(const QByteArray &ini = QByteArray()) : dir(std::make_unique<QTemporaryDir>())
    {
        const QDir data(dir->path());
        files = {data.filePath(QStringLiteral("numik.ini")), data.filePath(QStringLiteral("chyba.nmk")),
                 data.filePath(QStringLiteral("chybavysl.nmk")), data.filePath(QStringLiteral("hdv.ndv"))};
        QFile f(files.iniFile);
        if (!f.open(QIODevice::WriteOnly) || f.write(ini) != ini.size())
            qFatal("cannot write the settings file");
        flow = std::make_unique<PracticeFlow>(generator, files, view);
    }

    // The first showing of the window.
    PracticeFlow &start()
    {
        flow->startPractice();
        return *flow;
    }

    // Types the text into the hidden number's field and presses Enter.
    void answer(const QString &text)
    {
        view.typed = text;
        flow->answer(text);
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            flow->TCasLimitTimer();
    }
    const PracticeSession &session() const { return flow->session(); }
    const PracticeRun &run() const { return flow->run(); }

    std::unique_ptr<QTemporaryDir> dir;
    PracticeFiles files;
    ExerciseGenerator generator{[] { return QTime(10, 0); }};
    FakeView view;
    std::unique_ptr<PracticeFlow> flow;
};

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The settings of an exercise that is always 7 + 5 with its result hidden.
inline const QByteArray SevenPlusFive = "[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n";

} // namespace testsupport
