#pragma once

#include <QLabel>
#include <QStatusBar>

#include <array>

// A label that shows a value under a caption, such as a count in the status bar or the version in
// the About window. Its accessible name is the caption (setAccessibleName); a screen reader gets
// the shown text as its value and through the text interface, where a plain label with a name
// of its own would hide the text.
class ValueLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ValueLabel(const QString &text, QWidget *parent = nullptr);
};

// One panel of the main window's status bar: its text inside a one-pixel sunken frame, painted
// by us so that the whole height inside the frame is the text's; the bar is only 19 pixels high
// at 100 %, which leaves no room for a style's margins.
class StatusPanel : public ValueLabel
{
    Q_OBJECT

public:
    explicit StatusPanel(const QString &text, QWidget *parent = nullptr);

    // Where the text is drawn: inside the frame, less a small side margin.
    QRect textArea() const;
    // The baseline of the text, chosen so that ascent and descent both lie within textArea()
    // whenever the area is as high as the font.
    int baseline() const;
    // The width the panel needs to show its text whole.
    int fittedWidth() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

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
