// The program's plugins: the real ones load with every symbol bound at once, and a plugin file
// that is missing, cut short, foreign or of another version costs its function and one line on
// standard error, never the program.

#include "mainwindowfixture.h"
#include "plugins/sheets/sheetpreview.h"
#include "plugins/sound/soundoutput.h"
#include "ui/practice/soundplayer.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLibraryInfo>
#include <QPluginLoader>

using namespace testsupport;

namespace {

const QString BuildTree = QStringLiteral(NUMIK_TEST_PLUGIN_DIR);

QString pluginFile(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(QStringLiteral("lib%1.so").arg(name));
}

// The lines printed of the plugins (the program's, and any of Qt's own), taken from the warnings
// while it lives; other warnings pass on.
class LoaderLines
{
public:
    LoaderLines() { s_previous = qInstallMessageHandler(capture); }
    ~LoaderLines() { qInstallMessageHandler(s_previous); s_lines.clear(); }
    const QStringList &lines() const { return s_lines; }

private:
    static void capture(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtWarningMsg && text.contains(QLatin1String("/libnumik")))
            s_lines.append(text);
        else
            s_previous(type, context, text);
    }
    static inline QtMessageHandler s_previous = nullptr;
    static inline QStringList s_lines;
};

enum class Damage { Missing, Empty, CutInHeaders, CutInCode, Text, SymbolicLink, Folder, QtLibrary, OtherKind,
                    NewerQt, OtherNumik };

// Puts the plugin `name` into the folder, damaged as said; `other` names the other plugin.
bool plant(Damage damage, const QString &folder, const QString &name, const QString &other)
{
    const QString real = pluginFile(BuildTree, name);
    const QString target = pluginFile(folder, name);
    QByteArray bytes = bytesOf(real);
    // the metadata note: its owner, then the format, Qt's major and minor version, the CBOR
    const qsizetype metadata = bytes.indexOf("qt-project!");
    switch (damage) {
    case Damage::Missing:
        return true;
    case Damage::Empty:
        bytes.clear();
        break;
    case Damage::CutInHeaders:
        bytes.truncate(100); // within the first program header
        break;
    case Damage::CutInCode:
        bytes.truncate(8192); // mapped whole, it would crash the program as the code is bound
        break;
    case Damage::Text:
        bytes = "not a library\n";
        break;
    case Damage::SymbolicLink:
        return QFile::link(real, target);
    case Damage::Folder:
        return QDir(folder).mkdir(QFileInfo(target).fileName());
    case Damage::QtLibrary:
        bytes = bytesOf(QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Core.so.6"));
        break;
    case Damage::OtherKind:
        bytes = bytesOf(pluginFile(BuildTree, other));
        break;
    case Damage::NewerQt:
        if (metadata < 0)
            return false;
        bytes[metadata + 14] = char(99);
        break;
    case Damage::OtherNumik: {
        const qsizetype version = bytes.indexOf(NUMIK_VERSION, metadata);
        if (metadata < 0 || version < 0)
            return false;
        bytes[version] = bytes[version] == '9' ? '8' : '9';
        break;
    }
    }
    QFile file(target);
    return !bytes.isEmpty() == (damage != Damage::Empty) && file.open(QIODevice::WriteOnly)
           && file.write(bytes) == bytes.size();
}

} // namespace

class TestPlugins : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SetPluginDirectory(BuildTree); }
    void realPluginsLoadWithEverySymbolBound_data();
    void realPluginsLoadWithEverySymbolBound();
    void aBadPluginCostsOnlyItsFunction_data();
    void aBadPluginCostsOnlyItsFunction();
};

void TestPlugins::realPluginsLoadWithEverySymbolBound_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("sound") << "numiksound";
    QTest::newRow("sheets") << "numiksheets";
}

void TestPlugins::realPluginsLoadWithEverySymbolBound()
{
    QFETCH(QString, name);
    QPluginLoader loader(pluginFile(BuildTree, name));
    loader.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    QVERIFY2(loader.load(), qPrintable(loader.errorString()));
    const LoaderLines lines;
    if (name == QLatin1String("numiksound")) {
        QVERIFY(qobject_cast<SoundOutputFactory *>(loader.instance()));
        auto *factory = LoadPlugin<SoundOutputFactory>(name);
        QVERIFY(factory && factory->createSoundOutput());
    } else {
        QVERIFY(qobject_cast<SheetPreviewFactory *>(loader.instance()));
        auto *factory = LoadPlugin<SheetPreviewFactory>(name);
        QVERIFY(factory);
        const auto preview = factory->createSheetPreview(2, [] { return Exercise{1, Operation::Plus, 1, 2}; }, QString(), nullptr);
        QVERIFY(preview && preview->dialog());
    }
    QCOMPARE(lines.lines(), QStringList());
}

void TestPlugins::aBadPluginCostsOnlyItsFunction_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::newRow("missing") << Damage::Missing;
    QTest::newRow("empty") << Damage::Empty;
    QTest::newRow("cut in its headers") << Damage::CutInHeaders;
    QTest::newRow("cut in its code") << Damage::CutInCode;
    QTest::newRow("text") << Damage::Text;
    QTest::newRow("link to the real one") << Damage::SymbolicLink;
    QTest::newRow("folder") << Damage::Folder;
    QTest::newRow("a Qt library") << Damage::QtLibrary;
    QTest::newRow("the other plugin") << Damage::OtherKind;
    QTest::newRow("built for a newer Qt") << Damage::NewerQt;
    QTest::newRow("from another Numik") << Damage::OtherNumik;
}

void TestPlugins::aBadPluginCostsOnlyItsFunction()
{
    QFETCH(Damage, damage);
    const QTemporaryDir folder;
    QVERIFY(plant(damage, folder.path(), QStringLiteral("numiksound"), QStringLiteral("numiksheets")));
    QVERIFY(plant(damage, folder.path(), QStringLiteral("numiksheets"), QStringLiteral("numiksound")));
    SetPluginDirectory(folder.path());
    const LoaderLines lines;

    // silence, told once however often a sound is asked for
    SoundPlayer sound;
    sound.prepare({});
    QVERIFY(!sound.isReady());
    sound.prepare({});
    QCOMPARE(lines.lines().size(), 1);
    QVERIFY2(lines.lines()[0].contains(pluginFile(folder.path(), QStringLiteral("numiksound"))),
             qPrintable(lines.lines()[0]));

    // no sheet, and the teacher is told
    MainWindowFixture fixture;
    auto w = fixture.startWindow();
    SeenBox seen;
    ModalDialogCloser closer(recordBox(seen));
    w->findChild<QAction *>(QStringLiteral("MP1Sl"))->trigger();
    QTRY_VERIFY(closer.handled());
    QCOMPARE(seen.text, QStringLiteral("Tisk se nezdařil."));
    QCOMPARE(lines.lines().size(), 2);
    QVERIFY2(lines.lines()[1].contains(pluginFile(folder.path(), QStringLiteral("numiksheets"))),
             qPrintable(lines.lines()[1]));
    QVERIFY(w->isVisible());
}

NUMIK_GUI_TEST_MAIN(TestPlugins)
#include "tst_plugins.moc"
