#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's pictures are vector drawings in the resources, named "VYSL_OK", "VYSL_CHYBA",
// "VYSL_CHYBA_CAS", "FACE_SMILE", "FACE_FROWN", "ZN1".."ZN5", "ZN1HV", "ANIMACE" and "MAINICON".
// They are rendered at the size a window needs, in device pixels, so they stay sharp at every
// zoom and on high-density screens.

// The evaluation window's animation: a strip of frames of this size, side by side.
inline constexpr int AnimationFrameCount = 8;
inline constexpr QSize AnimationFrameSize(50, 75);

// The named picture stretched to logicalSize, rendered at logicalSize x devicePixelRatio device
// pixels and tagged with that ratio; drawn once per name, size and ratio, then cached. An unknown name, an empty size or an unusable ratio gives
// a null pixmap.
QPixmap Picture(const QString &name, const QSize &logicalSize, qreal devicePixelRatio);

// One frame of the animation strip "ANIMACE", stretched to logicalSize; frames outside
// 0..AnimationFrameCount - 1 are clamped to the nearest one.
QPixmap AnimationFrame(int frame, const QSize &logicalSize, qreal devicePixelRatio);

// The application icon "MAINICON", drawn at whatever size a desktop asks for when it asks.
QIcon ApplicationIcon();
