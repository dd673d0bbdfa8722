#include "core/settings/inifile.h"
#include "mainwindowfixture.h"
#include "practicefixture.h"
#include "ui/settings/pagecontrol.h"
#include "ui/settings/rozsah.h"
#include "ui/settings/rxspinedit.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QToolButton>

using namespace testsupport;

// The settings dialog driven as the teacher drives it: typing, stepping, leaving fields, OK.
class TestRozsah : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_fixture = std::make_unique<MainWindowFixture>();
    }
    void cleanup() { m_flow.reset(), m_fixture.reset(); }

    void spinEditRules_data();
    void spinEditRules();
    void typingCouplesFields_data();
    void typingCouplesFields();
    void steppingThresholds_data();
    void steppingThresholds();
    void loadingAppliesTheCouplings();
    void numbersBeyond32BitsAreSaved_data();
    void numbersBeyond32BitsAreSaved();
    void comboBoxKeepsTheFocus_data();
    void comboBoxKeepsTheFocus();
    void inadmissibleRangesAreRefused_data();
    void inadmissibleRangesAreRefused();
    void listOfNumbers_data();
    void listOfNumbers();
    void wrappedResultsAreInadmissible_data();
    void wrappedResultsAreInadmissible();
    void failedWriteKeepsTheDialogOpen();
    void everyValueSurvivesARestart();
    void retestKeepsItsTimeLimit();
    void numberFieldsShowAndTellTheirNumber();

private:
    // The practice started on the fixture's folder, as the window starts it.
    PracticeFlow &flow()
    {
        if (!m_flow) {
            const auto at = [this](const char *name) { return m_fixture->path(name); };
            m_flow = std::make_unique<PracticeFlow>(m_generator, PracticeFiles{at("numik.ini"), at("chyba.nmk"), at("chybavysl.nmk"), at("hdv.ndv")}, m_view);
            m_flow->startPractice();
        }
        return *m_flow;
    }
    std::unique_ptr<TFRozsah> openDialog()
    {
        auto dialog = std::make_unique<TFRozsah>(flow(), m_random);
        if (!activate(dialog.get()))
            qFatal("the dialog does not become active");
        return dialog;
    }
    // Focus changes reach only the active window; without a window manager Qt asks the X server.
    static bool activate(QWidget *window)
    {
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            return false;
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }
    static TRxSpinEdit *field(QWidget &dialog, const QString &name) { return dialog.findChild<TRxSpinEdit *>(name); }
    static void typeOver(TRxSpinEdit *f, const char *text)
    {
        f->setFocus();
        f->selectAll();
        QTest::keyClicks(f, text);
    }
    static QString thresholds(QWidget &dialog)
    {
        QStringList values;
        for (int grade = 1; grade <= 4; ++grade)
            values << QString::number(field(dialog, QStringLiteral("RSEHodn%1").arg(grade))->value());
        return values.join(u'/');
    }

    std::unique_ptr<MainWindowFixture> m_fixture;
    FakeView m_view;
    ExerciseGenerator m_generator;
    std::unique_ptr<PracticeFlow> m_flow;
    RandomSource m_random{12345};
};

void TestRozsah::spinEditRules_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("whileTyping");
    QTest::addColumn<QString>("afterLeaving");

    QTest::newRow("beyond the upper limit") << 0 << 3600 << "5000" << 5000 << "3600";
    QTest::newRow("below the lower limit") << 3 << 2147483647 << "1" << 1 << "3";
    QTest::newRow("no limits") << 0 << 0 << "-77" << -77 << "-77";
    QTest::newRow("letters are not typed") << 0 << 0 << "1a2" << 12 << "12";
    QTest::newRow("a sign alone reads as the lower limit") << 3 << 2147483647 << "-" << 3 << "-";
    QTest::newRow("empty reads as the lower limit") << 0 << 3600 << "" << 0 << "";
    // beyond 32 bits a number reads as the nearer 32-bit bound, and leaving shows the bound or
    // the field's own limit
    QTest::newRow("beyond 32 bits") << 0 << 0 << "99999999999" << 2147483647 << "2147483647";
    QTest::newRow("below 32 bits") << 0 << 0 << "-3000000000" << -2147483647 - 1 << "-2147483648";
    QTest::newRow("beyond 32 bits and the limit") << 0 << 3600 << "99999999999" << 2147483647 << "3600";
    QTest::newRow("below 32 bits and the limit") << 3 << 2147483647 << "-99999999999" << -2147483647 - 1 << "3";
}

void TestRozsah::spinEditRules()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(QString, typed);
    QFETCH(int, whileTyping);
    QFETCH(QString, afterLeaving);

    QWidget window;
    auto *spin = new TRxSpinEdit(&window);
    auto *other = new QPushButton(&window);
    other->move(0, 40);
    spin->setLimits({min, max});
    QVERIFY(activate(&window));
    int changes = 0;
    connect(spin, &TRxSpinEdit::changed, &window, [&changes] { ++changes; });
    spin->setFocus();
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_Delete);
    QTest::keyClicks(spin, typed);
    QCOMPARE(spin->value(), whileTyping);
    QVERIFY(changes >= 1);
    other->setFocus();
    QCOMPARE(spin->text(), afterLeaving);
}

void TestRozsah::typingCouplesFields_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QString>("partner");
    QTest::addColumn<int>("partnerValue");
    QTest::addColumn<QString>("grades");

    // on the text "2" the lowest result drops to 2 and stays there
    QTest::newRow("25 over the highest result") << QByteArray("[Plus]\nVOD=10\n") << "RSEPlusDOV" << QByteArray("25")
                                                << "RSEPlusODV" << 2 << "95/85/75/50";
    QTest::newRow("a lowest bound pushes its highest") << QByteArray() << "RSEKratOD2" << QByteArray("40") << "RSEKratDO2"
                                                       << 40 << "95/85/75/50";
    QTest::newRow("restriction pair") << QByteArray("[Del]\nORAN=1\nOROD=5\nORDO=9\n") << "RSEORDelDo"
                                      << QByteArray("3") << "RSEORDelOd" << 3 << "95/85/75/50";
    // the thresholds follow every digit: 9/8/7/6, then 90
    QTest::newRow("90 over grade 1") << QByteArray() << "RSEHodn1" << QByteArray("90") << "RSEHodn2" << 8 << "90/8/7/6";
}

void TestRozsah::typingCouplesFields()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, field);
    QFETCH(QByteArray, typed);
    QFETCH(QString, partner);
    QFETCH(int, partnerValue);
    QFETCH(QString, grades);

    m_fixture->writeIni(ini);
    auto dialog = openDialog();
    QVERIFY(!dialog->rangesTouched());
    typeOver(TestRozsah::field(*dialog, field), typed.constData());
    QCOMPARE(TestRozsah::field(*dialog, field)->value(), typed.toInt());
    QCOMPARE(TestRozsah::field(*dialog, partner)->value(), partnerValue);
    QCOMPARE(thresholds(*dialog), grades);
    QCOMPARE(dialog->rangesTouched(), !field.startsWith(QLatin1String("RSEHodn")));
    QVERIFY(!dialog->timeLimitTouched());
}

void TestRozsah::steppingThresholds_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("grade 2 up to 99") << "RSEHodn2" << int(Qt::Key_Up) << "100/99/75/50";
    QTest::newRow("grade 2 down to 3") << "RSEHodn2" << int(Qt::Key_Down) << "95/3/2/1";
    QTest::newRow("grade 4 up to 97") << "RSEHodn4" << int(Qt::Key_Up) << "100/99/98/97";
}

void TestRozsah::steppingThresholds()
{
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(QString, expected);

    auto dialog = openDialog();
    dialog->pageControl()->setCurrentIndex(2);
    TRxSpinEdit *f = TestRozsah::field(*dialog, field);
    f->setFocus();
    for (int i = 0; i < 120; ++i) // more steps than the limits allow
        QTest::keyClick(f, Qt::Key(key));
    QCOMPARE(thresholds(*dialog), expected);
    QVERIFY(!dialog->rangesTouched());
}

void TestRozsah::loadingAppliesTheCouplings()
{
    m_fixture->writeIni("[Minus]\nC2OD=30\nC2DO=12\nORAN=3\nOROD=8\nORDO=2\n[Krat]\nORAN=9\n[Del]\nORAN=-1\n"
                        "[Hodnoceni]\n1=50\n2=60\n[CasLimit]\nhodnota=5000\n[Rezim]\nstartvyuka=1\nchybvysl=7\n");
    auto dialog = openDialog();

    // a reversed pair loads as both fields at the stored upper bound, untouched
    QCOMPARE(field(*dialog, "RSEMinusOD2")->value(), 12);
    QCOMPARE(field(*dialog, "RSEMinusDO2")->value(), 12);
    QCOMPARE(field(*dialog, "RSEORMinusOd")->value(), 2);
    QVERIFY(!dialog->rangesTouched());
    QVERIFY(!dialog->timeLimitTouched());
    QCOMPARE(thresholds(*dialog), QStringLiteral("77/76/75/50"));
    QCOMPARE(field(*dialog, "RSECasLimit")->value(), 3600);

    // ORAN 3 ticks "X,Z" and enables its fields; codes the generator reads as "X,Y,Z" or as none
    // show so
    QVERIFY(dialog->findChild<QCheckBox *>("ORMinusAN")->isChecked());
    QCOMPARE(dialog->findChild<QComboBox *>("ORCisloMinus")->currentText(), QStringLiteral("X,Z"));
    QVERIFY(field(*dialog, "RSEORMinusOd")->isEnabled());
    QVERIFY(dialog->findChild<QCheckBox *>("ORKratAN")->isChecked());
    QCOMPARE(dialog->findChild<QComboBox *>("ORCisloKrat")->currentText(), QStringLiteral("X,Y,Z"));
    QVERIFY(!dialog->findChild<QCheckBox *>("ORDelAN")->isChecked());
    QVERIFY(!field(*dialog, "RSEORDelOd")->isEnabled());
    QVERIFY(dialog->findChild<QCheckBox *>("ChBStart")->isChecked());
    QVERIFY(dialog->findChild<QRadioButton *>("RGChybVysl2")->isChecked());
    QCOMPARE(dialog->pageControl()->currentIndex(), 0);
    QCOMPARE(dialog->pageControl()->tab(1)->text(), QStringLiteral("&omezení rozsahu"));
}

void TestRozsah::numbersBeyond32BitsAreSaved_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("saved");

    QTest::newRow("highest result of addition") << 0 << "RSEPlusDOV" << QByteArray("3000000000") << "Plus" << "VDO"
                                                << 2147483647;
    QTest::newRow("time limit") << 3 << "RSECasLimit" << QByteArray("99999999999") << "CasLimit" << "hodnota" << 3600;
    QTest::newRow("evaluation count") << 2 << "RSEAutoPo" << QByteArray("99999999999") << "Hodnoceni" << "autopo"
                                      << 2147483647;
}

void TestRozsah::numbersBeyond32BitsAreSaved()
{
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QByteArray, typed);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, saved);

    auto dialog = openDialog();
    dialog->pageControl()->setCurrentIndex(page);
    TRxSpinEdit *f = TestRozsah::field(*dialog, field);
    typeOver(f, typed.constData());
    QTest::keyClick(f, Qt::Key_Return);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(IniReadInteger(m_fixture->path("numik.ini"), section, key, -1), saved);
    QCOMPARE(f->text(), QString::number(saved));
}

void TestRozsah::comboBoxKeepsTheFocus_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("leaving"); // Tab, Enter, a click on OK, or Alt+D (another page)
    QTest::addColumn<bool>("kept");   // the focus stays in the box and OK is refused
    QTest::addColumn<int>("choice");

    QTest::newRow("Tab on x,z takes item 3") << "x,z" << int(Qt::Key_Tab) << false << 3;
    QTest::newRow("Tab on a semicolon") << "X;Y" << int(Qt::Key_Tab) << true << 1;
    QTest::newRow("Tab on empty") << "" << int(Qt::Key_Tab) << true << 1;
    QTest::newRow("Enter takes y,z") << "y,z" << int(Qt::Key_Return) << false << 4;
    QTest::newRow("Enter on a semicolon") << "X;Y" << int(Qt::Key_Return) << true << 1;
    QTest::newRow("Enter on a trailing blank") << "X,Y,Z " << int(Qt::Key_Return) << true << 1;
    QTest::newRow("click on OK") << "X;Y" << int(Qt::Key_unknown) << true << 1;
    QTest::newRow("Alt+D on y,z") << "y,z" << int(Qt::Key_D) << false << 4;
    QTest::newRow("Alt+D on a semicolon") << "X;Y" << int(Qt::Key_D) << true << 1;
}

void TestRozsah::comboBoxKeepsTheFocus()
{
    QFETCH(QString, typed);
    QFETCH(int, leaving);
    QFETCH(bool, kept);
    QFETCH(int, choice);

    auto dialog = openDialog();
    dialog->pageControl()->setCurrentIndex(1);
    auto *combo = dialog->findChild<QComboBox *>("ORCisloPlus");
    auto *box = dialog->findChild<QCheckBox *>("ORPlusAN");
    box->setChecked(true); // ticked without another choice, OK stores "X,Y,Z"
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClick(combo, Qt::Key_Delete);
    QTest::keyClicks(combo, typed);
    if (leaving == Qt::Key_unknown)
        QTest::mouseClick(dialog->findChild<QPushButton *>("BBOK"), Qt::LeftButton);
    else
        QTest::keyClick(combo, Qt::Key(leaving), leaving == Qt::Key_D ? Qt::AltModifier : Qt::NoModifier);
    QTRY_VERIFY(!dialog->pageControl()->tab(2)->isDown()); // an accelerator clicks its tab a moment later
    QTRY_COMPARE(combo->hasFocus(), kept);
    QCOMPARE(dialog->pageControl()->currentIndex(), kept || leaving != Qt::Key_D ? 1 : 2);
    if (dialog->isVisible())
        dialog->BBOKClick(); // and OK again does what leaving does
    QCOMPARE(combo->hasFocus(), kept);
    QCOMPARE(dialog->result(), kept ? 0 : int(QDialog::Accepted));
    QCOMPARE(combo->property("Tag").toInt(), choice);
    QCOMPARE(IniReadInteger(m_fixture->path("numik.ini"), "Plus", "ORAN", -1), kept ? -1 : choice);
}

void TestRozsah::inadmissibleRangesAreRefused_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("message");

    QTest::newRow("division by 0 only") << QByteArray("[Del]\nC2DO=0\n")
                                        << "Chybně nastavený rozsah či omezení rozsahu u dělení - oprav jej!";
    QTest::newRow("a restriction no sum meets") << QByteArray("[Plus]\nORAN=2\nOROD=100\nORDO=200\n")
                                                << "Chybně nastavený rozsah či omezení rozsahu u sčítání - oprav jej!";
    QTest::newRow("no product in the result range") << QByteArray("[Krat]\nC1OD=2\nC1DO=2\nC2OD=2\nC2DO=2\nVDO=3\n")
                                                    << "Chybně nastavený rozsah či omezení rozsahu u násobení - oprav jej!";
    QTest::newRow("sums that wrap past 32 bits")
        << QByteArray("[Plus]\nC1OD=2000000000\nC1DO=2000000000\nC2OD=1000000000\nC2DO=1000000000\n"
                      "VOD=-2147483648\nVDO=2147483647\n")
        << "Chybně nastavený rozsah či omezení rozsahu u sčítání - oprav jej!";
}

void TestRozsah::wrappedResultsAreInadmissible_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QList<int>>("range"); // C1OD C1DO C2OD C2DO VOD VDO
    QTest::addColumn<bool>("admitted");

    const int lowest = std::numeric_limits<qint32>::min();
    const int highest = std::numeric_limits<qint32>::max();
    QTest::newRow("largest sum that fits") << 1 << QList<int>{highest - 1, highest - 1, 1, 1, lowest, highest} << true;
    QTest::newRow("sum one past") << 1 << QList<int>{highest, highest, 1, 1, lowest, highest} << false;
    // 4000000000 wraps to -294967296 at most, below every result the teacher allows
    QTest::newRow("sums beyond 32 bits, wrapped ones outside the results")
        << 1 << QList<int>{0, 2000000000, 0, 2000000000, 0, highest} << true;
    QTest::newRow("difference below 32 bits wraps into the results")
        << 2 << QList<int>{-2000000000, -2000000000, 1000000000, 1000000000, 0, highest} << false;
    QTest::newRow("65536 X 65536 wraps to 0") << 3 << QList<int>{65536, 65536, 65536, 65536, 0, 10} << false;
    QTest::newRow("product at the edge") << 3 << QList<int>{-65536, -65536, 32768, 32768, lowest, highest} << true;
    QTest::newRow("INT_MIN : -1, never posed, admits nothing") << 4 << QList<int>{lowest, lowest, -1, -1, lowest, highest} << false;
}

void TestRozsah::wrappedResultsAreInadmissible()
{
    QFETCH(int, operation);
    QFETCH(QList<int>, range);
    QFETCH(bool, admitted);
    std::array<OperationRange, 4> ranges = PracticeSettings::defaultRanges();
    for (std::size_t b = 0; b < DialogBounds.size(); ++b)
        boundOf(ranges[std::size_t(operation - 1)], DialogBounds[b]) = range[qsizetype(b)];
    const std::optional<Operation> refused = FirstInadmissibleOperation(m_random, ranges);
    QCOMPARE(refused.has_value(), !admitted);
    if (refused)
        QCOMPARE(int(*refused), operation);
}

void TestRozsah::inadmissibleRangesAreRefused()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, message);

    m_fixture->writeIni(ini);
    auto dialog = openDialog();
    const PracticeSettings before = flow().settings();
    dialog->pageControl()->setCurrentIndex(4);
    SeenBox seen;
    {
        ModalDialogCloser closer(recordBox(seen));
        QTest::mouseClick(dialog->findChild<QPushButton *>("BBOK"), Qt::LeftButton);
        QVERIFY(closer.handled());
    }
    QCOMPARE(seen.text, message);
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->pageControl()->currentIndex(), 4);
    QVERIFY(flow().settings() == before);
    QCOMPARE(bytesOf(m_fixture->path("numik.ini")), ini);
}

void TestRozsah::listOfNumbers_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QByteArray>("typed"); // empty: the interval is chosen
    QTest::addColumn<QString>("message");   // empty: accepted, and the list is stored so
    QTest::addColumn<QString>("stored");

    QTest::newRow("tables 2, 5 and 10") << QByteArray() << QByteArray("2 5, 10") << "" << "2,5,10";
    QTest::newRow("a letter") << QByteArray() << QByteArray("2, x") << "Chybně zadaná čísla omezení rozsahu u násobení: „x“ - oprav je!" << "";
    QTest::newRow("no numbers") << QByteArray() << QByteArray(", ") << "Chybí čísla omezení rozsahu u násobení - doplň je!" << "";
    // no factor of the default ranges is 11
    QTest::newRow("no exercise") << QByteArray() << QByteArray("11") << "Chybně nastavený rozsah či omezení rozsahu u násobení - oprav jej!" << "";
    QTest::newRow("back to the interval") << QByteArray("[Krat]\nORAN=2\nORCISLA=2,5,10\n") << QByteArray() << "" << "";
}

void TestRozsah::listOfNumbers()
{
    QFETCH(QByteArray, ini);
    QFETCH(QByteArray, typed);
    QFETCH(QString, message);
    QFETCH(QString, stored);

    m_fixture->writeIni(ini);
    const QString path = m_fixture->path("numik.ini");
    auto dialog = openDialog();
    auto *numbers = dialog->findChild<QLineEdit *>("ORCislaKrat");
    dialog->findChild<QCheckBox *>("ORKratAN")->setChecked(true);
    QTest::mouseClick(dialog->findChild<QRadioButton *>(typed.isEmpty() ? "ORIntervalKrat" : "ORSeznamKrat"), Qt::LeftButton);
    QCOMPARE(field(*dialog, "RSEORKratOd")->isEnabled(), typed.isEmpty());
    QTest::keyClicks(numbers, typed);
    dialog->pageControl()->setCurrentIndex(4);
    SeenBox seen;
    {
        ModalDialogCloser closer(recordBox(seen));
        QTest::mouseClick(dialog->findChild<QPushButton *>("BBOK"), Qt::LeftButton);
    }
    QCOMPARE(seen.text, message);
    if (!message.isEmpty()) {
        // a list that does not read takes the teacher to it; one that admits nothing is a range
        const bool wrongList = !message.startsWith(QStringLiteral("Chybně nastavený"));
        QCOMPARE(dialog->pageControl()->currentIndex(), wrongList ? 1 : 4);
        QCOMPARE(dialog->focusWidget() == numbers, wrongList);
        QCOMPARE(bytesOf(path), ini);
        return;
    }
    QCOMPARE(IniReadString(path, "Krat", "ORCISLA", "missing"), stored);
    QCOMPARE(bytesOf(path).count("ORCISLA"), 1); // no key where there was no list
    PracticeSettings reloaded;
    NactiRozsahZIni(path, reloaded);
    QVERIFY(reloaded == flow().settings());
}

void TestRozsah::failedWriteKeepsTheDialogOpen()
{
    QVERIFY(QDir(m_fixture->directory()).mkdir("numik.ini")); // a folder cannot be written as a file
    auto dialog = openDialog();
    SeenBox seen;
    {
        ModalDialogCloser closer(recordBox(seen));
        QTest::mouseClick(dialog->findChild<QPushButton *>("BBOK"), Qt::LeftButton);
        QVERIFY(closer.handled());
    }
    QCOMPARE(seen.text, QStringLiteral("Unable to write to %1.").arg(m_fixture->path("numik.ini")));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QVERIFY(dialog->isVisible());
}

void TestRozsah::everyValueSurvivesARestart()
{
    {
        auto w = m_fixture->startWindow();
        QCOMPARE(w->findChild<QAction *>("MChPrezkouset")->statusTip(),
                 QStringLiteral("přezkoušet příklady, kde byla chyba ve výsledku"));
        ModalDialogCloser closer([&](QWidget *d) {
            auto *dialog = qobject_cast<TFRozsah *>(d);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Možnosti"));
            // hints reach the main window's status line
            QStatusTipEvent tip(field(*dialog, "RSEKratDO2")->statusTip());
            QApplication::sendEvent(field(*dialog, "RSEKratDO2"), &tip);
            QCOMPARE(MainWindowFixture::panel(*w, 4), QStringLiteral("horní hranice rozsahu generování čísla 2 pro násobení"));
            QVERIFY(field(*dialog, "RSEKratDO2")->toolTip().isEmpty());
            QCOMPARE(dialog->findChild<QCheckBox *>("ChBDeaktiv")->statusTip(),
                     QStringLiteral("možnost pozastavení odpočítávání při deaktivaci (přepnutí do jiné aplikace)"));

            int value = 1;
            for (const char *name : {"RSEPlusOD1", "RSEPlusDO1", "RSEPlusOD2", "RSEPlusDO2", "RSEPlusODV", "RSEPlusDOV"})
                field(*dialog, name)->setValue(value++);
            field(*dialog, "RSEPlusDOV")->setValue(200);
            field(*dialog, "RSEDelOD2")->setValue(2);
            dialog->findChild<QCheckBox *>("ORMinusAN")->setChecked(true);
            // a picked item counts at OK even if no focus change reached the box
            dialog->findChild<QComboBox *>("ORCisloMinus")->setCurrentIndex(3);
            field(*dialog, "RSEORMinusDo")->setValue(12);
            field(*dialog, "RSEHodn3")->setValue(40);
            field(*dialog, "RSEAutoPo")->setValue(7);
            dialog->findChild<QCheckBox *>("ChBMazPo")->setChecked(false);
            field(*dialog, "RSECasLimit")->setValue(30);
            dialog->findChild<QCheckBox *>("ChBDeaktiv")->setChecked(true);
            dialog->findChild<QCheckBox *>("ChBStart")->setChecked(true);
            dialog->findChild<QRadioButton *>("RGHistDilVysl1")->setChecked(true);
            dialog->findChild<QRadioButton *>("RGChybVysl2")->setChecked(true);
            dialog->findChild<QCheckBox *>("ChBNeznVysl")->setChecked(false);
            QTest::mouseClick(dialog->findChild<QPushButton *>("BBOK"), Qt::LeftButton);
        });
        w->findChild<QAction *>("MMRozsah")->trigger();
        QVERIFY(closer.handled());
        QCOMPARE(w->settings().timeLimitSeconds, 30);
        QCOMPARE(w->settings().range(Operation::Minus).ORAN, 4);
        w->close();
    }
    auto w = m_fixture->startWindow();
    QCOMPARE(int(w->run().mode), 2); // "startvyuka"
    PracticeSettings expected;
    expected.ranges[0] = {1, 2, 3, 4, 5, 200, 0, 1, 10};
    expected.ranges[1].ORAN = 4;
    expected.ranges[1].ORDO = 12;
    expected.ranges[3].C2OD = 2;
    expected.gradeThreshold = {95, 85, 40, 39};
    expected.autoEvaluateAfter = 7;
    expected.clearAfterAutoEvaluation = false;
    expected.timeLimitSeconds = 30;
    expected.pauseOnDeactivate = true;
    expected.historyAccess = TeachingAccess::PermittedRunning;
    expected.wrongResultsAccess = TeachingAccess::PermittedPaused;
    expected.resultOnly = false;
    QVERIFY(w->settings() == expected);

    // and the dialog shows them again
    auto dialog = openDialog();
    QCOMPARE(field(*dialog, "RSEPlusDOV")->value(), 200);
    QCOMPARE(dialog->findChild<QComboBox *>("ORCisloMinus")->currentText(), QStringLiteral("Y,Z"));
    QCOMPARE(thresholds(*dialog), QStringLiteral("95/85/40/39"));
    QVERIFY(dialog->findChild<QCheckBox *>("ChBStart")->isChecked());
    QVERIFY(dialog->findChild<QRadioButton *>("RGHistDilVysl1")->isChecked());
}

void TestRozsah::retestKeepsItsTimeLimit()
{
    m_fixture->writeIni("[CasLimit]\nhodnota=20\n");
    AppendWrongResult(m_fixture->path("chyba.nmk"), {7, 5, 1, 13, false, 7, 3}); // timed with 7 s
    flow().startRetest();
    auto dialog = openDialog();
    QCOMPARE(field(*dialog, "RSECasLimit")->value(), 20);
    field(*dialog, "RSECasLimit")->setValue(25);
    dialog->BBOKClick();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(IniReadInteger(m_fixture->path("numik.ini"), "CasLimit", "hodnota", 0), 25);
    QCOMPARE(flow().settings().timeLimitSeconds, 25);
    QCOMPARE(flow().run().timeLimitSeconds, 7); // the re-tested exercise's limit
}

void TestRozsah::numberFieldsShowAndTellTheirNumber()
{
    auto dialog = openDialog();
    const QString longest = QStringLiteral("-2147483648");
    // the ranges and the restrictions, each page shown, which lays its fields out
    for (int page : {0, 1}) {
      dialog->pageControl()->setCurrentIndex(page);
      for (TRxSpinEdit *f : dialog->pageControl()->findChild<QStackedWidget *>()->currentWidget()->findChildren<TRxSpinEdit *>()) {
        const QLineEdit *text = f->findChild<QLineEdit *>();
        QVERIFY2(text->width() - 4 >= text->fontMetrics().horizontalAdvance(longest),
                 qPrintable(f->objectName()));
        QVERIFY2(QRect(QPoint(), f->parentWidget()->size()).contains(f->geometry()), qPrintable(f->objectName()));
      }
    }
    // what a screen reader hears is the number, through the value interface
    TRxSpinEdit *f = field(*dialog, QStringLiteral("RSEPlusDOV"));
    f->setValue(2147483647);
    QAccessibleValueInterface *value = QAccessible::queryAccessibleInterface(f)->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->currentValue().toLongLong(), 2147483647LL);
    QCOMPARE(value->minimumValue().toLongLong(), qint64(std::numeric_limits<qint32>::min()));
    QAccessibleValueInterface *grade = QAccessible::queryAccessibleInterface(field(*dialog, QStringLiteral("RSEHodn1")))->valueInterface();
    QCOMPARE(grade->currentValue().toInt(), 95);
    QCOMPARE(grade->maximumValue().toInt(), 100);
}

NUMIK_GUI_TEST_MAIN(TestRozsah)
#include "tst_rozsah.moc"
