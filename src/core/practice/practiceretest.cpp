// The re-test of the practice: the stored exercises of the re-test file posed again one after
// another, each answered right leaving the file.

#include "core/practice/practiceflow.h"

#include "core/records/wrongresults.h"

void PracticeFlow::startRetest()
{
    if (CountWrongResults(m_files.retestFile) == 0) {
        m_view.showMessage(QStringLiteral("Nejsou žádné chybné výsledky"), NoticeKind::Information);
        return;
    }
    DeleteRecordFile(m_files.wrongResultsFile);
    evaluate(true); // what was answered before the re-test
    m_retestActive = true;
    m_retestIndex = 0;
    m_session->NulujOkChyba(PartialCount::Ok);
    m_session->NulujOkChyba(PartialCount::Chyba);
    DalsiPrikladPrz();
    NastavRezim(PracticeMode::Vyuka);
}

void PracticeFlow::DalsiPrikladPrz()
{
    const std::optional<WrongResultRecord> record = NextRetestRecord(m_files.retestFile, m_retestIndex);
    if (!record) {
        endRetest();
        return;
    }
    const bool fresh = m_freshExercise; // a stored exercise is not a fresh one, and leaves the flag alone
    showExercise(ExerciseFromRecord(*record));
    m_freshExercise = fresh;
    m_retestSerial = m_exerciseSerial;
    m_retestRecord = *record;
    // each stored exercise is timed with the limit it had; the teacher's is in force again at the end
    m_run.timeLimitSeconds = record->TimeLimit;
    NulujNastavInfoCasLimit();
}

void PracticeFlow::retestAnsweredRight()
{
    // Only the stored exercise that was answered leaves the file. Should anything have put
    // another exercise on screen meanwhile, the stored one is posed again instead. Another copy
    // re-testing the same file may have moved or removed the answered record: it is found by
    // its contents, and the run goes on from the place it had.
    if (m_retestSerial == m_exerciseSerial) {
        if (const qint32 removedAt = DeleteWrongResult(m_files.retestFile, m_retestIndex, m_retestRecord))
            m_retestIndex = removedAt;
    }
    --m_retestIndex;
    DalsiPrikladPrz();
}

void PracticeFlow::retestTimedOut()
{
    // the timed-out exercise keeps its place in the file and the next one follows
    if (m_retestSerial != m_exerciseSerial)
        --m_retestIndex;
    DalsiPrikladPrz();
}

void PracticeFlow::endRetest()
{
    m_view.stop();
    m_view.showMessage(QStringLiteral("Všechny chybné výsledky přezkoušeny"), NoticeKind::Information);
    m_retestActive = false;
    m_newExercisePending = false; // the fresh exercise below is the one a changed setting asked for
    evaluate(true); // the answers given during the re-test
    m_run.timeLimitSeconds = m_settings.timeLimitSeconds;
    DalsiPriklad(); // the mode stays the teaching mode
}
