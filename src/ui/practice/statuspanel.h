#pragma once

#include "ui/widgets/valuelabel.h"

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
