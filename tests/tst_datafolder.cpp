#include "core/settings/datafolder.h"
#include "core/settings/startupdisplay.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The folder in which settings and records are kept, chosen from the command line, the
// executable's folder and the user's data folder; "@" in a row stands for a scratch folder
// that holds exe/ (the executable's folder), afile (a file) and alink (a link to exe/).
class TestDataFolder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void choice_data();
    void choice();
    void soundFolder_data();
    void soundFolder();
    void windowForAWrongCommandLine_data();
    void windowForAWrongCommandLine();

private:
    QString at(QString path) const { return path.replace(u'@', m_root->path()); }

    std::unique_ptr<QTemporaryDir> m_root;
};

void TestDataFolder::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    QVERIFY(QDir(m_root->path()).mkdir("exe"));
    QFile file(at("@/afile"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(QFile::link(at("@/exe"), at("@/alink")));
    QVERIFY(QDir::setCurrent(m_root->path()));
}

void TestDataFolder::choice_data()
{
    QTest::addColumn<QString>("data"); // "-": no --data
    QTest::addColumn<bool>("iniInExecutableFolder");
    QTest::addColumn<bool>("executableFolderWritable");
    QTest::addColumn<bool>("systemInstall");
    QTest::addColumn<QString>("userFolder");
    QTest::addColumn<QString>("expected"); // empty: refused with a problem

    const QString user = "@/home/.local/share/numik";
    QTest::newRow("folder install, writable") << "-" << false << true << false << user << "@/exe";
    // one start as root leaves a numik.ini that must not draw the other accounts in
    QTest::newRow("folder install, read-only, holds numik.ini") << "-" << true << false << false << user << user;
    QTest::newRow("read-only folder without numik.ini") << "-" << false << false << false << user << user;
    QTest::newRow("system install passes over its folder") << "-" << true << true << true << user << user;
    QTest::newRow("no home") << "-" << false << false << false << "" << "";
    QTest::newRow("user folder is a file") << "-" << false << false << false << "@/afile" << "";

    QTest::newRow("--data before the executable's folder") << "@/class" << true << true << false << user << "@/class";
    QTest::newRow("--data relative") << "class" << false << true << false << user << "@/class";
    QTest::newRow("--data trailing slash") << "@/exe/" << false << true << true << user << "@/exe";
    QTest::newRow("--data read-only") << "@/exe" << true << false << false << user << "";
    QTest::newRow("--data a link") << "@/alink" << false << true << false << user << "";
    QTest::newRow("--data a link, trailing slash") << "@/alink/" << false << true << false << user << "";
    QTest::newRow("--data a file") << "@/afile" << false << true << false << user << "";
    QTest::newRow("--data parent missing") << "@/typo/class" << false << true << false << user << "";
    QTest::newRow("--data empty") << "" << false << true << false << user << "";
}

void TestDataFolder::choice()
{
    QFETCH(QString, data);
    QFETCH(bool, iniInExecutableFolder);
    QFETCH(bool, executableFolderWritable);
    QFETCH(bool, systemInstall);
    QFETCH(QString, userFolder);
    QFETCH(QString, expected);

    if (iniInExecutableFolder) {
        QFile ini(at("@/exe/numik.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
    }
    DataFolderCandidates candidates;
    if (data != "-")
        candidates.commandLine = at(data);
    candidates.executableFolder = systemInstall ? QString() : at("@/exe");
    candidates.userFolder = at(userFolder);
    // the tests run as root too, who may write anywhere: the folder's permission is stood in for
    const auto mayWrite = [&](const QString &folder) {
        return folder == at("@/exe") ? executableFolderWritable : MayWriteTo(folder);
    };

    const DataFolderChoice choice = ChooseDataFolder(candidates, mayWrite);
    QCOMPARE(choice.folder, at(expected));
    QCOMPARE(choice.problem.isEmpty(), !expected.isEmpty());
    if (!expected.isEmpty())
        QVERIFY(QFileInfo(choice.folder).isDir());
    // the user's folder holds the password in plain text: one the program makes is its owner's
    if (!expected.isEmpty() && expected == userFolder)
        QCOMPARE(QFileInfo(choice.folder).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // a refused folder is never built, nor its parent
    QVERIFY(!QFileInfo::exists(at("@/typo")));
    QVERIFY(QFileInfo(at("@/alink")).isSymLink());
}

void TestDataFolder::soundFolder_data()
{
    QTest::addColumn<bool>("besideExecutable");
    QTest::addColumn<QString>("dataSubdir");
    QTest::addColumn<QString>("expected");

    QTest::newRow("folder install") << true << "." << "@/exe/zvuk";
    QTest::newRow("system install") << false << "../share/numik" << "@/share/numik/zvuk";
    QTest::newRow("beside the executable first") << true << "../share/numik" << "@/exe/zvuk";
}

void TestDataFolder::soundFolder()
{
    QFETCH(bool, besideExecutable);
    QFETCH(QString, dataSubdir);
    QFETCH(QString, expected);

    if (besideExecutable)
        QVERIFY(QDir(at("@/exe")).mkdir("zvuk"));
    QCOMPARE(ChooseSoundFolder(at("@/exe"), dataSubdir), at(expected));
}

void TestDataFolder::windowForAWrongCommandLine_data()
{
    QTest::addColumn<QString>("platformOption");
    QTest::addColumn<bool>("displayOption");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<bool>("window");

    QTest::newRow("terminal without a display") << "" << false << QStringList() << false;
    QTest::newRow("X desktop") << "" << false << QStringList{"DISPLAY=:0"} << true;
    QTest::newRow("Wayland desktop") << "" << false << QStringList{"WAYLAND_DISPLAY=wayland-0"} << true;
    QTest::newRow("-display names the X server") << "" << true << QStringList() << true;
    QTest::newRow("xcb asked for, only Wayland there")
        << "" << false << QStringList{"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-0"} << false;
    QTest::newRow("offscreen with arguments, on a desktop")
        << "" << false << QStringList{"QT_QPA_PLATFORM=offscreen:fontengine=freetype", "DISPLAY=:0"} << false;
    QTest::newRow("-platform before the variable") << "xcb" << false
                                                   << QStringList{"QT_QPA_PLATFORM=offscreen", "DISPLAY=:0"} << true;
    QTest::newRow("first of a list decides") << "" << false << QStringList{"QT_QPA_PLATFORM=minimal;xcb", "DISPLAY=:0"}
                                             << false;
}

void TestDataFolder::windowForAWrongCommandLine()
{
    QFETCH(QString, platformOption);
    QFETCH(bool, displayOption);
    QFETCH(QStringList, environment);
    QFETCH(bool, window);

    QProcessEnvironment variables;
    for (const QString &entry : environment)
        variables.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    QCOMPARE(WindowCanBeShown(platformOption, displayOption, variables), window);
}

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
