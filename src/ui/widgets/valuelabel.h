#pragma once

#include <QLabel>

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
