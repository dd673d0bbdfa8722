#include "app/zaklad.h"

#include "app/casgauge.h"
#include "app/fonts.h"
#include "app/messagebox.h"
#include "app/numikstyle.h"
#include "app/pictures.h"
#include "app/soundplayer.h"
#include "app/statuspanels.h"
#include "generator/amedit.h"
#include "settings/inifile.h"
#include "settings/windowplacement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QStatusTipEvent>

#include <cmath>

namespace {

// The window's layout at 100 %: the client area above the status bar (StatusBarPanels).
constexpr QSize ClientSize(342, 172);
constexpr int WindowFontPixels = 13;
constexpr int NumberFontPixels = 24;
constexpr int SwitchFontPixels = 19;
// how long after the window's first frame the program's icon is given to the desktop
constexpr int IconDelayMs = 250;

int scaled(int value, double factor)
{
    return int(std::lround(value * factor));
}

// The button face colour as the field's background, as on the fields that only show numbers.
void useButtonFace(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    widget->setPalette(palette);
}

} // namespace

TFZaklad::TFZaklad(const QString &programDirectory, QWidget *parent)
    : TFZaklad(programDirectory, QDir(programDirectory).filePath(QStringLiteral("zvuk")), parent)
{
}

TFZaklad::TFZaklad(const QString &dataDirectory, const QString &soundDirectory, QWidget *parent)
    : QMainWindow(parent)
    , m_soundDirectory(soundDirectory)
    , m_iniFile(QDir(dataDirectory).filePath(QStringLiteral("numik.ini")))
    , m_retestFile(QDir(dataDirectory).filePath(QStringLiteral("chyba.nmk")))
    , m_wrongResultsFile(QDir(dataDirectory).filePath(QStringLiteral("chybavysl.nmk")))
    , m_historyFile(QDir(dataDirectory).filePath(QStringLiteral("hdv.ndv")))
    , m_localClock([] { return QDateTime::currentDateTime(); })
{
    setObjectName(QStringLiteral("FZaklad"));
    setWindowTitle(QStringLiteral("Numik - Korvelanta"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFont(ArialPixels(WindowFontPixels, false));

    // FormCreate: counts at zero, paths built (above), placement restored, zoom applied
    m_session = std::make_unique<PracticeSession>(m_settings, m_historyFile, static_cast<SessionHost &>(*this));
    m_sound = new SoundPlayer(this);
    TCasLimit = new QTimer(this);
    TCasLimit->setObjectName(QStringLiteral("TCasLimit"));
    TCasLimit->setInterval(1000);
    m_countdown = std::make_unique<CountdownRules>(m_settings, static_cast<CountdownTimer &>(*this));
    connect(TCasLimit, &QTimer::timeout, this, Guarded([this] { TCasLimitTimer(); }));
    connect(qApp, &QGuiApplication::applicationStateChanged, this, Guarded([this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    ApplicationEvents1Activate();
                else if (state == Qt::ApplicationInactive)
                    ApplicationEvents1Deactivate();
            }));

    // the first reads of the settings file are guarded as every handler is: a file that cannot
    // be read leaves the window at 100 % in the middle of the screen. The zoom is read before
    // the controls are built, so that each lays out its text once, in its zoomed font.
    RunGuarded([this] { m_settings.zoomPercent = ReadWindowZoom(m_iniFile); });

    // A new number field lays out its first, empty text in the application's font before it
    // takes the window's; with the window's font as the application's while the fields are
    // built, no other face is loaded just for that.
    const QFont applicationFont = QApplication::font();
    QApplication::setFont(font());
    buildControls();
    QApplication::setFont(applicationFont);
    buildMenu();
    buildStatusBar();

    applyZoom();
    // the placement is restored at the zoomed size, so that a first start is truly centred
    RunGuarded([this] { RestoreWindowPlacement(this, m_iniFile); });
}

TFZaklad::~TFZaklad() = default;

void TFZaklad::place(QWidget *widget, const QRect &base, int fontPixels, bool bold)
{
    m_scaled.push_back({widget, base, fontPixels, bold});
    scale(m_scaled.back(), m_settings.zoomPercent / 100.0);
}

void TFZaklad::scale(const ScaledWidget &s, double factor)
{
    s.widget->setGeometry(scaled(s.base.x(), factor), scaled(s.base.y(), factor), scaled(s.base.width(), factor),
                          scaled(s.base.height(), factor));
    s.widget->setFont(ArialPixels(scaled(s.baseFontPixels, factor), s.bold));
}

TAMEdit *TFZaklad::addNumberField(const char *name, const QRect &base, int tag, bool readOnly, const QString &hint)
{
    auto *field = new TAMEdit(m_client);
    field->setObjectName(QString::fromLatin1(name));
    field->setTag(tag);
    field->setReadOnly(readOnly);
    field->setStatusTip(hint);
    field->setAccessibleName(hint);
    field->setKeyPressHandler([this](TAMEdit *sender, QKeyEvent *event) { return EVysledekKeyPress(sender, event); });
    place(field, base, NumberFontPixels, true);
    return field;
}

QLabel *TFZaklad::addPicture(const char *name, const QRect &base)
{
    auto *picture = new QLabel(m_client);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    place(picture, base, WindowFontPixels);
    return picture;
}

void TFZaklad::buildControls()
{
    m_switchStyle = new NumikStyle;
    m_switchStyle->setParent(this);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    Image1 = addPicture("Image1", {14, 11, 32, 32});
    EOK = addNumberField("EOK", {54, 11, 73, 37}, 0, true, QStringLiteral("dílčí počet správně vyřešených příkladů"));
    Image2 = addPicture("Image2", {14, 59, 32, 32});
    EChyba = addNumberField("EChyba", {54, 60, 73, 37}, 0, true, QStringLiteral("dílčí počet chybně vyřešených příkladů"));
    for (TAMEdit *count : {EOK, EChyba}) {
        count->setText(QStringLiteral("0"));
        useButtonFace(count);
    }

    const auto addSwitch = [this](const char *name, const QString &caption, int top, Operation op, const QString &hint) {
        auto *box = new QCheckBox(caption, m_client);
        box->setObjectName(QString::fromLatin1(name));
        box->setProperty("Tag", int(op));
        box->setCursor(Qt::PointingHandCursor);
        box->setStyle(m_switchStyle);
        box->setStatusTip(hint);
        box->setAccessibleName(caption);
        box->setAccessibleDescription(hint);
        place(box, {182, top, 145, 20}, SwitchFontPixels, true);
        return box;
    };
    ChBPlus = addSwitch("ChBPlus", QStringLiteral("+ sčítání"), 11, Operation::Plus,
                        QStringLiteral("zapnutí/vypnutí generování příkladů se sčítáním"));
    ChBMinus = addSwitch("ChBMinus", QStringLiteral("- odečítání"), 33, Operation::Minus,
                         QStringLiteral("zapnutí/vypnutí generování příkladů s odečítáním"));
    ChBKrat = addSwitch("ChBKrat", QStringLiteral("x násobení"), 54, Operation::Krat,
                        QStringLiteral("zapnutí/vypnutí generování příkladů s násobením"));
    ChBDeleni = addSwitch("ChBDeleni", QStringLiteral(": dělení"), 76, Operation::Del,
                          QStringLiteral("zapnutí/vypnutí generování příkladů s dělěním"));
    ChBPlus->setChecked(true);

    ECislo1 = addNumberField("ECislo1", {14, 110, 73, 37}, 1, true, QStringLiteral("číslo 1 (případně zadej výsledek)"));
    EOperace = addNumberField("EOperace", {89, 115, 35, 30}, 1, true, QStringLiteral("typ matematické operace (+,-,x,:)"));
    ECislo2 = addNumberField("ECislo2", {129, 110, 73, 37}, 2, true, QStringLiteral("číslo 2 (případně zadej výsledek)"));
    AMEdit2 = addNumberField("AMEdit2", {206, 115, 35, 30}, 0, true, QString());
    EVysledek = addNumberField("EVysledek", {245, 110, 73, 37}, 3, false, QStringLiteral("výsledek příkladu (případně zadej)"));
    ECislo1->setText(QStringLiteral("0"));
    ECislo2->setText(QStringLiteral("0"));
    EOperace->setText(QStringLiteral("+"));
    AMEdit2->setText(QStringLiteral("="));
    AMEdit2->setAccessibleName(QStringLiteral("rovná se"));
    Image1->setAccessibleName(QStringLiteral("správně"));
    Image2->setAccessibleName(QStringLiteral("chybně"));
    for (TAMEdit *field : {ECislo1, ECislo2, EVysledek})
        field->setTextAlignment(TAlignment::taRightJustify);
    for (TAMEdit *sign : {EOperace, AMEdit2}) {
        sign->setTextAlignment(TAlignment::taCenter);
        sign->setFrame(false);
        useButtonFace(sign);
    }

    GCasLim = new CasGauge(m_client);
    GCasLim->setObjectName(QStringLiteral("GCasLim"));
    GCasLim->setStatusTip(QStringLiteral("zbývající čas pro zadání správného výsledku"));
    GCasLim->setCaption(QStringLiteral("2s"));
    GCasLim->hide();
    place(GCasLim, {14, 148, 304, 17}, WindowFontPixels);

    // the feedback pictures lie over the right part of each number field, hidden until needed
    ICislo1 = addPicture("ICislo1", {41, 100, 65, 65});
    ICislo2 = addPicture("ICislo2", {156, 100, 65, 65});
    IVysledek = addPicture("IVysledek", {272, 100, 65, 65});
    for (QLabel *feedback : {ICislo1, ICislo2, IVysledek}) {
        feedback->hide();
        feedback->raise();
    }

    // the pupil's keyboard order
    QWidget *order[] = {ChBPlus, ChBMinus, ChBKrat, ChBDeleni, ECislo1, ECislo2, EOperace, EVysledek, AMEdit2, EChyba, EOK};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    EVysledek->setFocus();
}

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
        m_panels[std::size_t(i)] = panel;
    }
}

void TFZaklad::applyZoom()
{
    const double factor = m_settings.zoomPercent / 100.0;
    for (const ScaledWidget &s : m_scaled)
        if (s.widget)
            scale(s, factor);
    m_client->setFixedSize(scaled(ClientSize.width(), factor), scaled(ClientSize.height(), factor));
    m_statusBar->applyZoom(factor, ArialPixels(scaled(WindowFontPixels, factor), false));
    // the ticking squares and their distance from the captions grow with the captions
    for (QCheckBox *box : {ChBPlus, ChBMinus, ChBKrat, ChBDeleni}) {
        box->setProperty("zoom", factor); // read by NumikStyle
        box->updateGeometry();
        box->update();
    }
    renderPictures();
    // the window is not resizable; its size follows the zoom
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
}

void TFZaklad::renderPictures()
{
    const qreal ratio = devicePixelRatioF();
    Image1->setPixmap(Picture(QStringLiteral("FACE_SMILE"), Image1->size(), ratio));
    Image2->setPixmap(Picture(QStringLiteral("FACE_FROWN"), Image2->size(), ratio));
}

void TFZaklad::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    renderPictures(); // for the pixel density of the screen the window opens on
    if (m_started)
        return;
    m_started = true;
    RunGuarded([this] { FormShow(); });
}

void TFZaklad::FormShow()
{
    m_newExercisePending = false;
    NactiRozsahZIni(m_iniFile, m_settings);
    reloadFromIni();
    NulujNastavInfoCasLimit();
    m_generator.seedFromClock();
    DalsiPriklad();
    NastavRezim(m_settings.mode);
}

void TFZaklad::reloadFromIni()
{
    // the switches and the sound return to their stored values, the time limit to the setting
    OperationSwitches switches;
    NastavDleIni(m_iniFile, m_settings, switches);
    setSwitchesAndSound(switches, m_settings.soundOn);
}

void TFZaklad::setSwitchesAndSound(const OperationSwitches &switches, bool soundOn)
{
    ChBPlus->setChecked(switches.plus);
    ChBMinus->setChecked(switches.minus);
    ChBKrat->setChecked(switches.krat);
    ChBDeleni->setChecked(switches.deleni);
    m_settings.soundOn = soundOn;
    m_sound->setEnabled(soundOn);
    MMSound->setChecked(soundOn);
}

void TFZaklad::closeEvent(QCloseEvent *event)
{
    RunGuarded([this] { FormClose(); });
    event->accept();
}

void TFZaklad::FormClose()
{
    SaveWindowPlacement(this, m_iniFile);
    IniWriteInteger(m_iniFile, QStringLiteral("Okno"), QStringLiteral("velikost"), m_settings.zoomPercent);
    UlozDoIni(m_iniFile, m_settings, operationSwitches());
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

OperationSwitches TFZaklad::operationSwitches() const
{
    return {ChBPlus->isChecked(), ChBMinus->isChecked(), ChBKrat->isChecked(), ChBDeleni->isChecked()};
}

qint32 TFZaklad::operationOnScreen() const
{
    return EOperace->tag();
}

QDateTime TFZaklad::localNow() const
{
    return m_localClock();
}

void TFZaklad::showPartialCount(PartialCount which, qint32 value)
{
    (which == PartialCount::Ok ? EOK : EChyba)->setText(QString::number(value));
}

void TFZaklad::showTotals(const QString &grade, const QString &correct, const QString &wrong)
{
    m_statusBar->setPanelText(0, grade);
    m_statusBar->setPanelText(1, correct);
    m_statusBar->setPanelText(2, wrong);
}

void TFZaklad::resetExerciseCounter()
{
    m_generator.resetExerciseCount();
}
