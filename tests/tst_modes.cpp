#include "core/settings/inifile.h"
#include "mainwindowfixture.h"
#include "ui/settings/heslo.h"
#include "ui/settings/rozsah.h"
#include "ui/settings/rxspinedit.h"

#include <QAction>
#include <QClipboard>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

using namespace testsupport;

namespace {

const QByteArray SevenPlusFive = "[Plus]\nC1OD=7\nC1DO=7\nC2OD=5\nC2DO=5\n";

} // namespace

// The settings and teaching modes, what each enables, and the teacher's password.
class TestModes : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<MainWindowFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void startupModeAndMenus_data();
    void startupModeAndMenus();
    void leavingTeachingMode_data();
    void leavingTeachingMode();
    void newPassword_data();
    void newPassword();
    void longestPassword_data();
    void longestPassword();
    void pastedPassword_data();
    void pastedPassword();
    void newExerciseOnEnteringTeachingMode_data();
    void newExerciseOnEnteringTeachingMode();
    void retestKeepsTheTeachersSwitches();

private:
    static QAction *item(TFZaklad &w, const char *name) { return w.findChild<QAction *>(QString::fromLatin1(name)); }
    static QAction *topMenu(TFZaklad &w, const char *name)
    {
        return w.findChild<QMenu *>(QString::fromLatin1(name))->menuAction();
    }
    // Answers the password dialog that the action opens: its caption, whether it masks, then
    // the typed text confirmed with Enter (or Esc when cancel is set).
    struct PasswordEntry
    {
        QString caption;
        bool masked = false;
        bool asked = false;
    };
    static PasswordEntry answerPassword(QAction *action, const QString &typed, bool cancel = false)
    {
        PasswordEntry seen;
        ModalDialogCloser closer([&](QWidget *dialog) {
            auto *heslo = qobject_cast<TFHeslo *>(dialog);
            QVERIFY(heslo);
            seen.caption = heslo->windowTitle();
            seen.masked = heslo->EHeslo->echoMode() == QLineEdit::Password;
            // on X the focus comes with the activation, a moment after the dialog shows
            QTRY_VERIFY(heslo->EHeslo->hasFocus());
            typeText(heslo->EHeslo, typed);
            QTest::keyClick(heslo->EHeslo, cancel ? Qt::Key_Escape : Qt::Key_Return);
            QVERIFY(!heslo->isVisible());
        });
        action->trigger();
        seen.asked = closer.handled();
        return seen;
    }

    // Answers the password dialogs the action opens one after the other, each with its text
    // and OK.
    static QList<PasswordEntry> answerPasswords(QAction *action, const QStringList &typed)
    {
        QList<PasswordEntry> seen;
        std::vector<std::unique_ptr<ModalDialogCloser>> closers;
        std::function<void(int)> expect = [&](int i) {
            closers.push_back(std::make_unique<ModalDialogCloser>([&, i](QWidget *dialog) {
                auto *heslo = qobject_cast<TFHeslo *>(dialog);
                QVERIFY(heslo);
                seen.append({heslo->windowTitle(), heslo->EHeslo->echoMode() == QLineEdit::Password, true});
                if (i + 1 < typed.size())
                    expect(i + 1);
                typeText(heslo->EHeslo, typed[i]);
                heslo->BBOK->click();
            }));
        };
        expect(0);
        action->trigger();
        return seen;
    }

    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestModes::startupModeAndMenus_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("options");
    QTest::addColumn<bool>("wrongResults");

    QTest::newRow("no file: settings mode") << QByteArray() << 1 << true << true;
    QTest::newRow("typ 2") << QByteArray("[Rezim]\ntyp=2\n") << 2 << false << false;
    QTest::newRow("startvyuka over typ 1") << QByteArray("[Rezim]\nstartvyuka=1\ntyp=1\n") << 2 << false << false;
    QTest::newRow("startvyuka 0, typ 1") << QByteArray("[Rezim]\nstartvyuka=0\ntyp=1\n") << 1 << true << true;
    QTest::newRow("odd typ is teaching") << QByteArray("[Rezim]\ntyp=7\n") << 2 << false << false;
    QTest::newRow("history 0, wrong results 2") << QByteArray("[Rezim]\ntyp=2\nhistdilvysl=0\nchybvysl=2\n") << 2 << false
                                                << true;
    QTest::newRow("history 1, wrong results 0") << QByteArray("[Rezim]\ntyp=2\nhistdilvysl=1\nchybvysl=0\n") << 2 << true
                                                << false;
}

void TestModes::startupModeAndMenus()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, mode);
    QFETCH(bool, options);
    QFETCH(bool, wrongResults);

    m_fixture->writeIni(ini);
    auto w = m_fixture->startWindow();
    const bool settings = mode == 1;
    QCOMPARE(int(w->run().mode), mode);
    QCOMPARE(topMenu(*w, "MMoznosti")->isEnabled(), options);
    QCOMPARE(topMenu(*w, "MChybneVysl")->isEnabled(), wrongResults);
    QCOMPARE(topMenu(*w, "MInfo")->isEnabled(), settings);
    QCOMPARE(topMenu(*w, "MPapir")->isEnabled(), settings);
    QVERIFY(topMenu(*w, "MRezim")->isEnabled());
    for (const char *name : {"ChBPlus", "ChBMinus", "ChBKrat", "ChBDeleni"})
        QCOMPARE(MainWindowFixture::child<QCheckBox>(*w, name)->isEnabled(), settings);

    // opening the menus: in teaching mode nothing of "Možnosti" but the history, which comes
    // with its own window later; the password only in settings mode
    emit w->findChild<QMenu *>("MMoznosti")->aboutToShow();
    for (const char *name : {"MMRozsah", "MNulovat", "MMSound"})
        QCOMPARE(item(*w, name)->isEnabled(), settings);
    emit w->findChild<QMenu *>("MRezim")->aboutToShow();
    QCOMPARE(item(*w, "MRNastaveni")->isChecked(), settings);
    QCOMPARE(item(*w, "MRVyuka")->isChecked(), !settings);
    QCOMPARE(item(*w, "MRHeslo")->isEnabled(), settings);
    QVERIFY(item(*w, "MRNastaveni")->isEnabled() && item(*w, "MRVyuka")->isEnabled());

    // the mode at exit is what the next start reads
    w->close();
    QCOMPARE(IniReadInteger(m_fixture->path("numik.ini"), "Rezim", "typ", 0), mode);
}

void TestModes::leavingTeachingMode_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("mode");

    QTest::newRow("no password") << QByteArray() << QString() << false << false << 1;
    QTest::newRow("empty quotes") << QByteArray("\"\"") << QString() << false << false << 1;
    QTest::newRow("right, UTF-8") << QByteArray("\"řípa\"") << QStringLiteral("řípa") << false << true << 1;
    // a settings file saved in the Central European code page of older systems
    QTest::newRow("right, Windows-1250") << QByteArray("\"\xf8\xed" "pa\"") << QStringLiteral("řípa") << false << true << 1;
    QTest::newRow("other letter case") << QByteArray("\"řípa\"") << QStringLiteral("Řípa") << false << true << 2;
    QTest::newRow("cancelled") << QByteArray("\"řípa\"") << QStringLiteral("řípa") << true << true << 2;
    QTest::newRow("blanks kept") << QByteArray("\" ab \"") << QStringLiteral(" ab ") << false << true << 1;
    QTest::newRow("blanks missing") << QByteArray("\" ab \"") << QStringLiteral("ab") << false << true << 2;
}

void TestModes::leavingTeachingMode()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, typed);
    QFETCH(bool, cancel);
    QFETCH(bool, asked);
    QFETCH(int, mode);

    m_fixture->writeIni("[Rezim]\nstartvyuka=1\n[CasLimit]\nhodnota=10\n[Heslo]\nhodnota=" + stored + "\n");
    auto w = m_fixture->startWindow();
    // entering teaching mode is never asked
    QVERIFY(!answerPassword(item(*w, "MRVyuka"), QString()).asked);
    const PasswordEntry seen = answerPassword(item(*w, "MRNastaveni"), typed, cancel);
    QCOMPARE(seen.asked, asked);
    if (asked) {
        QCOMPARE(seen.caption, QStringLiteral("Zadej heslo"));
        QVERIFY(seen.masked);
    }
    QCOMPARE(int(w->run().mode), mode);
    QCOMPARE(topMenu(*w, "MInfo")->isEnabled(), mode == 1);
    // the settings mode stops the count; the password dialog alone does not
    QCOMPARE(w->findChild<QTimer *>("TCasLimit")->isActive(), mode == 2);
}

void TestModes::newPassword_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("oldTyped");
    QTest::addColumn<QString>("newTyped");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first password") << QByteArray() << QString() << QStringLiteral(" ř p ")
                                    << QStringLiteral("\" ř p \"");
    QTest::newRow("changed with the old one") << QByteArray("\"a\"") << QStringLiteral("a") << QStringLiteral("b")
                                              << QStringLiteral("\"b\"");
    QTest::newRow("wrong old one keeps it") << QByteArray("\"a\"") << QStringLiteral("A") << QString()
                                            << QStringLiteral("\"a\"");
    QTest::newRow("empty removes it") << QByteArray("\"a\"") << QStringLiteral("a") << QString()
                                      << QStringLiteral("\"\"");
}

void TestModes::newPassword()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, oldTyped);
    QFETCH(QString, newTyped);
    QFETCH(QString, expected);

    if (!stored.isEmpty())
        m_fixture->writeIni("[Heslo]\nhodnota=" + stored + "\n");
    auto w = m_fixture->startWindow();
    const QStringList typed = stored.isEmpty() ? QStringList{newTyped} : QStringList{oldTyped, newTyped};
    const QList<PasswordEntry> seen = answerPasswords(item(*w, "MRHeslo"), typed);

    const QString ini = m_fixture->path("numik.ini");
    const QByteArray file = bytesOf(ini);
    QVERIFY2(file.contains("hodnota=" + expected.toUtf8()), file.constData());
    QCOMPARE(IniReadString(ini, "Heslo", "hodnota", "?"), expected.mid(1, expected.size() - 2));
    const bool changed = expected != QString::fromUtf8(stored);
    QCOMPARE(seen.size(), typed.size() - (changed ? 0 : 1));
    if (changed) {
        QCOMPARE(seen.back().caption, QStringLiteral("Zadej nové heslo"));
        QVERIFY(!seen.back().masked);
    }
}

void TestModes::longestPassword_data()
{
    QTest::addColumn<QString>("letter");
    QTest::newRow("one byte each") << QStringLiteral("a");
    QTest::newRow("two bytes each") << QStringLiteral("ř");
}

void TestModes::longestPassword()
{
    QFETCH(QString, letter);
    // one letter more than the settings file gives back: neither field takes it, so the stored
    // password is the longest that still matches
    const QString typed = letter.repeated(IniMaxValueLength + 1);
    auto w = m_fixture->startWindow();
    QCOMPARE(answerPasswords(item(*w, "MRHeslo"), {typed}).size(), 1);
    QCOMPARE(IniReadString(m_fixture->path("numik.ini"), "Heslo", "hodnota", {}), typed.left(IniMaxValueLength));
    item(*w, "MRVyuka")->trigger();
    QVERIFY(answerPassword(item(*w, "MRNastaveni"), typed).asked);
    QCOMPARE(int(w->run().mode), 1);
}

void TestModes::pastedPassword_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("box"); // the start of what the dialog says, if anything

    QTest::newRow("line break after it") << "tajne\n" << "tajne" << "";
    QTest::newRow("Windows line end, tab, NEL, separator")
        << QStringLiteral("ta\tj\u0085n\u2028e\r\n") << "tajne" << "";
    QTest::newRow("over-long, cut and told") << QString(3000, u'a') << QString(IniMaxValueLength, u'a')
                                             << "Vložený text je delší";
    // a character of two UTF-16 units is never halved at the limit
    QTest::newRow("cut before a split character")
        << QString(IniMaxValueLength - 1, u'a') + QStringLiteral("\U0001F600") << QString(IniMaxValueLength - 1, u'a')
        << "Vložený text je delší";
    // an empty field left by a paste removes the password only at a second OK
    QTest::newRow("nothing usable, confirmed twice") << "\r\n\t" << "" << "Vložený text neobsahoval";
}

void TestModes::pastedPassword()
{
    QFETCH(QString, pasted);
    QFETCH(QString, stored);
    QFETCH(QString, box);

    m_fixture->writeIni("[Heslo]\nhodnota=\"stare\"\n");
    auto w = m_fixture->startWindow();
    SeenBox seenBox;
    int asked = 0;
    std::unique_ptr<ModalDialogCloser> unlock, boxCloser;
    ModalDialogCloser first([&](QWidget *dialog) {
        ++asked;
        typeText(qobject_cast<TFHeslo *>(dialog)->EHeslo, "stare");
        unlock = std::make_unique<ModalDialogCloser>([&](QWidget *newPassword) {
            auto *heslo = qobject_cast<TFHeslo *>(newPassword);
            QVERIFY(heslo);
            boxCloser = std::make_unique<ModalDialogCloser>(recordBox(seenBox));
            QGuiApplication::clipboard()->setText(pasted);
            heslo->EHeslo->paste();
            QTRY_VERIFY(boxCloser->handled() || box.isEmpty() || box.startsWith(u"Vložený text neobs"));
            heslo->BBOK->click();
            if (heslo->isVisible()) // told that the field is empty: the second OK removes the password
                heslo->BBOK->click();
        });
        qobject_cast<TFHeslo *>(dialog)->BBOK->click();
    });
    item(*w, "MRHeslo")->trigger();
    QCOMPARE(asked, 1);
    QVERIFY(unlock && unlock->handled());
    QVERIFY2(box.isEmpty() ? seenBox.text.isEmpty() : seenBox.text.startsWith(box), qPrintable(seenBox.text));
    QCOMPARE(IniReadString(m_fixture->path("numik.ini"), "Heslo", "hodnota", "?"), stored);
    boxCloser.reset(); // its watch must not take the next dialog
    if (!stored.isEmpty()) {
        // the same paste unlocks
        item(*w, "MRVyuka")->trigger();
        ModalDialogCloser closer([&](QWidget *dialog) {
            auto *heslo = qobject_cast<TFHeslo *>(dialog);
            QGuiApplication::clipboard()->setText(pasted);
            heslo->EHeslo->paste();
            heslo->BBOK->click();
        });
        item(*w, "MRNastaveni")->trigger();
        QCOMPARE(int(w->run().mode), 1);
    }
}

void TestModes::newExerciseOnEnteringTeachingMode_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QList<int>>("values"); // set one after the other
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("retest");
    QTest::addColumn<bool>("fresh");

    QTest::newRow("nothing changed") << "" << QList<int>() << true << false << false;
    QTest::newRow("range changed and back") << "RSEPlusDOV" << QList<int>{30, 25} << true << false << true;
    QTest::newRow("range changed, cancelled") << "RSEPlusDOV" << QList<int>{30} << false << false << false;
    QTest::newRow("time limit changed") << "RSECasLimit" << QList<int>{9} << true << false << true;
    QTest::newRow("time limit changed and back") << "RSECasLimit" << QList<int>{9, 0} << true << false << false;
    QTest::newRow("range changed in a re-test") << "RSEPlusDOV" << QList<int>{30} << true << true << false;
    QTest::newRow("time limit changed in a re-test") << "RSECasLimit" << QList<int>{9} << true << true << false;
}

void TestModes::newExerciseOnEnteringTeachingMode()
{
    QFETCH(QString, field);
    QFETCH(QList<int>, values);
    QFETCH(bool, confirm);
    QFETCH(bool, retest);
    QFETCH(bool, fresh);

    m_fixture->writeIni(SevenPlusFive);
    auto w = m_fixture->startWindow();
    w->setRetestActiveForTesting(retest);
    {
        ModalDialogCloser closer([&](QWidget *dialog) {
            if (!field.isEmpty()) {
                for (int value : values)
                    dialog->findChild<TRxSpinEdit *>(field)->setValue(value);
            }
            QTest::keyClick(dialog, confirm ? Qt::Key_Return : Qt::Key_Escape);
        });
        item(*w, "MMRozsah")->trigger();
        QVERIFY(closer.handled());
    }
    const qint32 before = w->generator().exerciseCount();
    item(*w, "MRVyuka")->trigger();
    QCOMPARE(w->generator().exerciseCount() - before, fresh ? 1 : 0);
    // once consumed (or never set), switching again poses nothing
    answerPassword(item(*w, "MRNastaveni"), QString());
    item(*w, "MRVyuka")->trigger();
    QCOMPARE(w->generator().exerciseCount() - before, fresh ? 1 : 0);

    // a re-test keeps the time-limit request until it is over
    if (retest && field == QStringLiteral("RSECasLimit")) {
        w->setRetestActiveForTesting(false);
        answerPassword(item(*w, "MRNastaveni"), QString());
        item(*w, "MRVyuka")->trigger();
        QCOMPARE(w->generator().exerciseCount() - before, 1);
    }
}

void TestModes::retestKeepsTheTeachersSwitches()
{
    m_fixture->writeIni(SevenPlusFive + "[CasLimit]\nhodnota=6\n");
    AppendWrongResult(m_fixture->path("chyba.nmk"), {7, 5, 1, 13, false, 0, 3});
    auto w = m_fixture->startWindow();
    auto *minus = MainWindowFixture::child<QCheckBox>(*w, "ChBMinus");
    minus->click();
    item(*w, "MMSound")->trigger();
    const QByteArray ini = bytesOf(m_fixture->path("numik.ini"));
    item(*w, "MChPrezkouset")->trigger();
    {
        // the closing message, then the forced evaluation of the one answer
        std::unique_ptr<ModalDialogCloser> evaluation;
        ModalDialogCloser message([&](QWidget *) { evaluation = std::make_unique<ModalDialogCloser>(); });
        MainWindowFixture::answer(*w, "12");
        QVERIFY(message.handled());
        QVERIFY(evaluation && evaluation->handled());
    }
    QVERIFY(!w->isRetestActive());
    QVERIFY(minus->isChecked());
    QVERIFY(MainWindowFixture::child<QCheckBox>(*w, "ChBPlus")->isChecked());
    QVERIFY(!w->run().soundOn);
    QVERIFY(!item(*w, "MMSound")->isChecked());
    QCOMPARE(w->run().timeLimitSeconds, 6); // the record's limit gives way to the setting
    QCOMPARE(bytesOf(m_fixture->path("numik.ini")), ini);
}

NUMIK_GUI_TEST_MAIN(TestModes)
#include "tst_modes.moc"
