#pragma once

#include "ui/practice/statuspanel.h"

#include <QStatusBar>

#include <array>

// The status bar "SB" with its four panels side by side: the first three as wide as their
// text (at least minimumPanelWidth), the fourth taking the rest. The panels are placed by the
// bar itself, edge to edge, without the spacing a status bar normally keeps above and below
// its widgets.
class StatusBarPanels : public QStatusBar
{
    Q_OBJECT

public:
    // at 100 %: the bar's height, and the least width of each of the first three panels
    static constexpr int BaseHeight = 19;
    static constexpr int BaseMinimumPanelWidth = 28;

    explicit StatusBarPanels(QWidget *parent = nullptr);

    StatusPanel *panel(int index) const { return m_panels.at(std::size_t(index)); }
    void setPanelText(int index, const QString &text);

    // Font, height and panel widths for a zoom factor (1.0 at 100 %).
    void applyZoom(double factor, const QFont &font);

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void placePanels();

    std::array<StatusPanel *, 4> m_panels = {};
    int m_minimumPanelWidth = BaseMinimumPanelWidth;
    int m_gap = 2;
};
