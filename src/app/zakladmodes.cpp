// The two modes of the main window, the teacher's password and the settings dialog.

#include "app/messagebox.h"
#include "app/zaklad.h"
#include "settings/heslo.h"
#include "settings/inifile.h"
#include "settings/rozsah.h"
#include "settings/windowplacement.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>

namespace {

const QString PasswordSection = QStringLiteral("Heslo");
const QString PasswordKey = QStringLiteral("hodnota");

} // namespace

void TFZaklad::wireModes()
{
    const auto action = [this](const char *name) { return findChild<QAction *>(QString::fromLatin1(name)); };
    connect(findChild<QMenu *>(QStringLiteral("MRezim")), &QMenu::aboutToShow, this, Guarded([this] { MRezimClick(); }));
    connect(action("MRNastaveni"), &QAction::triggered, this, Guarded([this] { MRNastaveniClick(); }));
    connect(action("MRVyuka"), &QAction::triggered, this, Guarded([this] { MRVyukaClick(); }));
    connect(action("MRHeslo"), &QAction::triggered, this, Guarded([this] { MRHesloClick(); }));
    connect(MMRozsah, &QAction::triggered, this, Guarded([this] { MMRozsahClick(); }));
}

void TFZaklad::NastavRezim(qint32 mode)
{
    if (mode == qint32(PracticeMode::Nastaveni)) {
        m_settings.mode = mode;
        PauseCasLimit(true);
        DEMenuRezim(true);
        return;
    }
    m_settings.mode = qint32(PracticeMode::Vyuka);
    PauseCasLimit(false);
    DEMenuRezim(false);
    // A re-test must keep its stored exercise on screen, since a right answer deletes that
    // record; the flag waits until the re-test is over.
    if (m_newExercisePending && !m_retestActive) {
        m_newExercisePending = false;
        DalsiPriklad();
    }
}

void TFZaklad::DEMenuRezim(bool enabled)
{
    const auto menu = [this](const char *name) { return findChild<QMenu *>(QString::fromLatin1(name))->menuAction(); };
    QAction *options = MMoznosti->menuAction();
    QAction *wrongResults = menu("MChybneVysl");
    options->setEnabled(enabled);
    wrongResults->setEnabled(enabled);
    // what the teacher permits, read at the moment of the switch
    if (!enabled && m_settings.historyAccess != qint32(TeachingAccess::NotPermitted))
        options->setEnabled(true);
    if (!enabled && m_settings.wrongResultsAccess != qint32(TeachingAccess::NotPermitted))
        wrongResults->setEnabled(true);
    menu("MInfo")->setEnabled(enabled);
    for (QCheckBox *box : {ChBPlus, ChBMinus, ChBKrat, ChBDeleni})
        box->setEnabled(enabled);
    menu("MPapir")->setEnabled(enabled);
}

void TFZaklad::MRezimClick()
{
    QAction *settingsMode = findChild<QAction *>(QStringLiteral("MRNastaveni"));
    QAction *teachingMode = findChild<QAction *>(QStringLiteral("MRVyuka"));
    QAction *password = findChild<QAction *>(QStringLiteral("MRHeslo"));
    const bool settings = m_settings.mode == qint32(PracticeMode::Nastaveni);
    settingsMode->setChecked(settings);
    teachingMode->setChecked(!settings);
    // the password can be changed only in the settings mode
    password->setEnabled(settings);
}

void TFZaklad::MRVyukaClick()
{
    if (m_settings.mode != qint32(PracticeMode::Vyuka))
        NastavRezim(qint32(PracticeMode::Vyuka));
    MRezimClick(); // the click toggled the check mark; it shows the mode in force instead
}

void TFZaklad::MRNastaveniClick()
{
    if (m_settings.mode != qint32(PracticeMode::Nastaveni) && JeHesloOK())
        NastavRezim(qint32(PracticeMode::Nastaveni));
    MRezimClick();
}

QString TFZaklad::DejHesloZIni() const
{
    return IniReadString(m_iniFile, PasswordSection, PasswordKey, QString());
}

bool TFZaklad::JeHesloOK()
{
    const QString stored = DejHesloZIni();
    if (stored.isEmpty())
        return true;
    TFHeslo dialog(true, this);
    CenterOverForm(&dialog, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // exactly as stored: letter case and blanks at both ends count
    return dialog.password() == stored;
}

void TFZaklad::MRHesloClick()
{
    if (!DejHesloZIni().isEmpty() && !JeHesloOK())
        return;
    TFHeslo dialog(false, this);
    dialog.setWindowTitle(QStringLiteral("Zadej nové heslo"));
    CenterOverForm(&dialog, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // in double quotes, so that blanks at its ends survive; an empty text removes the password
    IniWriteString(m_iniFile, PasswordSection, PasswordKey, u'"' + dialog.password() + u'"');
}

void TFZaklad::MMRozsahClick()
{
    // during a re-test the limit in memory is the re-tested exercise's; the dialog shows and
    // saves the configured one, so that is the one to compare with
    const qint32 limitBefore = m_retestActive
                                   ? IniReadInteger(m_iniFile, QStringLiteral("CasLimit"), QStringLiteral("hodnota"), 0)
                                   : m_settings.timeLimitSeconds;
    PauseCasLimit(true);
    bool accepted = false;
    bool rangesTouched = false;
    bool limitChanged = false;
    {
        TFRozsah dialog(m_settings, m_iniFile, m_generator.random(), m_retestActive, this);
        CenterOverForm(&dialog, this);
        accepted = dialog.exec() == QDialog::Accepted;
        rangesTouched = dialog.rangesTouched();
        limitChanged = dialog.timeLimitTouched() && dialog.timeLimitValue() != limitBefore;
    }
    if (accepted) {
        if (rangesTouched && !m_retestActive)
            m_newExercisePending = true;
        if (limitChanged)
            m_newExercisePending = true;
    }
    PauseCasLimit(false);
}
