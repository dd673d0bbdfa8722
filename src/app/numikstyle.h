#pragma once

#include <QProxyStyle>

// The platform's style with one change: the menu bar's overflow button gets no picture from
// the icon theme. Looking that picture up loads every image-format plugin (JPEG among them)
// at start-up, only for a button that never shows: the menus fit the window at every zoom.
class NumikStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit NumikStyle(QStyle *base = nullptr);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
