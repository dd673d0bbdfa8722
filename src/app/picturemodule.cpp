// The entry point of the module "numikpictures": vector pictures drawn with QtSvg.

#include "app/svgrender.h"

extern "C" Q_DECL_EXPORT void numikRenderSvg(const QString &path, const QSize &deviceSize, const QRectF &viewBox,
                                             QImage *image)
{
    *image = RenderSvg(path, deviceSize, viewBox);
}
