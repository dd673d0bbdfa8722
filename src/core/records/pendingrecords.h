#pragma once

#include "core/records/recordfiles.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <list>

// Every change the practice makes to the record files, kept in the order it came until it is
// written: the misses, the re-test's removals and the evaluations. A busy lock or a slow server
// never costs an answer and never holds the window up: a change is written at once only when
// nothing waits before it in its file and the file's lock is free at the first try; otherwise it
// waits here and is written at the next change, on a timer whose pause grows from 10 ms to
// 500 ms, or at close. Each file keeps its own order; a file that cannot be written holds up no
// other. What still cannot be written at close goes into the pending file beside the record
// files (nezapsano.nmk), which the next start of any copy writes in.
class PendingRecords : public QObject
{
    Q_OBJECT

public:
    enum class Target : quint8 { RetestFile = 1, WrongResultsFile = 2 };

    // The history file's historie.csv is the one beside it.
    PendingRecords(const QString &retestFile, const QString &wrongResultsFile, const QString &historyFile,
                   QObject *parent = nullptr);
    // Saves what is left as saveForNextStart() does, silently.
    ~PendingRecords() override;

    static QString pendingFileBeside(const QString &recordFile);
    QString pendingFile() const { return m_pendingFile; }
    qsizetype count() const { return qsizetype(m_entries.size()); }

    void add(Target target, const WrongResultRecord &record);
    // The re-test's removal of the answered record (see DeleteWrongResult); retestRecordRemoved
    // tells when it is done, at once or later.
    void removeFromRetest(qint32 index, const WrongResultRecord &answered);
    // The evaluation goes first into the history file and as a row into historie.csv.
    void addEvaluation(const EvaluationRecord &record);
    // The wrong-results file has just been removed: the misses still waiting for it went with it.
    void dropWaitingWrongResults();
    // Tries once to write what waits; true when nothing waits any more.
    bool writeNow();
    // Takes over the changes an earlier copy left in the pending file (the file goes) and writes
    // what it can. A pending file that cannot be taken over now stays for a later start.
    void takeOverPendingFile();
    // Tries once more, then puts what is left into the pending file. Throws InOutError when even
    // that cannot be written; the changes then stay here.
    void saveForNextStart();

signals:
    // Once per spell of changes that cannot be written: a Czech notice for the pupil and teacher.
    // Also a removal refused for good (a file too large to be rewritten), which is then dropped.
    void stalled(const QString &notice);
    // A removal from the re-test file is done: the position the record had, 0 when it was gone,
    // -1 when the file is too large to be rewritten and the record stays.
    void retestRecordRemoved(qint32 position);

private:
    // The byte that marks an entry in the pending file, and the file it changes.
    enum class Kind : quint8 {
        RetestAppend = 1,
        WrongResultsAppend = 2,
        RetestRemoval = 3,
        Evaluation = 4, // the history file
        HistoryRow = 5, // historie.csv
    };
    struct Entry
    {
        Kind kind;
        WrongResultRecord record; // the appended or removed record
        qint32 index = 0; // where a removal starts looking
        EvaluationRecord evaluation;
        bool ofThisRun = true; // a removal taken over from the pending file is not told about
    };

    void enqueue(const Entry &entry);
    // Writes what it can, each file from its front; false when something had to stay.
    bool writeWaiting();
    // Writes the entries of one file from its first on; false when one had to stay.
    bool writeFile(int file);
    void writeFront(int file, std::list<Entry>::iterator first);
    void retryLater();
    QString pathOf(int file) const;
    static int fileOf(Kind kind);
    static QByteArray encode(const Entry &entry);

    QString m_files[4];
    QString m_pendingFile;
    std::list<Entry> m_entries;
    QTimer m_retry;
    qint64 m_pauseMs = 0;
    QElapsedTimer m_waiting; // since something first had to stay
    bool m_noticeGiven = false;
};
