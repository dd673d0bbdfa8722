#include "ui/practice/dilchodn.h"

#include "core/practice/grading.h"
#include "ui/app/fonts.h"
#include "ui/app/pictures.h"
#include "ui/widgets/amedit.h"
#include "ui/messages/messagebox.h"
#include "ui/practice/soundplayer.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int FrameCount = AnimationFrameCount;
// The animation shows the right count when this frame comes, the wrong count (with the sound)
// two frames later and the percentage two frames after that; the grade follows the last frame.
constexpr int ShowCorrectAt = 3;
constexpr int ShowWrongAt = 5;
constexpr int ShowPercentAt = 7;
constexpr int StepMs = 300;

constexpr int BaseFontPixels = 13;
constexpr int CountFontPixels = 16;
constexpr int CloseSymbolSide = 14;

// A quiet close symbol for the button: a slate "x" in a pale round badge.
QIcon closeSymbol(int side, qreal devicePixelRatio)
{
    const int device = std::max(qRound(side * devicePixelRatio), 1);
    QPixmap pixmap(device, device);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = device;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xdd, 0xe3, 0xee));
    painter.drawEllipse(QRectF(0, 0, s, s));
    QPen pen(QColor(0x4a, 0x55, 0x68), s * 0.13, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    const qreal a = s * 0.32;
    const qreal b = s * 0.68;
    painter.drawLine(QPointF(a, a), QPointF(b, b));
    painter.drawLine(QPointF(b, a), QPointF(a, b));
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return QIcon(pixmap);
}

} // namespace

TFDilciHodn::TFDilciHodn(const PartialEvaluation &evaluation, const QString &soundFile, SoundPlayer *sounds,
                         qreal zoom, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_zoom(zoom > 0 ? zoom : 1.0)
    , m_soundFile(soundFile)
    , m_sounds(sounds)
{
    setObjectName(QStringLiteral("FDilciHodn"));
    setWindowTitle(QStringLiteral("Dílčí hodnocení"));
    setModal(true);
    setFixedSize(scaled(BaseSize.width()), scaled(BaseSize.height()));
    setFont(ArialPixels(scaled(BaseFontPixels), false));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    buildControls();
    FormCreate(evaluation);
    renderPictures();
}

int TFDilciHodn::scaled(int length) const
{
    return qRound(length * m_zoom);
}

QRect TFDilciHodn::scaled(int left, int top, int width, int height) const
{
    return {scaled(left), scaled(top), scaled(width), scaled(height)};
}

void TFDilciHodn::buildControls()
{
    auto picture = [this](const char *name, const QRect &geometry) {
        auto *label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(geometry);
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    auto count = [this](const char *name, const QRect &geometry) {
        auto *field = new TAMEdit(this);
        field->setObjectName(QLatin1String(name));
        field->setGeometry(geometry);
        field->setFrame(false);
        field->setReadOnly(true);
        // only something to read: the button keeps the focus, so Enter always closes
        field->setFocusPolicy(Qt::NoFocus);
        field->setFont(ArialPixels(scaled(CountFontPixels), true));
        field->hide();
        return field;
    };

    AImage = picture("AImage", scaled(29, 27, 50, 75));
    Image1 = picture("Image1", scaled(106, 8, 24, 24));
    Image1->hide();
    AMEOK = count("AMEOK", scaled(131, 7, 50, 27));
    Image2 = picture("Image2", scaled(106, 35, 24, 24));
    Image2->hide();
    AMEChyba = count("AMEChyba", scaled(131, 34, 50, 27));

    Label1 = new QLabel(QStringLiteral("%:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(scaled(109, 65, 22, 19));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setFont(ArialPixels(scaled(CountFontPixels), true));
    Label1->hide();
    AMEProc = count("AMEProc", scaled(131, 61, 50, 27));

    IZnamka = picture("IZnamka", scaled(10, 6, 85, 130));
    IZnamka->hide();

    BBZrus = new QPushButton(QStringLiteral("Zruš"), this);
    BBZrus->setObjectName(QStringLiteral("BBZrus"));
    BBZrus->setGeometry(scaled(109, 100, 75, 32));
    BBZrus->setCursor(Qt::PointingHandCursor);
    BBZrus->setIconSize(QSize(scaled(CloseSymbolSide), scaled(CloseSymbolSide)));
    // the default button for Enter; Esc rejects the dialog as its cancel
    BBZrus->setDefault(true);
    BBZrus->setAutoDefault(true);
    BBZrus->setFocus();
    connect(BBZrus, &QPushButton::clicked, this, &QDialog::reject);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(StepMs);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));
}

void TFDilciHodn::FormCreate(const PartialEvaluation &evaluation)
{
    AMEOK->setText(QString::number(evaluation.correct));
    AMEChyba->setText(QString::number(evaluation.wrong));
    if (!evaluation.evaluated)
        return;
    AMEProc->setText(QString::number(evaluation.percent));
    m_grade = evaluation.grade;
    m_gradeImageName = QStringLiteral("ZN") + QString::number(m_grade);
    if (evaluation.star)
        m_gradeImageName += QStringLiteral("HV");
}

void TFDilciHodn::renderPictures()
{
    const qreal ratio = devicePixelRatioF();
    m_renderedRatio = ratio;
    AImage->setPixmap(AnimationFrame(m_currentFrame, AImage->size(), ratio));
    Image1->setPixmap(Picture(QStringLiteral("FACE_SMILE"), Image1->size(), ratio));
    Image2->setPixmap(Picture(QStringLiteral("FACE_FROWN"), Image2->size(), ratio));
    if (!m_gradeImageName.isEmpty())
        IZnamka->setPixmap(Picture(m_gradeImageName, IZnamka->size(), ratio));
    BBZrus->setIcon(closeSymbol(scaled(CloseSymbolSide), ratio));
}

void TFDilciHodn::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // the screen it opens on may have another pixel density than the one it was built for
    if (!qFuzzyCompare(devicePixelRatioF(), m_renderedRatio))
        renderPictures();
    BBZrus->setFocus();
    Timer1->start();
}

void TFDilciHodn::done(int result)
{
    Timer1->stop();
    QDialog::done(result);
}

void TFDilciHodn::Timer1Timer()
{
    const int next = m_currentFrame + 1;
    if (next == ShowCorrectAt) {
        Image1->show();
        AMEOK->show();
    }
    if (next == ShowWrongAt) {
        Image2->show();
        AMEChyba->show();
        if (m_sounds)
            m_sounds->PlaySoundFile(m_soundFile);
    }
    if (next == ShowPercentAt) {
        Label1->show();
        AMEProc->show();
    }
    if (next < FrameCount) {
        m_currentFrame = next;
        AImage->setPixmap(AnimationFrame(m_currentFrame, AImage->size(), m_renderedRatio));
        return;
    }
    Timer1->stop();
    AImage->hide();
    IZnamka->show();
}
