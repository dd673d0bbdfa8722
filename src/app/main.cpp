#include "app/numikstyle.h"
#include "app/pictures.h"
#include "app/zaklad.h"
#include "settings/programdirectory.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(new NumikStyle);
    QApplication::setApplicationName(QStringLiteral("Numik-Korvelanta"));
    QApplication::setWindowIcon(ApplicationIcon());

    // Qt's own texts (the buttons of message boxes and dialogs) in Czech, as everything else
    QTranslator qtTranslation;
    if (qtTranslation.load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);

    TFZaklad window(ProgramDirectory());
    window.show();
    return QApplication::exec();
}
