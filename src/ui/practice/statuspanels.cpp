#include "ui/practice/statuspanels.h"

#include <QAccessible>
#include <QEvent>

#include <algorithm>
#include <cmath>

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
