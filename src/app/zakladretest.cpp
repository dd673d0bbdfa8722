// The main window's wrong results and their re-test, the history viewer and the About window.

#include "app/messagebox.h"
#include "app/soundplayer.h"
#include "app/zaklad.h"
#include "generator/amedit.h"
#include "records/chybvysl.h"
#include "records/histdh.h"
#include "records/mabout.h"
#include "records/wrongresults.h"
#include "settings/windowplacement.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>

namespace {

// The countdown stands still while a window is open, unless the pupil's access lets it run, and
// goes on when the window closes, also when an error cut the action short.
class CountdownPause
{
public:
    CountdownPause(TFZaklad &window, bool pause) : m_window(window)
    {
        if (pause)
            m_window.PauseCasLimit(true);
    }
    ~CountdownPause() { m_window.PauseCasLimit(false); }
    CountdownPause(const CountdownPause &) = delete;
    CountdownPause &operator=(const CountdownPause &) = delete;

private:
    TFZaklad &m_window;
};

bool keepsRunning(qint32 access)
{
    return access == qint32(TeachingAccess::PermittedRunning);
}

} // namespace

void TFZaklad::wireRecordMenus()
{
    const auto action = [this](const char *name) { return findChild<QAction *>(QString::fromLatin1(name)); };
    connect(findChild<QMenu *>(QStringLiteral("MChybneVysl")), &QMenu::aboutToShow, this,
            Guarded([this] { MChybneVyslClick(); }));
    connect(action("MChZobra"), &QAction::triggered, this, Guarded([this] { MChZobraClick(); }));
    connect(action("MChPrezkouset"), &QAction::triggered, this, Guarded([this] { MChPrezkousetClick(); }));
    connect(MMHDH, &QAction::triggered, this, Guarded([this] { MMHDHClick(); }));
    connect(action("MIAbout"), &QAction::triggered, this, Guarded([this] { MIAboutClick(); }));
}

void TFZaklad::MChybneVyslClick()
{
    // a re-test is started in the settings mode only; the pupil may at most look
    const bool teaching = m_settings.mode != qint32(PracticeMode::Nastaveni);
    auto *menu = findChild<QMenu *>(QStringLiteral("MChybneVysl"));
    for (QAction *item : menu->actions())
        item->setEnabled(!teaching || item->objectName() == QLatin1String("MChZobra"));
}

void TFZaklad::MChZobraClick()
{
    const CountdownPause pause(*this, !keepsRunning(m_settings.wrongResultsAccess));
    TFChyba viewer(m_wrongResultsFile, this);
    if (viewer.recordCount() == 0) {
        ShowMessageBox(QStringLiteral("Nejsou žádné chybné výsledky."), MessageKind::Information);
        return;
    }
    CenterOverForm(&viewer, this);
    viewer.exec();
}

void TFZaklad::MChPrezkousetClick()
{
    if (CountWrongResults(m_retestFile) == 0) {
        ShowMessageBox(QStringLiteral("Nejsou žádné chybné výsledky"), MessageKind::Information);
        return;
    }
    m_switchesBeforeRetest = operationSwitches();
    m_soundBeforeRetest = m_settings.soundOn;
    DeleteRecordFile(m_wrongResultsFile);
    m_session->DilciHodnoceni(true); // what was answered before the re-test
    m_retestActive = true;
    m_retestIndex = 0;
    m_session->NulujOkChyba(PartialCount::Ok);
    m_session->NulujOkChyba(PartialCount::Chyba);
    DalsiPrikladPrz();
    NastavRezim(qint32(PracticeMode::Vyuka));
}

void TFZaklad::DalsiPrikladPrz()
{
    const std::optional<WrongResultRecord> record = NextRetestRecord(m_retestFile, m_retestIndex);
    if (!record) {
        endRetest();
        return;
    }
    const bool fresh = m_freshExercise; // a stored exercise is not a fresh one, and leaves the flag alone
    showExercise(ExerciseFromRecord(*record));
    m_freshExercise = fresh;
    m_retestSerial = m_exerciseSerial;
    m_retestRecord = *record;
    // each stored exercise is timed with the limit it had; the end of the re-test restores the setting
    m_settings.timeLimitSeconds = record->TimeLimit;
    NulujNastavInfoCasLimit();
}

void TFZaklad::retestAnsweredRight()
{
    // Only the stored exercise that was answered leaves the file. Should anything have put
    // another exercise on screen meanwhile, the stored one is posed again instead. Another copy
    // re-testing the same file may have moved or removed the answered record: it is found by
    // its contents, and the run goes on from the place it had.
    if (m_retestSerial == m_exerciseSerial) {
        if (const qint32 removedAt = DeleteWrongResult(m_retestFile, m_retestIndex, m_retestRecord))
            m_retestIndex = removedAt;
    }
    --m_retestIndex;
    DalsiPrikladPrz();
}

void TFZaklad::retestTimedOut()
{
    // the timed-out exercise keeps its place in the file and the next one follows
    if (m_retestSerial != m_exerciseSerial)
        --m_retestIndex;
    DalsiPrikladPrz();
}

void TFZaklad::endRetest()
{
    TCasLimit->stop();
    ShowMessageBox(QStringLiteral("Všechny chybné výsledky přezkoušeny"), MessageKind::Information);
    m_retestActive = false;
    m_newExercisePending = false; // the fresh exercise below is the one a changed setting asked for
    m_session->DilciHodnoceni(true); // the answers given during the re-test
    // The reload undoes the time limits taken from the records. The switches and the sound are
    // the teacher's as the re-test found them: the file holds them only as of the last exit.
    reloadFromIni();
    setSwitchesAndSound(m_switchesBeforeRetest, m_soundBeforeRetest);
    DalsiPriklad(); // the mode stays the teaching mode
}

void TFZaklad::MMHDHClick()
{
    const CountdownPause pause(*this, !keepsRunning(m_settings.historyAccess));
    if (CountEvaluations(m_historyFile) == 0) {
        ShowMessageBox(QStringLiteral("Nejsou uložena žádná dílčí hodnocení v historii."), MessageKind::Information);
        return;
    }
    TFHDH history(m_historyFile, m_iniFile, m_localClock().date(), this);
    CenterOverForm(&history, this);
    history.exec();
}

void TFZaklad::MIAboutClick()
{
    const CountdownPause pause(*this, true);
    TFMAbout about(this);
    CenterOverForm(&about, this);
    about.exec();
}
