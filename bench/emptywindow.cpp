// The floor for our toolkit: an empty Qt main window with one label, started the way the
// program is, so that the start-up benchmark can compare the two under the same display.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Numik"), &window));
    window.resize(342, 209);
    window.show();
    return QApplication::exec();
}
