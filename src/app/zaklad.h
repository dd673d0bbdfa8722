#pragma once

#include "generator/generator.h"
#include "practice/countdown.h"
#include "practice/practicesession.h"
#include "records/recordfiles.h"
#include "settings/practicesettings.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class CasGauge;
class QAction;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QMenu;
class NumikStyle;
class SoundPlayer;
class StatusBarPanels;
class TAMEdit;

// The kinds of answer feedback, each with its picture and sound.
enum class FeedbackKind { Correct = 0, Wrong = 1, TooSlow = 2 };

// The main window, in which the whole practice happens. It owns all lasting state of a run:
// the settings in memory, the generator, the session counts and the exercise on screen, and
// wires the widgets to the window-free logic.
class TFZaklad : public QMainWindow, private SessionHost, private CountdownTimer
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
    void setFeedbackPause(std::chrono::milliseconds pause) { m_feedbackPause = pause; }
    // "Now" for the history records; tests set their own clock.
    void setLocalClock(std::function<QDateTime()> clock) { m_localClock = std::move(clock); }

    ExerciseGenerator &generator() { return m_generator; }
    const PracticeSession &session() const { return *m_session; }
    const PracticeSettings &settings() const { return m_settings; }
    QString iniFile() const { return m_iniFile; }
    bool isFeedbackShowing() const { return m_feedbackShowing; }

    // Poses the next exercise on screen; shows "Chyba v programu" when none can be found.
    void DalsiPriklad();
    // The next line of a printed sheet, drawn like an exercise on screen without touching it;
    // empty when none can be found (the sheet tells the user once its page is laid out).
    QString DalsiPrikladProTisk();
    // Puts an exercise on screen with its hidden number's field empty, editable and focused.
    void showExercise(const Exercise &exercise);

    const CountdownRules &countdown() const { return *m_countdown; }
    // Restarts the countdown for the exercise on screen.
    void NulujNastavInfoCasLimit();
    // Pauses (true) or resumes (false) the countdown while a dialog is open.
    void PauseCasLimit(bool pause);

    // Enters a mode: 1 the settings mode, any other value the teaching mode (zakladmodes.cpp).
    void NastavRezim(qint32 mode);
    bool isRetestActive() const { return m_retestActive; }
    // Tests stand in for a running re-test with this.
    void setRetestActiveForTesting(bool active) { m_retestActive = active; }

public slots:
    // One tick of TCasLimit. A tick that comes while an answer is being judged waits until the
    // verdict is in, so that one exercise is never both answered and timed out.
    void TCasLimitTimer();
    // The program stops or starts being the active application.
    void ApplicationEvents1Deactivate();
    void ApplicationEvents1Activate();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct ScaledWidget
    {
        QPointer<QWidget> widget;
        QRect base;
        int baseFontPixels;
        bool bold;
    };

    // building the window
    void buildControls();
    void buildMenu();
    void buildStatusBar();
    TAMEdit *addNumberField(const char *name, const QRect &base, int tag, bool readOnly, const QString &hint);
    QLabel *addPicture(const char *name, const QRect &base);
    void place(QWidget *widget, const QRect &base, int fontPixels, bool bold = false);
    void scale(const ScaledWidget &s, double factor);
    void applyZoom();
    void renderPictures();

    // start and end
    void FormShow();
    void FormClose();

    // menus
    void MMoznostiClick();
    void MMSoundClick();
    void MMZvetseniClick();
    void MMZ150Click(QAction *item);
    void MNulovatClick();
    // the printed sheets (zakladsheets.cpp)
    void connectSheetItems();
    void previewSheet(int columns);

    // modes, password and the settings dialog (zakladmodes.cpp)
    void wireModes();
    void DEMenuRezim(bool enabled);
    void MRezimClick();
    void MRNastaveniClick();
    void MRVyukaClick();
    void MRHesloClick();
    QString DejHesloZIni() const;
    bool JeHesloOK();
    void MMRozsahClick();

    // the exercise and the answer
    OperationSwitches operationSwitches() const;
    void NastavFormDleNeznama(UnknownSlot slot);
    TAMEdit *fieldOfSlot(qint32 slot) const;
    bool EVysledekKeyPress(TAMEdit *field, QKeyEvent *event);
    void judgeAnswer(TAMEdit *field);
    void rightAnswer(qint32 slot);
    void wrongAnswer(TAMEdit *field, qint32 slot, qint32 a, qint32 b, qint32 shown);
    // stores a wrong answer or a time-out and counts it
    void recordMiss(const WrongResultRecord &record);
    void ZvyrazniVysledek(FeedbackKind kind, qint32 slot);
    QString soundFile(const QString &name) const;
    void prepareSounds();
    void prepareFeedbackPictures();
    void tick();
    void timeOut();
    void applyGauge();
    void replayDeferredTicks(quint64 exerciseSerial);

    // wrong results, the re-test, the history and About (zakladretest.cpp)
    void wireRecordMenus();
    void MChybneVyslClick();
    void MChZobraClick();
    void MChPrezkousetClick();
    void DalsiPrikladPrz();
    void retestAnsweredRight();
    void retestTimedOut();
    void endRetest();
    void reloadFromIni();
    void setSwitchesAndSound(const OperationSwitches &switches, bool soundOn);
    void MMHDHClick();
    void MIAboutClick();

    // SessionHost
    qint32 operationOnScreen() const override;
    bool isCountdownRunning() const override;
    void stopCountdown() override;
    void startCountdown() override;
    qint32 showEvaluation(qint32 correct, qint32 wrong) override;
    QDateTime localNow() const override;
    void showPartialCount(PartialCount which, qint32 value) override;
    void showTotals(const QString &grade, const QString &correct, const QString &wrong) override;
    void resetExerciseCounter() override;

    // CountdownTimer: TCasLimit, whose rhythm goes on when it is started while running
    bool isRunning() const override;
    void start() override;
    void stop() override;

    // paths, built once
    QString m_soundDirectory;
    QString m_iniFile;
    QString m_retestFile;
    QString m_wrongResultsFile;
    QString m_historyFile;

    PracticeSettings m_settings;
    ExerciseGenerator m_generator;
    std::unique_ptr<PracticeSession> m_session;
    std::unique_ptr<CountdownRules> m_countdown;
    SoundPlayer *m_sound = nullptr;

    // the exercise on screen
    UnknownSlot m_hiddenSlot = UnknownSlot::Result; // the recorded hidden slot
    bool m_freshExercise = false;
    bool m_retestActive = false;
    qint32 m_retestIndex = 0; // 1-based position in the re-test file of the exercise on screen
    quint64 m_retestSerial = 0; // the exercise the re-test put on screen
    WrongResultRecord m_retestRecord; // and the record it was read from
    // the teacher's operation switches and sound as they stood when the re-test began
    OperationSwitches m_switchesBeforeRetest;
    bool m_soundBeforeRetest = true;
    // the settings dialog changed the ranges or the time limit: the next switch to the
    // teaching mode poses a fresh exercise (not during a re-test, which keeps the flag)
    bool m_newExercisePending = false;
    quint64 m_exerciseSerial = 0; // grows with every exercise put on screen
    bool m_answerInProgress = false;
    int m_deferredTicks = 0;

    bool m_started = false;
    bool m_iconGiven = false;
    bool m_feedbackShowing = false;
    std::chrono::milliseconds m_feedbackPause{500};
    std::function<QDateTime()> m_localClock;

    // controls, named as the program names them
    QWidget *m_client = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    TAMEdit *EOK = nullptr;
    TAMEdit *EChyba = nullptr;
    QCheckBox *ChBPlus = nullptr;
    QCheckBox *ChBMinus = nullptr;
    QCheckBox *ChBKrat = nullptr;
    QCheckBox *ChBDeleni = nullptr;
    TAMEdit *ECislo1 = nullptr;
    TAMEdit *EOperace = nullptr;
    TAMEdit *ECislo2 = nullptr;
    TAMEdit *AMEdit2 = nullptr;
    TAMEdit *EVysledek = nullptr;
    QLabel *ICislo1 = nullptr;
    QLabel *ICislo2 = nullptr;
    QLabel *IVysledek = nullptr;
    QTimer *TCasLimit = nullptr;
    CasGauge *GCasLim = nullptr;
    StatusBarPanels *m_statusBar = nullptr;
    NumikStyle *m_switchStyle = nullptr; // the switches' squares grow with the zoom
    std::array<QLabel *, 4> m_panels = {};

    QAction *MMRozsah = nullptr;
    QAction *MNulovat = nullptr;
    QAction *MMHDH = nullptr;
    QAction *MMSound = nullptr;
    QMenu *MMoznosti = nullptr;
    QMenu *MMZvetseni = nullptr;
    std::vector<QAction *> m_zoomItems;
    std::vector<ScaledWidget> m_scaled;
};
