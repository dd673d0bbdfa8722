#pragma once

// What the tests of the main window share: a temporary program directory, a window started in
// it, and the pupil's way of answering.

#include "testsupport.h"
#include "ui/widgets/amedit.h"
#include "ui/practice/zaklad.h"

#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

namespace testsupport {

inline QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What a message box showed, read from within the box before it is closed.
struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

inline ModalDialogCloser::Inspector recordBox(SeenBox &seen)
{
    return [&seen](QWidget *dialog) {
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
        }
    };
}

class MainWindowFixture
{
public:
    MainWindowFixture() : m_dir(std::make_unique<QTemporaryDir>()) {}

    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    QString directory() const { return m_dir->path(); }

    void writeIni(const QByteArray &text) const
    {
        QFile f(path("numik.ini"));
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
            qFatal("cannot write the settings file");
    }

    // The window as the program starts it, with the feedback pause cut to nothing.
    std::unique_ptr<TFZaklad> startWindow() const
    {
        auto w = std::make_unique<TFZaklad>(m_dir->path());
        w->setFeedbackPause(std::chrono::milliseconds(0));
        w->show();
        return w;
    }

    template<class T>
    static T *child(TFZaklad &w, const char *name)
    {
        return w.findChild<T *>(QString::fromLatin1(name));
    }

    static QString panel(TFZaklad &w, int n)
    {
        return w.findChild<QLabel *>(QStringLiteral("SBPanel%1").arg(n))->text();
    }

    // The field of the hidden number: the one number field that is not read-only.
    static TAMEdit *answerField(TFZaklad &w)
    {
        for (const char *name : {"ECislo1", "ECislo2", "EVysledek"}) {
            if (!child<TAMEdit>(w, name)->isReadOnly())
                return child<TAMEdit>(w, name);
        }
        return nullptr;
    }

    // Types the text into the hidden number's field and presses Enter.
    static void answer(TFZaklad &w, const QString &text)
    {
        TAMEdit *field = answerField(w);
        if (!field)
            qFatal("no field takes an answer");
        field->clear();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

} // namespace testsupport
