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
#include <QScopeGuard>

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

void TFZaklad::DEMenuRezim(const MenuAccess &access)
{
    m_menu->MMoznosti->menuAction()->setEnabled(access.optionsMenu);
    m_menu->MChybneVysl->menuAction()->setEnabled(access.wrongResultsMenu);
    m_menu->MInfo->menuAction()->setEnabled(access.info);
    m_client->enableOperationSwitches(access.switches);
    m_menu->MPapir->menuAction()->setEnabled(access.sheets);
}

void TFZaklad::MRezimClick()
{
    const bool settings = m_flow->run().mode == PracticeMode::Nastaveni;
    m_menu->MRNastaveni->setChecked(settings);
    m_menu->MRVyuka->setChecked(!settings);
    m_menu->MRHeslo->setEnabled(AccessInMode(m_flow->run().mode, m_flow->settings()).password);
}

void TFZaklad::MRVyukaClick()
{
    if (m_flow->run().mode != PracticeMode::Vyuka)
        m_flow->NastavRezim(PracticeMode::Vyuka);
    MRezimClick(); // the click toggled the check mark; it shows the mode in force instead
}

void TFZaklad::MRNastaveniClick()
{
    if (m_flow->run().mode != PracticeMode::Nastaveni && JeHesloOK())
        m_flow->NastavRezim(PracticeMode::Nastaveni);
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
    m_flow->PauseCasLimit(true);
    const auto resume = qScopeGuard([this] { m_flow->PauseCasLimit(false); });
    TFRozsah dialog(*m_flow, m_generator.random(), this);
    CenterOverForm(&dialog, this);
    dialog.exec(); // OK hands the values to the flow
}
