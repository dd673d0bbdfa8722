// Build tool: draws a vector picture at the given square sides, each into <out-folder>/<name>@<side>
// as raw premultiplied ARGB pixels, so that the program can show it without loading QtSvg.
//
//   numik_prerender <svg> <name> <out-folder> <side>...

#include "app/svgrender.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: numik_prerender <svg> <name> <out-folder> <side>...\n");
        return 2;
    }
    QDir().mkpath(args.at(3));
    for (qsizetype i = 4; i < args.size(); ++i) {
        const int side = args.at(i).toInt();
        const QImage image = RenderSvg(args.at(1), QSize(side, side));
        QFile out(QDir(args.at(3)).filePath(QStringLiteral("%1@%2").arg(args.at(2)).arg(side)));
        if (image.isNull() || !out.open(QIODevice::WriteOnly)
            || out.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) != image.sizeInBytes()) {
            std::fprintf(stderr, "numik_prerender: cannot draw %s at %d\n", qPrintable(args.at(1)), side);
            return 1;
        }
    }
    return 0;
}
