#include "testsupport.h"

#include "ui/widgets/amedit.h"
#include "ui/practice/dilchodn.h"
#include "ui/practice/soundplayer.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <array>
#include <memory>

namespace {

const std::array<qint32, 4> DefaultThresholds = {95, 85, 75, 50};

template<class T = QWidget>
T *control(const QDialog &dialog, const char *name)
{
    auto *found = dialog.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

QString text(const QDialog &dialog, const char *name)
{
    return control<TAMEdit>(dialog, name)->text();
}

// The controls that are not hidden, in a fixed order, e.g. "AImage BBZrus Image1 AMEOK".
QString shownControls(const QDialog &dialog)
{
    QStringList shown;
    for (const char *name : {"AImage", "Image1", "AMEOK", "Image2", "AMEChyba", "Label1", "AMEProc", "IZnamka"})
        if (!control(dialog, name)->isHidden())
            shown << QLatin1String(name);
    return shown.join(QLatin1Char(' '));
}

} // namespace

class TestDilciHodn : public QObject
{
    Q_OBJECT

private slots:
    void fieldsAndGrade_data();
    void fieldsAndGrade();
    void timeline_data();
    void timeline();
    void closesAtOnceWithTheSameGrade_data();
    void closesAtOnceWithTheSameGrade();
    void scalesWithTheZoom_data();
    void scalesWithTheZoom();
};

void TestDilciHodn::fieldsAndGrade_data()
{
    QTest::addColumn<qint32>("correct");
    QTest::addColumn<qint32>("wrong");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<qint32>("grade");
    QTest::addColumn<QString>("picture");
    QTest::newRow("15/0 earns the star") << 15 << 0 << "100" << 1 << "ZN1HV";
    QTest::newRow("19/1 grade 1 without star") << 19 << 1 << "95" << 1 << "ZN1";
    QTest::newRow("17/3 at a threshold") << 17 << 3 << "85" << 2 << "ZN2";
    QTest::newRow("1/7 rounds 12.5 to 12") << 1 << 7 << "12" << 5 << "ZN5";
    QTest::newRow("0/5") << 0 << 5 << "0" << 5 << "ZN5";
    QTest::newRow("0/0 evaluates nothing") << 0 << 0 << "" << 0 << "";
}

void TestDilciHodn::fieldsAndGrade()
{
    QFETCH(qint32, correct);
    QFETCH(qint32, wrong);
    QFETCH(QString, percent);
    QFETCH(qint32, grade);
    QFETCH(QString, picture);

    TFDilciHodn dialog(EvaluatePartial(correct, wrong, DefaultThresholds), QString(), nullptr, 1.0);

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dílčí hodnocení"));
    QCOMPARE(text(dialog, "AMEOK"), QString::number(correct));
    QCOMPARE(text(dialog, "AMEChyba"), QString::number(wrong));
    QCOMPARE(text(dialog, "AMEProc"), percent);
    QCOMPARE(dialog.grade(), grade);
    QCOMPARE(dialog.gradeImageName(), picture);
    // the picture must exist under that name and fill its place
    const QPixmap shown = control<QLabel>(dialog, "IZnamka")->pixmap();
    QCOMPARE(shown.isNull(), picture.isEmpty());
    if (!picture.isEmpty())
        QCOMPARE(shown.deviceIndependentSize().toSize(), QSize(85, 130));
}

void TestDilciHodn::timeline_data()
{
    QTest::addColumn<bool>("withPlayer");
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<bool>("played");
    QTest::newRow("sound on, file present") << true << true << true << true;
    QTest::newRow("sound off") << true << false << true << false;
    QTest::newRow("file missing") << true << true << false << false;
    QTest::newRow("no player") << false << true << true << false;
}

void TestDilciHodn::timeline()
{
    QFETCH(bool, withPlayer);
    QFETCH(bool, soundOn);
    QFETCH(bool, fileExists);
    QFETCH(bool, played);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString sound = dir.filePath(QStringLiteral("dilhod.wav"));
    if (fileExists) {
        QFile file(sound);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QFile source(QFINDTESTDATA("../sounds/dilhod.wav"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        file.write(source.readAll());
    }
    SoundPlayer player;
    player.setEnabled(soundOn);

    TFDilciHodn dialog(EvaluatePartial(12, 3, DefaultThresholds), sound, withPlayer ? &player : nullptr, 1.0);
    auto *timer = control<QTimer>(dialog, "Timer1");
    QCOMPARE(timer->interval(), 300);
    QVERIFY(!timer->isActive());
    QCOMPARE(shownControls(dialog), QStringLiteral("AImage"));
    QVERIFY(!control(dialog, "BBZrus")->isHidden());

    dialog.show();
    QVERIFY(timer->isActive());
    QCOMPARE(dialog.currentFrame(), 0);

    // what is shown after each step; the last step gives the animation up for the grade
    const QStringList after = {
        "AImage",
        "AImage",
        "AImage Image1 AMEOK",
        "AImage Image1 AMEOK",
        "AImage Image1 AMEOK Image2 AMEChyba",
        "AImage Image1 AMEOK Image2 AMEChyba",
        "AImage Image1 AMEOK Image2 AMEChyba Label1 AMEProc",
        "Image1 AMEOK Image2 AMEChyba Label1 AMEProc IZnamka",
    };
    for (int step = 1; step <= after.size(); ++step) {
        const auto frameBefore = control<QLabel>(dialog, "AImage")->pixmap().cacheKey();
        dialog.Timer1Timer();
        QCOMPARE(shownControls(dialog), after[step - 1]);
        QCOMPARE(dialog.currentFrame(), std::min(step, 7));
        if (step < 8)
            QVERIFY(control<QLabel>(dialog, "AImage")->pixmap().cacheKey() != frameBefore);
        const bool soundDue = played && step >= 5;
        QCOMPARE(player.lastStarted(), soundDue ? sound : QString());
    }
    QVERIFY(!timer->isActive());

    // a late tick changes nothing
    dialog.Timer1Timer();
    QCOMPARE(shownControls(dialog), after.last());
    QCOMPARE(dialog.currentFrame(), 7);
}

void TestDilciHodn::closesAtOnceWithTheSameGrade_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc") << "esc";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("the button") << "button";
    QTest::newRow("the close box") << "close";
}

void TestDilciHodn::closesAtOnceWithTheSameGrade()
{
    QFETCH(QString, how);

    TFDilciHodn dialog(EvaluatePartial(19, 1, DefaultThresholds), QString(), nullptr, 1.0);
    auto *button = control<QPushButton>(dialog, "BBZrus");
    bool hiddenAtOnce = false;
    int frameAtClose = -1;
    bool buttonHadFocus = false;
    testsupport::ModalDialogCloser closer([&](QWidget *open) {
        frameAtClose = dialog.currentFrame();
        // the keys go where a keyboard sends them: to the widget with the focus
        QWidget *focus = open->focusWidget() ? open->focusWidget() : open;
        buttonHadFocus = focus == button;
        if (how == "esc")
            QTest::keyClick(focus, Qt::Key_Escape);
        else if (how == "enter")
            QTest::keyClick(focus, Qt::Key_Return);
        else if (how == "button")
            QTest::mouseClick(button, Qt::LeftButton);
        else
            open->close();
        hiddenAtOnce = !open->isVisible();
    });

    dialog.exec();

    QVERIFY(closer.handled());
    QVERIFY(buttonHadFocus);
    QVERIFY(!dialog.isVisible());
    QVERIFY(hiddenAtOnce);
    QVERIFY(frameAtClose < 7);
    QCOMPARE(dialog.grade(), 1);
    // the animation is over: no step comes after the close
    const int frame = dialog.currentFrame();
    QVERIFY(!control<QTimer>(dialog, "Timer1")->isActive());
    QTest::qWait(400);
    QCOMPARE(dialog.currentFrame(), frame);
}

void TestDilciHodn::scalesWithTheZoom_data()
{
    QTest::addColumn<qreal>("zoom");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("button");
    QTest::addColumn<int>("countFont");
    QTest::newRow("100 %") << 1.0 << QSize(192, 141) << QRect(109, 100, 75, 32) << 16;
    QTest::newRow("200 %") << 2.0 << QSize(384, 282) << QRect(218, 200, 150, 64) << 32;
    QTest::newRow("150 %") << 1.5 << QSize(288, 212) << QRect(164, 150, 113, 48) << 24;
}

void TestDilciHodn::scalesWithTheZoom()
{
    QFETCH(qreal, zoom);
    QFETCH(QSize, size);
    QFETCH(QRect, button);
    QFETCH(int, countFont);

    TFDilciHodn dialog(EvaluatePartial(15, 0, DefaultThresholds), QString(), nullptr, zoom);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QCOMPARE(dialog.size(), size);
    QCOMPARE(dialog.minimumSize(), size);
    QCOMPARE(dialog.maximumSize(), size);
    QCOMPARE(control(dialog, "BBZrus")->geometry(), button);
    QCOMPARE(control(dialog, "AMEOK")->font().pixelSize(), countFont);
    QVERIFY(control(dialog, "AMEOK")->font().bold());
    QCOMPARE(dialog.font().pixelSize(), qRound(13 * zoom));
    // pictures rendered for the scaled place, not stretched from the 100 % size
    for (const char *name : {"AImage", "Image1", "IZnamka"}) {
        auto *label = control<QLabel>(dialog, name);
        QCOMPARE(label->pixmap().deviceIndependentSize().toSize(), label->size());
    }
    QCOMPARE(control(dialog, "IZnamka")->size(), QSize(qRound(85 * zoom), qRound(130 * zoom)));
}

NUMIK_GUI_TEST_MAIN(TestDilciHodn)
#include "tst_dilchodn.moc"
