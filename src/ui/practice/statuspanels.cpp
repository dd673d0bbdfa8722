#include "ui/practice/statuspanels.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

#include <cmath>

namespace {

constexpr int FrameWidth = 1;
constexpr int SideMargin = 2;

// What a screen reader asks of a ValueLabel: the caption as the name, the shown text as the
// value and as a read-only text without selection or cursor.
class ValueLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ValueLabelAccessible(QWidget *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value || (kind == QAccessible::Name && widget()->accessibleName().isEmpty()))
            return shown();
        return QAccessibleWidget::text(kind);
    }

    QString text(int startOffset, int endOffset) const override
    {
        return shown().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(shown().size()); }
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QString shown() const { return static_cast<const QLabel *>(widget())->text(); }
};

QAccessibleInterface *valueLabelAccessible(const QString &key, QObject *object)
{
    if (key == QLatin1String("ValueLabel") && object && object->isWidgetType())
        return new ValueLabelAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

ValueLabel::ValueLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(valueLabelAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

StatusPanel::StatusPanel(const QString &text, QWidget *parent)
    : ValueLabel(text, parent)
{
}

QRect StatusPanel::textArea() const
{
    return rect().adjusted(FrameWidth + SideMargin, FrameWidth, -(FrameWidth + SideMargin), -FrameWidth);
}

int StatusPanel::baseline() const
{
    const QFontMetrics metrics(font());
    const QRect area = textArea();
    // centred on the font's full height; when the area is lower than that, the descent is kept
    // whole, since a cut "p" or "y" reads worse than a trimmed accent
    const int top = area.top() + (area.height() - metrics.height()) / 2;
    return std::min(top + metrics.ascent(), area.bottom() + 1 - metrics.descent());
}

int StatusPanel::fittedWidth() const
{
    return QFontMetrics(font()).horizontalAdvance(text()) + 2 * (FrameWidth + SideMargin);
}

void StatusPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, FrameWidth);
    const QRect area = textArea();
    painter.setClipRect(area);
    painter.setPen(palette().color(QPalette::WindowText));
    const QString shown = QFontMetrics(font()).elidedText(text(), Qt::ElideRight, area.width());
    int left = area.left();
    if (alignment() & Qt::AlignHCenter)
        left += (area.width() - QFontMetrics(font()).horizontalAdvance(shown)) / 2;
    painter.drawText(QPoint(left, baseline()), shown);
}

StatusBarPanels::StatusBarPanels(QWidget *parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        m_panels[i] = new StatusPanel(i == 0 ? QStringLiteral(" ") : i < 3 ? QStringLiteral("0") : QString(), this);
        m_panels[i]->setAlignment(i < 3 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void StatusBarPanels::setPanelText(int index, const QString &text)
{
    const QString before = panel(index)->text();
    panel(index)->setText(text);
    placePanels();
    // a named label tells nobody that its text changed; a screen reader hears the new value
    if (text != before && QAccessible::isActive()) {
        QAccessibleTextUpdateEvent changed(panel(index), 0, before, text);
        QAccessible::updateAccessibility(&changed);
    }
}

void StatusBarPanels::applyZoom(double factor, const QFont &font)
{
    setFont(font);
    for (StatusPanel *p : m_panels)
        p->setFont(font);
    setFixedHeight(int(std::lround(BaseHeight * factor)));
    m_minimumPanelWidth = int(std::lround(BaseMinimumPanelWidth * factor));
    m_gap = std::max(1, int(std::lround(2 * factor)));
    placePanels();
}

bool StatusBarPanels::event(QEvent *event)
{
    // a panel whose text changed asks for a new layout; the panels are placed here, not by it
    if (event->type() == QEvent::LayoutRequest)
        placePanels();
    return QStatusBar::event(event);
}

void StatusBarPanels::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    placePanels();
}

void StatusBarPanels::paintEvent(QPaintEvent *)
{
    // the panels paint themselves; the bar is only their background
}

void StatusBarPanels::placePanels()
{
    int left = 0;
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        const bool last = i + 1 == m_panels.size();
        const int width = last ? std::max(0, this->width() - left) : std::max(m_minimumPanelWidth, m_panels[i]->fittedWidth());
        m_panels[i]->setGeometry(left, 0, width, height());
        left += width + m_gap;
    }
}
