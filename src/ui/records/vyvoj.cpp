#include "ui/records/vyvoj.h"

#include "ui/app/fonts.h"
#include "ui/messages/messagebox.h"
#include "ui/records/progresschart.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int FontPixels = 13;

} // namespace

TFVyvoj::TFVyvoj(ProgressHistory history, QDate today, const std::array<qint32, 4> &gradeThresholds, qreal zoom,
                 QWidget *parent)
    : QDialog(parent), m_history(std::move(history)), m_today(today)
{
    setObjectName(QStringLiteral("FVyvoj"));
    setWindowTitle(QStringLiteral("Vývoj hodnocení"));
    // the zoom as far as the screen takes the chart: 300 % of it would not fit on most screens
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize base = ProgressChart::BaseSize;
    const QSize room = screen ? screen->availableGeometry().size() - QSize(40, 140) : base;
    const qreal fit = std::max(1.0, std::min(qreal(room.width()) / base.width(), qreal(room.height()) / base.height()));
    const qreal factor = std::min(zoom > 0 ? zoom : 1.0, fit);
    setFont(ArialPixels(qRound(FontPixels * factor)));

    CBObdobi = new QComboBox(this);
    CBObdobi->setObjectName(QStringLiteral("CBObdobi"));
    CBObdobi->addItem(QStringLiteral("posledních %1 týdnů").arg(ProgressWeeks), int(ProgressPeriod::EightWeeks));
    CBObdobi->addItem(QStringLiteral("školní rok (od 1. září)"), int(ProgressPeriod::SchoolYear));
    CBObdobi->addItem(QStringLiteral("vše"), int(ProgressPeriod::Everything));
    auto *LObdobi = new QLabel(QStringLiteral("&Období:"), this);
    LObdobi->setBuddy(CBObdobi);
    auto *top = new QHBoxLayout;
    top->addWidget(LObdobi);
    top->addWidget(CBObdobi);
    top->addStretch(1);

    m_chart = new ProgressChart(gradeThresholds, factor, this);
    LPrazdno = new QLabel(this);
    LPrazdno->setObjectName(QStringLiteral("LPrazdno"));
    LPrazdno->setAlignment(Qt::AlignCenter);
    LPrazdno->setWordWrap(true);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(m_chart);
    m_pages->addWidget(LPrazdno);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pages);
    const QString tail = ProgressTailText(m_history);
    if (!tail.isEmpty()) {
        auto *LKonec = new QLabel(tail, this);
        LKonec->setObjectName(QStringLiteral("LKonec"));
        LKonec->setWordWrap(true);
        layout->addWidget(LKonec);
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CBObdobi, &QComboBox::currentIndexChanged, this, Guarded([this] { CBObdobiChange(); }));
    CBObdobiChange();
    CBObdobi->setFocus();
}

void TFVyvoj::CBObdobiChange()
{
    const auto period = ProgressPeriod(CBObdobi->currentData().toInt());
    const ProgressSpan span = ProgressSpanOf(period, m_today, m_history.rows);
    QList<ProgressDay> points = ProgressPoints(m_history.rows, span);
    const bool empty = points.isEmpty();
    LPrazdno->setText(empty ? ProgressEmptyText(period, span, m_history.rows) : QString());
    m_chart->setPoints(std::move(points), span);
    m_pages->setCurrentWidget(empty ? static_cast<QWidget *>(LPrazdno) : m_chart);
}
