#pragma once

// Helpers shared by the window tests.

#include "ui/app/plugins.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace testsupport {

// The exit code by which a test tells CTest that it was skipped.
inline constexpr int SkippedExitCode = 77;

// Window tests run headless unless a platform is chosen explicitly. On the xcb platform with no
// DISPLAY (CTest's xcb run clears it) the test takes the private X server NUMIK_TEST_DISPLAY,
// or is skipped when there is none.
inline void useOffscreenPlatformByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qgetenv("QT_QPA_PLATFORM") == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY")) {
        if (qEnvironmentVariableIsEmpty("NUMIK_TEST_DISPLAY")) {
            std::fputs("skipped: no X server in NUMIK_TEST_DISPLAY (scripts/test.sh starts one)\n", stderr);
            std::exit(SkippedExitCode);
        }
        qputenv("DISPLAY", qgetenv("NUMIK_TEST_DISPLAY"));
    }
}

// The tests run from the build tree, whose plugins lie beside the program, not beside them.
inline void useBuildTreePlugins()
{
#ifdef NUMIK_TEST_PLUGIN_DIR
    SetPluginDirectory(QStringLiteral(NUMIK_TEST_PLUGIN_DIR));
#endif
}

// Watches for the next modal dialog that opens above the one active now (if any), hands it to
// `inspect` and then closes it, unless `inspect` closed it itself. Start it before the call
// that blocks in the dialog; afterwards check handled(). When no dialog appears within the
// time-out the watcher gives up (and handled() stays false); a dialog that will not close
// is forced shut, so a test fails instead of hanging.
class ModalDialogCloser
{
public:
    using Inspector = std::function<void(QWidget *dialog)>;

    explicit ModalDialogCloser(Inspector inspect = {}, int timeoutMs = 5000)
        : m_state(std::make_shared<State>())
    {
        m_state->inspect = std::move(inspect);
        m_state->below = QApplication::activeModalWidget();
        m_state->deadline = QDeadlineTimer(timeoutMs);
        poll(m_state);
    }

    // The watch ends with the watcher, so that it never reaches into a later test.
    ~ModalDialogCloser() { m_state->finished = true; }
    ModalDialogCloser(const ModalDialogCloser &) = delete;
    ModalDialogCloser &operator=(const ModalDialogCloser &) = delete;

    bool handled() const { return m_state->handled; }

private:
    struct State
    {
        Inspector inspect;
        QPointer<QWidget> below;
        QDeadlineTimer deadline;
        bool handled = false;
        bool finished = false;
    };

    static void poll(const std::shared_ptr<State> &state)
    {
        QTimer::singleShot(20, [state] {
            if (state->finished)
                return;
            QWidget *dialog = QApplication::activeModalWidget();
            if (dialog && dialog != state->below && dialog->isVisible()) {
                state->finished = true;
                state->handled = true;
                QPointer<QWidget> guard(dialog);
                if (state->inspect)
                    state->inspect(dialog);
                if (guard && guard->isVisible())
                    close(guard);
                return;
            }
            if (state->deadline.hasExpired()) {
                state->finished = true;
                return;
            }
            poll(state);
        });
    }

    static void close(QWidget *dialog)
    {
        if (auto *box = qobject_cast<QDialog *>(dialog))
            box->reject();
        else
            dialog->close();
    }

    std::shared_ptr<State> m_state;
};

// Types text into a widget one character at a time with key events that carry the text, as a
// keyboard does; QTest::keyClicks cannot send characters outside ASCII.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        const QChar upper = ch.toUpper();
        const int key = upper.unicode() <= 0xff ? upper.unicode() : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace testsupport

// main() for a Qt Test of windows: the offscreen platform unless another is chosen, then what
// QTEST_MAIN does for a widget test.
#define NUMIK_GUI_TEST_MAIN(TestObject)                                                             \
    int main(int argc, char *argv[])                                                                \
    {                                                                                               \
        testsupport::useOffscreenPlatformByDefault();                                               \
        QApplication app(argc, argv);                                                               \
        testsupport::useBuildTreePlugins();                                                         \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                    \
        TestObject tc;                                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                                  \
        return QTest::qExec(&tc, argc, argv);                                                       \
    }
