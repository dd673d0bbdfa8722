#include "core/classroom/classfolder.h"
#include "core/settings/datafolder.h"
#include "core/settings/startupdisplay.h"
#include "ui/classroom/classstart.h"
#include "ui/app/numikstyle.h"
#include "ui/messages/messagebox.h"
#include "ui/practice/zaklad.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

namespace {

// The options of the command line; Qt's own (-platform, -display, …) are taken by QApplication.
struct CommandLine
{
    QCommandLineParser parser;
    QCommandLineOption data{QStringLiteral("data"),
                            QStringLiteral("Nastavení a záznamy ukládá do složky <složka>, třeba do složky, "
                                           "kterou sdílí celá třída."),
                            QStringLiteral("složka")};
    QCommandLineOption classFolder{QStringLiteral("class"),
                                   QStringLiteral("Třída: nastavení třídy ve složce <složka>, záznamy každého žáka "
                                                  "v její podsložce zaci/<jméno>. Na začátku se vybere, kdo cvičí."),
                                   QStringLiteral("složka")};
    QCommandLineOption pupil{QStringLiteral("pupil"),
                             QStringLiteral("S volbou --class: cvičí žák <jméno>, seznam žáků se neukáže."),
                             QStringLiteral("jméno")};
    QCommandLineOption overview{QStringLiteral("overview"),
                                QStringLiteral("S volbou --class: otevře přehled třídy pro učitele.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Vypíše tuto nápovědu.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Vypíše verzi programu.")};

    CommandLine()
    {
        parser.setApplicationDescription(
            QStringLiteral("Numik: procvičování sčítání, odčítání, násobení a dělení."));
        // "-reverse" is one of Qt's options, not -r -e -v …
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({data, classFolder, pupil, overview, help, version});
        parser.addOptions(QtApplicationOptions());
    }
};

// Qt's own texts (the buttons of message boxes and dialogs, the help's headings) in Czech, as
// everything else.
void installCzechTranslation(QTranslator &translation)
{
    if (translation.load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translation);
}

// Prints the help or the version when asked for; the caller then ends the program.
bool answeredInTerminal(const CommandLine &commandLine, int &argc, char **argv)
{
    if (commandLine.parser.isSet(commandLine.help)) {
        // a core application names the executable in the help, and needs no display
        QCoreApplication terminal(argc, argv);
        QTranslator translation;
        installCzechTranslation(translation);
        std::fputs(commandLine.parser.helpText().toLocal8Bit().constData(), stdout);
        return true;
    }
    if (commandLine.parser.isSet(commandLine.version)) {
        std::printf("Numik %s\n", NUMIK_VERSION);
        return true;
    }
    return false;
}

// What is wrong with the command line, or nothing.
QString commandLineError(CommandLine &commandLine, const QStringList &arguments)
{
    QCommandLineParser &parser = commandLine.parser;
    if (!parser.parse(arguments))
        return parser.errorText();
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("Neznámý argument: %1").arg(parser.positionalArguments().join(u' '));
    const bool inClass = parser.isSet(commandLine.classFolder);
    if (inClass && parser.isSet(commandLine.data))
        return QStringLiteral("Volby --data a --class nelze použít zároveň.");
    if (!inClass && (parser.isSet(commandLine.pupil) || parser.isSet(commandLine.overview)))
        return QStringLiteral("Volby --pupil a --overview patří k volbě --class.");
    if (parser.isSet(commandLine.pupil) && parser.isSet(commandLine.overview))
        return QStringLiteral("Volby --pupil a --overview nelze použít zároveň.");
    return QString();
}

void printCommandLineError(const QCommandLineParser &parser, const QString &error)
{
    std::fprintf(stderr, "%s\n%s", error.toLocal8Bit().constData(), parser.helpText().toLocal8Bit().constData());
}

// With --class: the class folder is checked as a --data folder is, then the overview or the
// pupil's start runs. The pupil's data folder, or none when the program ends here (with the
// problem why, when there is one).
DataFolderChoice classStart(const CommandLine &commandLine)
{
    DataFolderCandidates candidates;
    candidates.commandLine = commandLine.parser.value(commandLine.classFolder);
    const DataFolderChoice folder = ChooseDataFolder(candidates);
    if (folder.folder.isEmpty())
        return folder;
    ClassStartOptions options;
    options.pupil = commandLine.parser.value(commandLine.pupil);
    options.overview = commandLine.parser.isSet(commandLine.overview);
    options.loginName = qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME"));
    return RunClassStart(ClassFolder(folder.folder), options, QDate::currentDate());
}

DataFolderCandidates dataFolderCandidates(const CommandLine &commandLine)
{
    DataFolderCandidates candidates;
    if (commandLine.parser.isSet(commandLine.data))
        candidates.commandLine = commandLine.parser.value(commandLine.data);
#if !NUMIK_SYSTEM_INSTALL
    candidates.executableFolder = QCoreApplication::applicationDirPath();
#endif
    // $XDG_DATA_HOME, else ~/.local/share
    const QString shared = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!shared.isEmpty())
        candidates.userFolder = QDir(shared).filePath(QStringLiteral("numik"));
    return candidates;
}

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version answer before a display is opened, so that they work in a terminal
    // without one; the full check of the command line follows once QApplication has taken its
    // own options out of it
    CommandLine commandLine;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    commandLine.parser.parse(arguments);
    if (answeredInTerminal(commandLine, argc, argv))
        return 0;
    const QString platform = QStringLiteral("platform");
    const bool wrongCommandLine = !commandLineError(commandLine, arguments).isEmpty();
    if (wrongCommandLine
        && !WindowCanBeShown(commandLine.parser.value(platform), commandLine.parser.isSet(QStringLiteral("display")),
                             QProcessEnvironment::systemEnvironment())) {
        // no window could show it: Qt would abort before the message is seen
        QCoreApplication terminal(argc, argv);
        QTranslator translation;
        installCzechTranslation(translation);
        printCommandLineError(commandLine.parser, commandLineError(commandLine, QCoreApplication::arguments()));
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setStyle(new NumikStyle);
    QApplication::setApplicationName(QStringLiteral("Numik-Korvelanta"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.korvelanta.Numik"));

    QTranslator qtTranslation;
    installCzechTranslation(qtTranslation);

    if (const QString error = commandLineError(commandLine, QCoreApplication::arguments()); !error.isEmpty()) {
        printCommandLineError(commandLine.parser, error);
        // started from the menu, nobody reads standard error
        ShowMessageBox(error + QStringLiteral("\n\n") + commandLine.parser.helpText(), MessageKind::Error);
        return 2;
    }

    // a folder that cannot be used ends the program here: records kept anywhere else would be
    // lost to the classroom that looks for them in the folder it named
    DataFolderChoice data;
    if (commandLine.parser.isSet(commandLine.classFolder)) {
        data = classStart(commandLine);
        if (data.folder.isEmpty() && data.problem.isEmpty())
            return 0; // the overview was closed, or nobody chose to practise
    } else {
        data = ChooseDataFolder(dataFolderCandidates(commandLine));
    }
    if (data.folder.isEmpty()) {
        std::fprintf(stderr, "%s\n", data.problem.toLocal8Bit().constData());
        ShowErrorMessage(data.problem);
        return 1;
    }

    const QString sounds = ChooseSoundFolder(QCoreApplication::applicationDirPath(), QStringLiteral(NUMIK_DATA_SUBDIR));
    TFZaklad window(data.folder, sounds);
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
