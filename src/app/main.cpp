#include "app/numikstyle.h"
#include "app/zaklad.h"
#include "settings/programdirectory.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(new NumikStyle);
    QApplication::setApplicationName(QStringLiteral("Numik-Korvelanta"));

    // Qt's own texts (the buttons of message boxes and dialogs) in Czech, as everything else
    QTranslator qtTranslation;
    if (qtTranslation.load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);

    TFZaklad window(ProgramDirectory());
    window.show();
    // Qt ends the program on the last window's close only from within the event loop: a close
    // handled before it runs (the settings saved, the window hidden) would leave the program
    // running without a window. The first turn of the loop ends it then.
    QTimer::singleShot(0, &window, [&window] {
        if (!window.isVisible())
            QCoreApplication::quit();
    });
    return QApplication::exec();
}
