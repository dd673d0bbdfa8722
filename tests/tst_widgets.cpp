#include "testsupport.h"

#include "core/settings/inifile.h"
#include "ui/widgets/amedit.h"
#include "ui/messages/messagebox.h"
#include "ui/settings/windowplacement.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <array>
#include <stdexcept>

namespace {

// What a message box looked like while it was open.
struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::AutoText;
    QRect frame;
};

testsupport::ModalDialogCloser closeMessageBox(SeenBox &seen)
{
    return testsupport::ModalDialogCloser([&seen](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QVERIFY(box);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.format = box->textFormat();
        seen.frame = box->frameGeometry();
        box->button(QMessageBox::Ok)->click();
    });
}

// Where the centre of a window's frame over the centre of `over`'s frame puts its top left.
QPoint centredOver(const QRect &over, const QSize &outer)
{
    return {over.left() + over.width() / 2 - outer.width() / 2, over.top() + over.height() / 2 - outer.height() / 2};
}

void showAndActivate(QWidget *window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT

private slots:
    void amEditEnter_data();
    void amEditEnter();
    void amEditAlignment_data();
    void amEditAlignment();

    void placementRoundTrip();
    void placementRestore_data();
    void placementRestore();
    void placementSave_data();
    void placementSave();
    void placementWriteFailure();
    void centerOverForm_data();
    void centerOverForm();

    void messageBox_data();
    void messageBox();
    void guard_data();
    void guard();
    void guardedSlot();

private:
    QWidget *makeWindow(QPoint framePos, QSize client);
    QSize m_frameMargins;
};

// ---- number field ----------------------------------------------------------------------------

void TestWidgets::amEditEnter_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("enterPressed");
    QTest::addColumn<QString>("textAfter");

    const int keypad = int(Qt::KeypadModifier);
    QTest::newRow("Return") << int(Qt::Key_Return) << 0 << QString() << false << 1 << "12";
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << QString() << false << 1 << "12";
    QTest::newRow("Return in a shown number") << int(Qt::Key_Return) << 0 << QString() << true << 1 << "12";
    QTest::newRow("digit") << int(Qt::Key_7) << 0 << "7" << false << 0 << "127";
    QTest::newRow("Czech letter") << int(Qt::Key_unknown) << 0 << "č" << false << 0 << "12č";
}

void TestWidgets::amEditEnter()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, typed);
    QFETCH(bool, readOnly);
    QFETCH(int, enterPressed);
    QFETCH(QString, textAfter);

    TAMEdit field;
    field.setText("12");
    field.setReadOnly(readOnly);
    showAndActivate(&field);
    QSignalSpy enterSpy(&field, &TAMEdit::enterPressed);
    QSignalSpy returnSpy(&field, &QLineEdit::returnPressed);

    if (key == Qt::Key_unknown)
        testsupport::typeText(&field, typed);
    else
        QTest::keyClick(&field, Qt::Key(key), Qt::KeyboardModifiers::fromInt(modifiers));

    QCOMPARE(enterSpy.count(), enterPressed);
    QCOMPARE(returnSpy.count(), 0); // Enter is the field's signal alone
    QCOMPARE(field.text(), textAfter);
}

void TestWidgets::amEditAlignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("qtAlignment");
    QTest::addColumn<int>("changes");

    QTest::newRow("left again") << int(TAlignment::taLeftJustify) << int(Qt::AlignLeft) << 0;
    QTest::newRow("right") << int(TAlignment::taRightJustify) << int(Qt::AlignRight) << 1;
    QTest::newRow("centre") << int(TAlignment::taCenter) << int(Qt::AlignHCenter) << 1;
}

void TestWidgets::amEditAlignment()
{
    QFETCH(int, alignment);
    QFETCH(int, qtAlignment);
    QFETCH(int, changes);

    TAMEdit field;
    QCOMPARE(field.textAlignment(), TAlignment::taLeftJustify);
    QSignalSpy changed(&field, &TAMEdit::textAlignmentChanged);

    field.setTextAlignment(TAlignment(alignment));
    field.setTextAlignment(TAlignment(alignment));

    QCOMPARE(field.textAlignment(), TAlignment(alignment));
    QCOMPARE(int(field.alignment() & Qt::AlignHorizontal_Mask), qtAlignment);
    QCOMPARE(changed.count(), changes);
}

// ---- window placement ------------------------------------------------------------------------

// The offscreen platform gives windows a frame, centres nothing by itself and supports the
// maximised state (it fills the available area). Minimising only sets the state flag, which is
// all the saving looks at.
QWidget *TestWidgets::makeWindow(QPoint framePos, QSize client)
{
    auto *window = new QWidget;
    window->resize(client);
    window->move(framePos);
    return window;
}

void TestWidgets::placementRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString ini = dir.filePath("numik.ini");

    // first start: nothing saved, so centred on the screen; closing writes the whole section
    {
        QWidget window;
        window.resize(342, 191);
        RestoreWindowPlacement(&window, ini);
        QCOMPARE(window.pos(), centredOver(QGuiApplication::primaryScreen()->availableGeometry(), window.size()));
        window.move(123, 77);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        SaveWindowPlacement(&window, ini);
    }
    QCOMPARE(IniReadInteger(ini, "Okno", "State", 0), 2);
    QCOMPARE(IniReadInteger(ini, "Okno", "Left", 0), 123);
    QCOMPARE(IniReadInteger(ini, "Okno", "Top", 0), 77);
    QCOMPARE(IniReadInteger(ini, "Okno", "Width", 0), 342);
    QCOMPARE(IniReadInteger(ini, "Okno", "Height", 0), 191);

    // another window's placement goes to its own section
    QWidget other;
    other.move(5, 6);
    SaveFormPlacement(&other, ini, "Jine");
    QCOMPARE(IniReadInteger(ini, "Jine", "Left", 0), 5);
    QCOMPARE(IniReadInteger(ini, "Okno", "Left", 0), 123);

    // second run: back where it was, then closed maximised
    {
        QWidget window;
        window.resize(342, 191);
        RestoreWindowPlacement(&window, ini);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.frameGeometry().topLeft(), QPoint(123, 77));
        window.setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(window.isMaximized());
        SaveWindowPlacement(&window, ini);
    }

    // third run: maximised, with the normal place of the first run
    QWidget window;
    window.resize(342, 191);
    RestoreWindowPlacement(&window, ini);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.isMaximized());
    window.showNormal();
    QTRY_COMPARE(window.frameGeometry().topLeft(), QPoint(123, 77));
}

void TestWidgets::placementRestore_data()
{
    // an invalid QVariant: the key is not in the file
    QTest::addColumn<int>("state");
    QTest::addColumn<QVariant>("left");
    QTest::addColumn<QVariant>("top");
    QTest::addColumn<bool>("maximisedBefore");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<bool>("maximised");

    const QVariant absent;
    QTest::newRow("normal") << 2 << QVariant(120) << QVariant(80) << false << QPoint(120, 80) << false;
    QTest::newRow("Left -8 restores as 0") << 2 << QVariant(-8) << QVariant(30) << false << QPoint(0, 30) << false;
    QTest::newRow("negative Top restores as 0") << 2 << QVariant(40) << QVariant(-1) << false << QPoint(40, 0) << false;
    QTest::newRow("missing Left and Top") << 2 << absent << absent << false << QPoint(1, 1) << false;
    // a place that would leave part of the window off the screen moves in just far enough
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint corner(area.right() + 1 - 342, area.bottom() + 1 - 191);
    QTest::newRow("beyond the screen moved in") << 2 << QVariant(5000) << QVariant(4000) << false << corner << false;
    QTest::newRow("absurd Left moved in") << 2 << QVariant(2147483647) << QVariant(3) << false
                                          << QPoint(corner.x(), 3) << false;
    QTest::newRow("unknown State is normal") << 7 << QVariant(10) << QVariant(10) << false << QPoint(10, 10) << false;
    QTest::newRow("maximised") << 1 << QVariant(10) << QVariant(20) << false << QPoint(10, 20) << true;
    QTest::newRow("normal undoes maximised") << 2 << QVariant(10) << QVariant(20) << true << QPoint(10, 20) << false;
}

void TestWidgets::placementRestore()
{
    QFETCH(int, state);
    QFETCH(QVariant, left);
    QFETCH(QVariant, top);
    QFETCH(bool, maximisedBefore);
    QFETCH(QPoint, position);
    QFETCH(bool, maximised);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString ini = dir.filePath("numik.ini");
    IniWriteInteger(ini, "Okno", "State", state);
    if (left.isValid())
        IniWriteInteger(ini, "Okno", "Left", left.toInt());
    if (top.isValid())
        IniWriteInteger(ini, "Okno", "Top", top.toInt());

    QWidget window;
    window.resize(342, 191);
    if (maximisedBefore)
        window.setWindowState(Qt::WindowMaximized);
    RestoreWindowPlacement(&window, ini);

    QCOMPARE(window.pos(), position);
    QCOMPARE(window.isMaximized(), maximised);
    if (!maximised && position.x() < 10000) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.frameGeometry().topLeft(), position);
    }
}

void TestWidgets::placementSave_data()
{
    QTest::addColumn<int>("windowState");
    QTest::addColumn<int>("earlierState");
    QTest::addColumn<int>("state");
    QTest::addColumn<QRect>("saved");

    const QRect earlier(10, 20, 300, 200);
    const QRect now(55, 66, 342, 191);
    QTest::newRow("normal") << int(Qt::WindowNoState) << 1 << 2 << now;
    QTest::newRow("maximised keeps the earlier position") << int(Qt::WindowMaximized) << 2 << 1 << earlier;
    QTest::newRow("minimised keeps the earlier state") << int(Qt::WindowMinimized) << 1 << 1 << now;
    QTest::newRow("minimised from maximised writes nothing")
        << int(Qt::WindowMinimized | Qt::WindowMaximized) << 2 << 2 << earlier;
}

void TestWidgets::placementSave()
{
    QFETCH(int, windowState);
    QFETCH(int, earlierState);
    QFETCH(int, state);
    QFETCH(QRect, saved);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString ini = dir.filePath("numik.ini");
    IniWriteInteger(ini, "Okno", "State", earlierState);
    IniWriteInteger(ini, "Okno", "Left", 10);
    IniWriteInteger(ini, "Okno", "Top", 20);
    IniWriteInteger(ini, "Okno", "Width", 300);
    IniWriteInteger(ini, "Okno", "Height", 200);

    std::unique_ptr<QWidget> window(makeWindow({55, 66}, {342, 191}));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->setWindowState(Qt::WindowStates::fromInt(windowState));
    QTRY_COMPARE(int(window->windowState()), windowState);

    SaveWindowPlacement(window.get(), ini);

    QCOMPARE(IniReadInteger(ini, "Okno", "State", 0), state);
    QCOMPARE(IniReadInteger(ini, "Okno", "Left", 0), saved.left());
    QCOMPARE(IniReadInteger(ini, "Okno", "Top", 0), saved.top());
    QCOMPARE(IniReadInteger(ini, "Okno", "Width", 0), saved.width());
    QCOMPARE(IniReadInteger(ini, "Okno", "Height", 0), saved.height());
}

void TestWidgets::placementWriteFailure()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QWidget window;
    window.resize(342, 191);
    QVERIFY_THROWS_EXCEPTION(IniWriteError, SaveWindowPlacement(&window, dir.filePath("missing/numik.ini")));
}

void TestWidgets::centerOverForm_data()
{
    // outer sizes, frame included
    QTest::addColumn<QRect>("over");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<bool>("dialogShown");
    QTest::addColumn<QPoint>("position");

    QTest::newRow("even sizes") << QRect(100, 50, 346, 196) << QSize(200, 100) << true << QPoint(173, 98);
    QTest::newRow("odd sizes truncate") << QRect(100, 50, 347, 195) << QSize(101, 51) << true << QPoint(223, 122);
    QTest::newRow("dialog larger than the window") << QRect(10, 10, 200, 100) << QSize(401, 301) << true
                                                   << QPoint(-90, -90);
    QTest::newRow("dialog not shown yet") << QRect(300, 200, 346, 195) << QSize(120, 80) << false << QPoint(413, 257);
}

void TestWidgets::centerOverForm()
{
    QFETCH(QRect, over);
    QFETCH(QSize, dialog);
    QFETCH(bool, dialogShown);
    QFETCH(QPoint, position);

    if (m_frameMargins.isEmpty()) {
        QWidget probe;
        probe.resize(100, 100);
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));
        m_frameMargins = probe.frameGeometry().size() - probe.size();
    }

    std::unique_ptr<QWidget> main(makeWindow(over.topLeft(), over.size() - m_frameMargins));
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    QCOMPARE(main->frameGeometry(), over);

    std::unique_ptr<QWidget> box(makeWindow({0, 0}, dialog - m_frameMargins));
    if (dialogShown) {
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    }
    CenterOverForm(box.get(), main.get());
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));

    QTRY_COMPARE(box->frameGeometry(), QRect(position, dialog));
}

// ---- message box -----------------------------------------------------------------------------

void TestWidgets::messageBox_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("overDialog");

    QTest::newRow("warning") << int(MessageKind::Warning) << "Toto není přípustné číslo" << "Warning"
                             << int(QMessageBox::Warning) << false;
    QTest::newRow("error") << int(MessageKind::Error) << "Chyba v programu" << "Error" << int(QMessageBox::Critical)
                           << false;
    QTest::newRow("information") << int(MessageKind::Information) << "Seznam je prázdný" << "Information"
                                 << int(QMessageBox::Information) << false;
    QTest::newRow("confirmation") << int(MessageKind::Confirmation) << "Opravdu?" << "Confirm"
                                  << int(QMessageBox::Question) << false;
    QTest::newRow("markup shown as text") << int(MessageKind::Warning) << "<b>5</b> < 7" << "Warning"
                                          << int(QMessageBox::Warning) << false;
    QTest::newRow("over the active dialog") << int(MessageKind::Warning) << "Hodnota je mimo rozsah" << "Warning"
                                            << int(QMessageBox::Warning) << true;
}

void TestWidgets::messageBox()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(bool, overDialog);

    std::unique_ptr<QWidget> main(makeWindow({200, 150}, {342, 191}));
    auto *field = new TAMEdit(main.get());
    showAndActivate(main.get());
    // the focus in a child widget still puts the box over its window
    field->setFocus();
    std::unique_ptr<QWidget> dialog(makeWindow({500, 400}, {500, 300}));
    if (overDialog)
        showAndActivate(dialog.get());

    SeenBox seen;
    auto closer = closeMessageBox(seen);
    ShowMessageBox(text, MessageKind(kind));

    QVERIFY(closer.handled());
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.text, text);
    QCOMPARE(int(seen.icon), icon);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen.format, Qt::PlainText);
    const QRect over = (overDialog ? dialog : main)->frameGeometry();
    QCOMPARE(seen.frame.topLeft(), centredOver(over, seen.frame.size()));
}

void TestWidgets::guard_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");

    QTest::newRow("no exception") << 0 << QString() << QString();
    QTest::newRow("without a full stop") << 1 << "File not found" << "File not found.";
    QTest::newRow("with a full stop") << 1 << "Disk full." << "Disk full.";
    QTest::newRow("other punctuation") << 1 << "I/O error 7!" << "I/O error 7!.";
    QTest::newRow("not a standard exception") << 2 << QString() << "Unknown error.";
}

void TestWidgets::guard()
{
    QFETCH(int, failure);
    QFETCH(QString, message);
    QFETCH(QString, shown);

    SeenBox seen;
    auto closer = closeMessageBox(seen);
    bool finished = false;
    const bool ranToEnd = RunGuarded([&] {
        if (failure == 1)
            throw std::runtime_error(message.toStdString());
        if (failure == 2)
            throw 42;
        finished = true;
    });

    QCOMPARE(ranToEnd, failure == 0);
    QCOMPARE(finished, failure == 0);
    if (failure == 0) {
        QTest::qWait(100);
        QVERIFY(!QApplication::activeModalWidget());
        return;
    }
    QVERIFY(closer.handled());
    QCOMPARE(seen.title, QStringLiteral("Numik-Korvelanta"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.text, shown);
}

void TestWidgets::guardedSlot()
{
    TAMEdit field;
    SeenBox seen;
    {
        const auto throwText = [](const QString &text) { throw std::runtime_error(text.toStdString()); };
        const auto connection = QObject::connect(&field, &QLineEdit::textChanged, &field, Guarded(throwText));
        auto closer = closeMessageBox(seen);
        field.setText("Too many open files");
        QVERIFY(closer.handled());
        QCOMPARE(seen.text, QStringLiteral("Too many open files."));
        QObject::disconnect(connection);
    }
    // a slot without parameters on a signal with one
    QObject::connect(&field, &QLineEdit::textChanged, &field, Guarded([] { throw std::runtime_error("Disk full"); }));
    auto closer = closeMessageBox(seen);
    field.setText("x");
    QVERIFY(closer.handled());
    QCOMPARE(seen.text, QStringLiteral("Disk full."));
}

NUMIK_GUI_TEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
