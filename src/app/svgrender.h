#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

// Draws a vector picture (or the part of it that viewBox names; an empty viewBox means the whole)
// stretched over a transparent image of deviceSize pixels, antialiased. A picture that cannot
// be read gives a null image.
QImage RenderSvg(const QString &path, const QSize &deviceSize, const QRectF &viewBox = {});

// The module "numikpictures" renders with QtSvg behind this entry point (app/modules.h), so
// that a start, which shows only pictures drawn in advance, does not load QtSvg. The picture comes
// back through the last argument, since a function with C linkage returns no C++ object.
using RenderSvgFunction = void (*)(const QString &path, const QSize &deviceSize, const QRectF &viewBox, QImage *image);
inline constexpr char RenderSvgName[] = "numikRenderSvg";

// The pictures drawn in advance at build time: name and side in pixels (square, device pixel
// ratio 1), stored in the resources as raw premultiplied ARGB pixels under this prefix.
inline constexpr char PrerenderedPrefix[] = ":/prerendered/";

// The sizes of the application icon drawn in advance (src/CMakeLists.txt draws them), which
// the icon offers to the desktop; the two faces of the main window are drawn in advance at
// every zoom of its menu.
inline constexpr int PrerenderedIconSides[] = {16, 32, 64, 128};
