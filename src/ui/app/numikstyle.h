#pragma once

#include <QProxyStyle>

// The platform's style with two changes. The menu bar's overflow button gets a chevron drawn
// here instead of the icon theme's picture: looking that up loads every image-format plugin
// (JPEG among them) at start-up, for a button that shows only below 100 %.
// And a widget with the property "zoom" (a factor, 1.0 at 100 %) gets its check box square and
// the gap to its caption grown by that factor, without the cost of a style sheet.
// Menu bars are dense, so that the five menus of the narrow window fit one line at 100 %: no
// gaps or margins, and items padded by 3 px at the sides and 2 px above and below (as a style
// sheet "QMenuBar { spacing: 0px; } QMenuBar::item { padding: 2px 3px; }" would make them).
class NumikStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit NumikStyle(QStyle *base = nullptr);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};
