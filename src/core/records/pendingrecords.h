#pragma once

#include "core/records/recordfiles.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>

// The misses the practice has recorded but could not write yet, kept in the order they came.
// A busy lock or a slow server never costs an answer and never holds the window up: a record is
// written at once only when nothing waits before it and its file's lock is free at the first
// try; otherwise it waits here and is written at the next record, on a timer whose pause grows
// from 10 ms to 500 ms, or at close. What still cannot be written at close goes into the
// pending file beside the record files (nezapsano.nmk), which the next start of any copy writes in.
class PendingRecords : public QObject
{
    Q_OBJECT

public:
    enum class Target : quint8 { RetestFile = 1, WrongResultsFile = 2 };

    PendingRecords(const QString &retestFile, const QString &wrongResultsFile, QObject *parent = nullptr);
    // Saves what is left as saveForNextStart() does, silently.
    ~PendingRecords() override;

    static QString pendingFileBeside(const QString &recordFile);
    QString pendingFile() const { return m_pendingFile; }
    qsizetype count() const { return qsizetype(m_entries.size()); }

    void add(Target target, const WrongResultRecord &record);
    // Takes over the records an earlier copy left in the pending file (the file goes) and writes
    // what it can. A pending file that cannot be taken over now stays for a later start.
    void takeOverPendingFile();
    // Tries once more, then puts what is left into the pending file. Throws InOutError when even
    // that cannot be written; the records then stay here.
    void saveForNextStart();

signals:
    // Once per spell of records that cannot be written: a Czech notice for the pupil and teacher.
    void stalled(const QString &notice);

private:
    struct Entry
    {
        Target target;
        WrongResultRecord record;
    };
    static constexpr int EntrySize = 1 + WrongResultRecord::Size;

    // Writes from the front while the files take records; false when one had to stay.
    bool writeWaiting();
    void retryLater();
    QString pathOf(Target target) const;

    QString m_retestFile;
    QString m_wrongResultsFile;
    QString m_pendingFile;
    std::deque<Entry> m_entries;
    QTimer m_retry;
    qint64 m_pauseMs = 0;
    QElapsedTimer m_waiting; // since the front record first failed
    bool m_noticeGiven = false;
};
