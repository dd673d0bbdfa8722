#pragma once

#include "core/generator/generator.h"
#include "core/practice/practiceflow.h"
#include "core/practice/practiceview.h"
#include "core/practice/teachingaccess.h"
#include "core/settings/practicesettings.h"

#include <QDateTime>
#include <QMainWindow>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class AnswerFeedback;
class QAction;
class QKeyEvent;
class QLabel;
class QTimer;
class StatusBarPanels;
class TAMEdit;
class ZakladClient;
struct ZakladMenuBar;

// The main window, in which the whole practice happens. It holds the widgets, the pictures, the
// sounds, the timer and the dialogs, forwards keys, ticks and menu commands to the practice
// (PracticeFlow) and shows what the practice tells it.
class TFZaklad : public QMainWindow, private PracticeView
{
    Q_OBJECT

public:
    // The settings and the records live in dataDirectory, the sounds are read from
    // soundDirectory. The paths are built here once.
    TFZaklad(const QString &dataDirectory, const QString &soundDirectory, QWidget *parent = nullptr);
    // Everything in one folder, the sounds in its folder "zvuk", as in the folder install.
    explicit TFZaklad(const QString &programDirectory, QWidget *parent = nullptr);
    ~TFZaklad() override;

    // How long the answer feedback stays on screen (500 ms); tests shorten it.
    void setFeedbackPause(std::chrono::milliseconds pause);
    // "Now" for the history records; tests set their own clock.
    void setLocalClock(std::function<QDateTime()> clock) { m_localClock = std::move(clock); }

    PracticeFlow &flow() { return *m_flow; }
    ExerciseGenerator &generator() { return m_generator; }
    const PracticeSession &session() const { return m_flow->session(); }
    const CountdownRules &countdown() const { return m_flow->countdown(); }
    const PracticeSettings &settings() const { return m_flow->settings(); }
    const PracticeRun &run() const { return m_flow->run(); }
    qint32 zoomPercent() const { return m_zoomPercent; }
    bool isFeedbackShowing() const;
    bool isRetestActive() const { return m_flow->RetestActive(); }
    // Tests stand in for a running re-test with this.
    void setRetestActiveForTesting(bool active) { m_flow->setRetestActiveForTesting(active); }

    // The next exercise of a printed sheet, drawn like one on screen without touching it; none
    // when none can be found (the sheet tells the user once its page is laid out).
    std::optional<Exercise> DalsiPrikladProTisk();

public slots:
    // One tick of TCasLimit.
    void TCasLimitTimer();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    // building the window
    void buildStatusBar();
    void applyZoom();

    // start and end
    void FormShow();
    void FormClose();

    // the menu "Možnosti" (zakladmenu.cpp)
    void wireMenus();
    void MMoznostiClick();
    void MMSoundClick();
    void MMZvetseniClick();
    void MMZ150Click(QAction *item);
    // the printed sheets (zakladsheets.cpp)
    void connectSheetItems();
    void previewSheet(int columns);

    // modes, password and the settings dialog (zakladmodes.cpp)
    void wireModes();
    void MRezimClick();
    void MRNastaveniClick();
    void MRVyukaClick();
    void MRHesloClick();
    QString DejHesloZIni() const;
    bool JeHesloOK();
    void MMRozsahClick();

    // the answer and its feedback (zakladpractice.cpp)
    void EVysledekEnter(TAMEdit *field);

    // wrong results, the re-test, the history and About (zakladretest.cpp)
    void wireRecordMenus();
    void MChybneVyslClick();
    void MChZobraClick();
    void MMHDHClick();
    void MIAboutClick();

    // PracticeView
    OperationSwitches operationSwitches() const override;
    void showSwitchesAndSound(const OperationSwitches &switches, bool soundOn) override;
    void showExercise(const Exercise &exercise) override;
    QString typedAnswer() const override;
    void clearNumberField(UnknownSlot slot) override;
    void focusAnswerField() override;
    void ZvyrazniVysledek(FeedbackKind kind, UnknownSlot slot) override;
    void showMessage(const QString &text, NoticeKind kind) override;
    bool isRunning() const override; // TCasLimit
    void start() override;
    void stop() override;
    void showGauge(const CountdownGauge &gauge) override;
    void showEvaluation(const PartialEvaluation &evaluation) override;
    QDateTime localNow() const override;
    void showPartialCount(PartialCount which, qint32 value) override;
    void showTotals(const QString &grade, const QString &correct, const QString &wrong) override;
    void DEMenuRezim(const MenuAccess &access) override;
    void runLater(std::function<void()> task) override;

    PracticeFiles m_files; // built once

    qint32 m_zoomPercent = 100;
    ExerciseGenerator m_generator;
    std::unique_ptr<PracticeFlow> m_flow;
    AnswerFeedback *m_feedback = nullptr;

    bool m_started = false;
    bool m_iconGiven = false;
    std::function<QDateTime()> m_localClock;

    ZakladClient *m_client = nullptr;
    std::unique_ptr<ZakladMenuBar> m_menu;
    QTimer *TCasLimit = nullptr;
    StatusBarPanels *m_statusBar = nullptr;
};
