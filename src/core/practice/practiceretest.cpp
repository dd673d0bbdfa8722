// The re-test of the practice: the stored exercises of the re-test file posed again one after
// another, each answered right leaving the file.

#include "core/practice/practiceflow.h"

#include "core/records/recordfiletoolarge.h"
#include "core/records/wrongresults.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

void PracticeFlow::startRetest()
{
    // what waits for the re-test file goes in first, if it can
    m_pending->writeNow();
    if (const qint64 size = QFileInfo(m_files.retestFile).size(); size > RecordRewriteLimit) {
        m_view.showMessage(RecordFileTooLarge(m_files.retestFile, size).text(), NoticeKind::Information);
        return;
    }
    if (CountWrongResults(m_files.retestFile) == 0) {
        m_view.showMessage(QStringLiteral("Nejsou žádné chybné výsledky"), NoticeKind::Information);
        return;
    }
    DeleteRecordFile(m_files.wrongResultsFile);
    m_pending->dropWaitingWrongResults();
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
        m_removalOnHand = true;
        ++m_removalsWaiting;
        m_pending->removeFromRetest(m_retestIndex, m_retestRecord);
        // A removal that has to wait leaves the record in its place for now, so the next one
        // is one further on; it moves the place back once it is done (retestRecordRemoved).
        if (std::exchange(m_removalOnHand, false))
            ++m_retestIndex;
    }
    --m_retestIndex;
    DalsiPrikladPrz();
}

void PracticeFlow::retestRecordRemoved(qint32 position)
{
    // removals are done in the order they were asked for, so the one on hand is the last
    m_removalsWaiting = std::max(m_removalsWaiting - 1, 0);
    if (m_removalOnHand && m_removalsWaiting == 0) {
        m_removalOnHand = false;
        if (position > 0)
            m_retestIndex = position; // the run goes on from the place the record had
        else if (position < 0)
            ++m_retestIndex; // it keeps its place: the next one is one further on
    } else if (m_retestActive && position > 0 && position <= m_retestIndex) {
        --m_retestIndex;
    }
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
