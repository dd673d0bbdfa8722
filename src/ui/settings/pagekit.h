#pragma once

// Small builders shared by the pages of the settings dialog, which place their controls at
// fixed pixel positions like the program's other windows.

#include "ui/app/fonts.h"
#include "ui/settings/rxspinedit.h"

#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

inline QLabel *addLabel(QWidget *page, const QString &text, const QRect &geometry, bool bold = false, int pixels = 13)
{
    auto *label = new QLabel(text, page);
    label->setGeometry(geometry);
    if (bold || pixels != 13)
        label->setFont(ArialPixels(pixels, bold));
    return label;
}

// The width of a number field in the dialog's font: the longest 32-bit number fits.
inline int spinEditWidth()
{
    TRxSpinEdit probe;
    probe.setFont(ArialPixels(13));
    return probe.sizeHint().width();
}

// A number field; its hint goes to the main window's status line, its accessible name is the
// hint or, for fields without one, the given description.
inline TRxSpinEdit *addSpinEdit(QWidget *page, const QString &name, int tag, const QRect &geometry, const QString &hint,
                                const QString &description = {})
{
    auto *field = new TRxSpinEdit(page);
    field->setObjectName(name);
    field->setTag(tag);
    field->setGeometry(geometry);
    field->setStatusTip(hint);
    field->setAccessibleName(hint.isEmpty() ? description : hint);
    return field;
}
