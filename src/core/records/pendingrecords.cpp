#include "core/records/pendingrecords.h"

#include "core/records/datafiles.h"
#include "core/records/historycsv.h"
#include "core/records/ioerror.h"
#include "core/records/recordfiletoolarge.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace {

constexpr qint64 FirstRetryMs = 10;
constexpr qint64 LastRetryMs = 500;
// A pending file larger than this is nothing a copy of the program left: it is not taken over.
constexpr qint64 PendingFileLimit = 4 * 1024 * 1024;
constexpr auto TryOnce = RecordFileHandle::LockWait::TryOnce;

// the files in the order of m_files
enum File { Retest, WrongResults, History, HistoryCsv, FileCount };

QString noticeFor(const QString &path, const InOutError &error)
{
    return QStringLiteral("Odpovědi se teď nedaří uložit do souboru %1 (%2). Program si je pamatuje a uloží je, "
                          "jakmile to půjde; co nestihne do ukončení, uloží při dalším spuštění.")
        .arg(QFileInfo(path).fileName(), error.text());
}

} // namespace

PendingRecords::PendingRecords(const QString &retestFile, const QString &wrongResultsFile, const QString &historyFile,
                               QObject *parent)
    : QObject(parent)
    , m_files{retestFile, wrongResultsFile, historyFile, HistoryCsvPathBeside(historyFile)}
    , m_pendingFile(pendingFileBeside(retestFile))
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        // nothing may escape into the event loop; a change that could not be written stays
        try {
            if (!writeWaiting())
                retryLater();
        } catch (...) {
            retryLater();
        }
    });
}

PendingRecords::~PendingRecords()
{
    try {
        saveForNextStart();
    } catch (...) {
        // the window is gone; close() has already told what could not be saved
    }
}

QString PendingRecords::pendingFileBeside(const QString &recordFile)
{
    return DataFile::In(QFileInfo(recordFile).path(), DataFile::Pending);
}

QString PendingRecords::pathOf(int file) const
{
    return m_files[file];
}

int PendingRecords::fileOf(Kind kind)
{
    switch (kind) {
    case Kind::RetestAppend:
    case Kind::RetestRemoval:
        return Retest;
    case Kind::WrongResultsAppend:
        return WrongResults;
    case Kind::Evaluation:
        return History;
    case Kind::HistoryRow:
        break;
    }
    return HistoryCsv;
}

void PendingRecords::add(Target target, const WrongResultRecord &record)
{
    enqueue({target == Target::RetestFile ? Kind::RetestAppend : Kind::WrongResultsAppend, record, 0, {}});
}

void PendingRecords::removeFromRetest(qint32 index, const WrongResultRecord &answered)
{
    enqueue({Kind::RetestRemoval, answered, index, {}});
}

void PendingRecords::addEvaluation(const EvaluationRecord &record)
{
    m_entries.push_back({Kind::Evaluation, {}, 0, record});
    enqueue({Kind::HistoryRow, {}, 0, record});
}

void PendingRecords::dropWaitingWrongResults()
{
    m_entries.remove_if([](const Entry &entry) { return entry.kind == Kind::WrongResultsAppend; });
}

void PendingRecords::enqueue(const Entry &entry)
{
    m_entries.push_back(entry);
    if (!writeWaiting() && !m_retry.isActive())
        retryLater();
}

bool PendingRecords::writeNow()
{
    return writeWaiting();
}

bool PendingRecords::writeWaiting()
{
    bool written = true;
    for (int file = 0; file < FileCount; ++file)
        written = writeFile(file) && written;
    if (!written)
        return false;
    m_waiting.invalidate();
    m_pauseMs = 0;
    m_noticeGiven = false;
    return true;
}

bool PendingRecords::writeFile(int file)
{
    for (;;) {
        const auto first = std::find_if(m_entries.begin(), m_entries.end(),
                                        [file](const Entry &entry) { return fileOf(entry.kind) == file; });
        if (first == m_entries.end())
            return true;
        try {
            writeFront(file, first);
        } catch (const RecordFileTooLarge &error) {
            // it will not shrink by waiting: the removal is given up, and the teacher told why
            const bool tell = first->ofThisRun;
            m_entries.erase(first);
            emit stalled(error.text());
            if (tell)
                emit retestRecordRemoved(-1);
        } catch (const InOutError &error) {
            if (!m_waiting.isValid())
                m_waiting.start();
            // a busy lock is a pupil at another computer: only a wait longer than the usual one
            // is worth a word; anything else is told at once
            const bool busy = error.code() == RecordFileHandle::LockTimeoutCode;
            if (!m_noticeGiven && (!busy || m_waiting.hasExpired(RecordFileHandle::lockTimeout().count()))) {
                m_noticeGiven = true;
                emit stalled(noticeFor(pathOf(file), error));
            }
            return false;
        }
    }
}

void PendingRecords::writeFront(int file, std::list<Entry>::iterator first)
{
    const QString path = pathOf(file);
    switch (first->kind) {
    case Kind::RetestAppend:
    case Kind::WrongResultsAppend: {
        // the appends up to this file's next change of another kind go in with one lock and one write
        QList<WrongResultRecord> records;
        auto end = first;
        for (; end != m_entries.end(); ++end) {
            if (fileOf(end->kind) != file)
                continue;
            if (end->kind != first->kind)
                break;
            records.append(end->record);
        }
        AppendWrongResults(path, records, TryOnce);
        m_entries.erase(std::remove_if(first, end, [file](const Entry &entry) { return fileOf(entry.kind) == file; }),
                        end);
        return;
    }
    case Kind::RetestRemoval: {
        const qint32 position = DeleteWrongResult(path, first->index, first->record, TryOnce);
        const bool tell = first->ofThisRun;
        m_entries.erase(first);
        if (tell)
            emit retestRecordRemoved(position);
        return;
    }
    case Kind::Evaluation:
        PrependEvaluation(path, first->evaluation, HistoryCapacity, TryOnce);
        break;
    case Kind::HistoryRow:
        AppendHistoryCsv(path, first->evaluation, TryOnce);
        break;
    }
    m_entries.erase(first);
}

void PendingRecords::retryLater()
{
    m_pauseMs = m_pauseMs == 0 ? FirstRetryMs : std::min(m_pauseMs * 2, LastRetryMs);
    m_retry.start(std::chrono::milliseconds(m_pauseMs));
}

QByteArray PendingRecords::encode(const Entry &entry)
{
    QByteArray bytes(1, char(entry.kind));
    switch (entry.kind) {
    case Kind::RetestRemoval:
        bytes.append(4, '\0');
        qToLittleEndian(entry.index, bytes.data() + 1);
        Q_FALLTHROUGH();
    case Kind::RetestAppend:
    case Kind::WrongResultsAppend:
        return bytes + entry.record.encode();
    case Kind::Evaluation:
    case Kind::HistoryRow:
        break;
    }
    return bytes + entry.evaluation.encode();
}

void PendingRecords::takeOverPendingFile()
{
    QByteArray bytes;
    try {
        RecordFileHandle file(m_pendingFile, RecordFileHandle::Access::ReadWrite, RecordFileHandle::IfMissing::Absent);
        if (!file.exists())
            return;
        const qint64 size = file.size();
        if (size > PendingFileLimit)
            return;
        bytes.resize(qsizetype(size));
        file.readAt(0, bytes.data(), size);
        // The file goes while this copy holds its lock, so no other copy takes the same records;
        // should it stay, nothing is taken and a later start tries again.
        if (::unlink(QFile::encodeName(m_pendingFile).constData()) != 0 && errno != ENOENT)
            return;
        file.close();
    } catch (const InOutError &) {
        return;
    }
    // older than anything of this run, so they go first; reading stops at an unknown mark or a
    // cut entry
    std::list<Entry> taken;
    for (qsizetype at = 0; at < bytes.size();) {
        Entry entry{Kind(quint8(bytes[at])), {}, 0, {}, false};
        const char *payload = bytes.constData() + at + 1;
        qsizetype size = 1;
        switch (entry.kind) {
        case Kind::RetestRemoval:
            size += 4 + WrongResultRecord::Size;
            break;
        case Kind::RetestAppend:
        case Kind::WrongResultsAppend:
            size += WrongResultRecord::Size;
            break;
        case Kind::Evaluation:
        case Kind::HistoryRow:
            size += EvaluationRecord::Size;
            break;
        default:
            size = 0;
        }
        if (size == 0 || at + size > bytes.size())
            break;
        if (entry.kind == Kind::Evaluation || entry.kind == Kind::HistoryRow)
            entry.evaluation = EvaluationRecord::decode(payload);
        else if (entry.kind == Kind::RetestRemoval) {
            entry.index = qFromLittleEndian<qint32>(payload);
            entry.record = WrongResultRecord::decode(payload + 4);
        } else
            entry.record = WrongResultRecord::decode(payload);
        taken.push_back(entry);
        at += size;
    }
    m_entries.splice(m_entries.begin(), taken);
    if (!writeWaiting() && !m_retry.isActive())
        retryLater();
}

void PendingRecords::saveForNextStart()
{
    m_retry.stop();
    m_noticeGiven = true; // the window is closing: what stays is saved, not announced
    if (writeWaiting())
        return;
    QByteArray bytes;
    for (const Entry &entry : m_entries)
        bytes.append(encode(entry));
    RecordFileHandle file(m_pendingFile, RecordFileHandle::Access::AppendCreate);
    file.append(bytes);
    file.close();
    m_entries.clear();
    m_waiting.invalidate();
}
