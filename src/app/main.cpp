#include "app/exercisewindow.h"
#include "settings/programdirectory.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numik-Korvelanta"));
    ExerciseWindow window(ProgramDirectory());
    window.show();
    return QApplication::exec();
}
