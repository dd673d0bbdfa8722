#include "ui/practice/zaklad.h"

#include "core/records/datafiles.h"
#include "core/settings/inifile.h"
#include "core/settings/wholefilewrite.h"
#include "ui/app/fonts.h"
#include "ui/app/pictures.h"
#include "ui/messages/messagebox.h"
#include "ui/practice/casgauge.h"
#include "ui/practice/dilchodn.h"
#include "ui/practice/answerfeedback.h"
#include "ui/practice/soundplayer.h"
#include "ui/practice/statuspanels.h"
#include "ui/practice/zakladclient.h"
#include "ui/practice/zakladmenubar.h"
#include "ui/settings/windowplacement.h"
#include "ui/widgets/amedit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QStatusTipEvent>
#include <QTimer>

#include <cmath>

namespace {

constexpr int WindowFontPixels = 13;
// how long after the window's first frame the program's icon is given to the desktop
constexpr int IconDelayMs = 250;

PracticeFiles filesIn(const QString &dataDirectory)
{
    return {DataFile::In(dataDirectory, DataFile::Settings), DataFile::In(dataDirectory, DataFile::Retest),
            DataFile::In(dataDirectory, DataFile::WrongResults), DataFile::In(dataDirectory, DataFile::History)};
}

} // namespace

TFZaklad::TFZaklad(const QString &programDirectory, QWidget *parent)
    : TFZaklad(programDirectory, QDir(programDirectory).filePath(QStringLiteral("zvuk")), parent)
{
}

TFZaklad::TFZaklad(const QString &dataDirectory, const QString &soundDirectory, QWidget *parent)
    : QMainWindow(parent)
    , m_files(filesIn(dataDirectory))
    , m_localClock([] { return QDateTime::currentDateTime(); })
{
    setObjectName(QStringLiteral("FZaklad"));
    setWindowTitle(QStringLiteral("Numik - Korvelanta"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFont(ArialPixels(WindowFontPixels, false));

    // FormCreate: counts at zero, paths built (above), placement restored, zoom applied
    m_flow = std::make_unique<PracticeFlow>(m_generator, m_files, static_cast<PracticeView &>(*this));
    m_feedback = new AnswerFeedback(soundDirectory, this);
    TCasLimit = new QTimer(this);
    TCasLimit->setObjectName(QStringLiteral("TCasLimit"));
    TCasLimit->setInterval(1000);
    connect(TCasLimit, &QTimer::timeout, this, Guarded([this] { TCasLimitTimer(); }));
    connect(qApp, &QGuiApplication::applicationStateChanged, this, Guarded([this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    m_flow->ApplicationEvents1Activate();
                else if (state == Qt::ApplicationInactive)
                    m_flow->ApplicationEvents1Deactivate();
            }));

    // the first reads of the settings file are guarded as every handler is: a file that cannot
    // be read leaves the window at 100 % in the middle of the screen. The zoom is read before
    // the controls are built, so that each lays out its text once, in its zoomed font.
    RunGuarded([this] { m_zoomPercent = ReadWindowZoom(m_files.iniFile); });
    RemoveStaleTemporaryFiles(m_files.iniFile, QDateTime::currentDateTime());

    // A new number field lays out its first, empty text in the application's font before it
    // takes the window's; with the window's font as the application's while the fields are
    // built, no other face is loaded just for that.
    const QFont applicationFont = QApplication::font();
    QApplication::setFont(font());
    m_client = new ZakladClient(m_zoomPercent, this);
    connect(m_client, &ZakladClient::enterPressed, this, Guarded([this](TAMEdit *field) { EVysledekEnter(field); }));
    connect(m_client, &ZakladClient::numberEdited, this, Guarded([this] {
                m_feedback->prepare(m_flow->run().soundOn, m_client->IVysledek);
            }));
    setCentralWidget(m_client);
    QApplication::setFont(applicationFont);
    m_menu = std::make_unique<ZakladMenuBar>(menuBar());
    wireMenus();
    buildStatusBar();

    applyZoom();
    // the placement is restored at the zoomed size, so that a first start is truly centred
    RunGuarded([this] { RestoreWindowPlacement(this, m_files.iniFile); });
}

TFZaklad::~TFZaklad() = default;

void TFZaklad::buildStatusBar()
{
    m_statusBar = new StatusBarPanels(this);
    m_statusBar->setObjectName(QStringLiteral("SB"));
    setStatusBar(m_statusBar);
    const QString hints[] = {QStringLiteral("celková známka"), QStringLiteral("celkový počet správně vypočtených příkladů"),
                             QStringLiteral("celkový počet chybně vypočtených příkladů"), QString()};
    for (int i = 0; i < 4; ++i) {
        QLabel *panel = m_statusBar->panel(i);
        panel->setObjectName(QStringLiteral("SBPanel%1").arg(i + 1));
        panel->setToolTip(hints[i]);
        panel->setAccessibleName(i < 3 ? hints[i] : QStringLiteral("nápověda"));
    }
}

void TFZaklad::applyZoom()
{
    const double factor = m_zoomPercent / 100.0;
    m_client->applyZoom(m_zoomPercent);
    m_statusBar->applyZoom(factor, ArialPixels(int(std::lround(WindowFontPixels * factor)), false));
    // the window is not resizable; its size follows the zoom
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
}

void TFZaklad::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    m_client->renderPictures(); // for the pixel density of the screen the window opens on
    if (m_started)
        return;
    m_started = true;
    RunGuarded([this] { FormShow(); });
}

void TFZaklad::FormShow()
{
    m_flow->startPractice();
}

void TFZaklad::closeEvent(QCloseEvent *event)
{
    // the misses not written yet first: a failure to save the settings must not cost them
    RunGuarded([this] { m_flow->saveUnwrittenRecords(); });
    RunGuarded([this] { FormClose(); });
    event->accept();
}

void TFZaklad::FormClose()
{
    IniBatch batch;
    AddFormPlacement(batch, this);
    batch.setInteger(QStringLiteral("Okno"), QStringLiteral("velikost"), m_zoomPercent);
    UlozDoIni(batch, m_flow->run(), operationSwitches());
    IniWriteBatch(m_files.iniFile, batch);
}

bool TFZaklad::event(QEvent *event)
{
    // the hint of the control under the mouse or of the highlighted menu item goes to panel 4
    if (event->type() == QEvent::StatusTip) {
        m_statusBar->setPanelText(3, static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::Paint && !m_iconGiven) {
        m_iconGiven = true;
        // The program's icon reaches the desktop a moment after the window's first frame: it
        // goes to the display at several sizes, and sent at once it held that frame up.
        QTimer::singleShot(IconDelayMs, this, Guarded([] { QApplication::setWindowIcon(ApplicationIcon()); }));
    }
    return QMainWindow::event(event);
}

void TFZaklad::TCasLimitTimer()
{
    m_flow->TCasLimitTimer();
}

OperationSwitches TFZaklad::operationSwitches() const
{
    return m_client->operationSwitches();
}

void TFZaklad::showSwitchesAndSound(const OperationSwitches &switches, bool soundOn)
{
    m_client->setOperationSwitches(switches);
    m_feedback->sounds()->setEnabled(soundOn);
    m_menu->MMSound->setChecked(soundOn);
}

QDateTime TFZaklad::localNow() const
{
    return m_localClock();
}

void TFZaklad::showPartialCount(PartialCount which, qint32 value)
{
    (which == PartialCount::Ok ? m_client->EOK : m_client->EChyba)->setText(QString::number(value));
}

void TFZaklad::showTotals(const QString &grade, const QString &correct, const QString &wrong)
{
    m_statusBar->setPanelText(0, grade);
    m_statusBar->setPanelText(1, correct);
    m_statusBar->setPanelText(2, wrong);
}

void TFZaklad::showMessage(const QString &text, NoticeKind kind)
{
    ShowMessageBox(text, kind == NoticeKind::Warning ? MessageKind::Warning : MessageKind::Information);
}

void TFZaklad::runLater(std::function<void()> task)
{
    QTimer::singleShot(0, this, Guarded(std::move(task)));
}

void TFZaklad::EVysledekEnter(TAMEdit *field)
{
    m_feedback->prepare(m_flow->run().soundOn, m_client->IVysledek);
    // A child presses Enter twice: the second one, arriving while the first is being shown,
    // gets no verdict at all.
    if (m_feedback->isShowing())
        return;
    // Enter in a shown number judges nothing and erases nothing; it sends the pupil back to
    // the field of the hidden number.
    if (field->isReadOnly()) {
        m_client->fieldOfSlot(m_flow->recordedSlot())->setFocus();
        return;
    }
    m_flow->answer(field->text());
}

void TFZaklad::showExercise(const Exercise &exercise)
{
    m_client->showExercise(exercise);
}

QString TFZaklad::typedAnswer() const
{
    return m_client->fieldOfSlot(m_flow->exerciseOnScreen().hidden)->text();
}

void TFZaklad::clearNumberField(UnknownSlot slot)
{
    m_client->fieldOfSlot(slot)->clear();
}

void TFZaklad::focusAnswerField()
{
    m_client->fieldOfSlot(m_flow->exerciseOnScreen().hidden)->setFocus();
}

void TFZaklad::ZvyrazniVysledek(FeedbackKind kind, UnknownSlot slot)
{
    m_feedback->show(kind, slot == UnknownSlot::First    ? m_client->ICislo1
                           : slot == UnknownSlot::Second ? m_client->ICislo2
                                                         : m_client->IVysledek);
}

void TFZaklad::setFeedbackPause(std::chrono::milliseconds pause)
{
    m_feedback->setPause(pause);
}

bool TFZaklad::isFeedbackShowing() const
{
    return m_feedback->isShowing();
}

bool TFZaklad::isRunning() const
{
    return TCasLimit->isActive();
}

void TFZaklad::stop()
{
    TCasLimit->stop();
}

void TFZaklad::start()
{
    // a running timer keeps its rhythm
    if (!TCasLimit->isActive())
        TCasLimit->start();
}

void TFZaklad::showGauge(const CountdownGauge &gauge)
{
    m_client->GCasLim->apply(gauge);
}

void TFZaklad::showEvaluation(const PartialEvaluation &shown)
{
    TFDilciHodn evaluation(shown, m_feedback->soundFile(QStringLiteral("dilhod.wav")), m_feedback->sounds(), m_zoomPercent / 100.0, this);
    CenterOverForm(&evaluation, this);
    evaluation.exec();
}
