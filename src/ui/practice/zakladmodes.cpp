// The two modes of the main window, the teacher's password and the settings dialog.

#include "core/settings/inifile.h"
#include "ui/messages/messagebox.h"
#include "ui/practice/zaklad.h"
#include "ui/practice/zakladclient.h"
#include "ui/practice/zakladmenubar.h"
#include "ui/settings/heslo.h"
#include "ui/settings/rozsah.h"
#include "ui/settings/windowplacement.h"

#include <QAction>
#include <QMenu>

namespace {

const QString PasswordSection = QStringLiteral("Heslo");
const QString PasswordKey = QStringLiteral("hodnota");

} // namespace

void TFZaklad::wireModes()
{
    connect(m_menu->MRezim, &QMenu::aboutToShow, this, Guarded([this] { MRezimClick(); }));
    connect(m_menu->MRNastaveni, &QAction::triggered, this, Guarded([this] { MRNastaveniClick(); }));
    connect(m_menu->MRVyuka, &QAction::triggered, this, Guarded([this] { MRVyukaClick(); }));
    connect(m_menu->MRHeslo, &QAction::triggered, this, Guarded([this] { MRHesloClick(); }));
    connect(m_menu->MMRozsah, &QAction::triggered, this, Guarded([this] { MMRozsahClick(); }));
}

void TFZaklad::DEMenuRezim(bool enabled)
{
    QAction *options = m_menu->MMoznosti->menuAction();
    QAction *wrongResults = m_menu->MChybneVysl->menuAction();
    options->setEnabled(enabled);
    wrongResults->setEnabled(enabled);
    // what the teacher permits, read at the moment of the switch
    if (!enabled && m_settings.historyAccess != qint32(TeachingAccess::NotPermitted))
        options->setEnabled(true);
    if (!enabled && m_settings.wrongResultsAccess != qint32(TeachingAccess::NotPermitted))
        wrongResults->setEnabled(true);
    m_menu->MInfo->menuAction()->setEnabled(enabled);
    m_client->enableOperationSwitches(enabled);
    m_menu->MPapir->menuAction()->setEnabled(enabled);
}

void TFZaklad::MRezimClick()
{
    const bool settings = m_settings.mode == qint32(PracticeMode::Nastaveni);
    m_menu->MRNastaveni->setChecked(settings);
    m_menu->MRVyuka->setChecked(!settings);
    // the password can be changed only in the settings mode
    m_menu->MRHeslo->setEnabled(settings);
}

void TFZaklad::MRVyukaClick()
{
    if (m_settings.mode != qint32(PracticeMode::Vyuka))
        m_flow->NastavRezim(qint32(PracticeMode::Vyuka));
    MRezimClick(); // the click toggled the check mark; it shows the mode in force instead
}

void TFZaklad::MRNastaveniClick()
{
    if (m_settings.mode != qint32(PracticeMode::Nastaveni) && JeHesloOK())
        m_flow->NastavRezim(qint32(PracticeMode::Nastaveni));
    MRezimClick();
}

QString TFZaklad::DejHesloZIni() const
{
    return IniReadString(m_files.iniFile, PasswordSection, PasswordKey, QString());
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
    IniWriteString(m_files.iniFile, PasswordSection, PasswordKey, u'"' + dialog.password() + u'"');
}

void TFZaklad::MMRozsahClick()
{
    // during a re-test the limit in memory is the re-tested exercise's; the dialog shows and
    // saves the configured one, so that is the one to compare with
    const bool retest = m_flow->RetestActive();
    const qint32 limitBefore = retest
                                   ? IniReadInteger(m_files.iniFile, QStringLiteral("CasLimit"), QStringLiteral("hodnota"), 0)
                                   : m_settings.timeLimitSeconds;
    m_flow->PauseCasLimit(true);
    bool accepted = false;
    bool rangesTouched = false;
    bool limitChanged = false;
    {
        TFRozsah dialog(m_settings, m_files.iniFile, m_generator.random(), retest, this);
        CenterOverForm(&dialog, this);
        accepted = dialog.exec() == QDialog::Accepted;
        rangesTouched = dialog.rangesTouched();
        limitChanged = dialog.timeLimitTouched() && dialog.timeLimitValue() != limitBefore;
    }
    if (accepted)
        m_flow->settingsAccepted(rangesTouched, limitChanged);
    m_flow->PauseCasLimit(false);
}
