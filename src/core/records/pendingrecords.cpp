#include "core/records/pendingrecords.h"

#include "core/records/ioerror.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace {

constexpr qint64 FirstRetryMs = 10;
constexpr qint64 LastRetryMs = 500;
// A pending file larger than this is nothing a copy of the program left: it is not taken over.
constexpr qint64 PendingFileLimit = 4 * 1024 * 1024;

QString noticeFor(const QString &path, const InOutError &error)
{
    return QStringLiteral("Odpovědi se teď nedaří uložit do souboru %1 (%2). Program si je pamatuje a uloží je, "
                          "jakmile to půjde; co nestihne do ukončení, uloží při dalším spuštění.")
        .arg(QFileInfo(path).fileName(), error.text());
}

} // namespace

PendingRecords::PendingRecords(const QString &retestFile, const QString &wrongResultsFile, QObject *parent)
    : QObject(parent)
    , m_retestFile(retestFile)
    , m_wrongResultsFile(wrongResultsFile)
    , m_pendingFile(pendingFileBeside(retestFile))
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        // nothing may escape into the event loop; a record that could not be written stays
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
    return QFileInfo(recordFile).path() + QStringLiteral("/nezapsano.nmk");
}

QString PendingRecords::pathOf(Target target) const
{
    return target == Target::RetestFile ? m_retestFile : m_wrongResultsFile;
}

void PendingRecords::add(Target target, const WrongResultRecord &record)
{
    m_entries.push_back({target, record});
    if (!writeWaiting() && !m_retry.isActive())
        retryLater();
}

bool PendingRecords::writeWaiting()
{
    while (!m_entries.empty()) {
        // everything waiting for the front record's file goes in one append, in its order; the
        // order between the two files means nothing
        const Target target = m_entries.front().target;
        QList<WrongResultRecord> records;
        for (const Entry &entry : m_entries)
            if (entry.target == target)
                records.append(entry.record);
        try {
            AppendWrongResults(pathOf(target), records, RecordFileHandle::LockWait::TryOnce);
        } catch (const InOutError &error) {
            if (!m_waiting.isValid())
                m_waiting.start();
            // a busy lock is a pupil at another computer: only a wait longer than the usual one
            // is worth a word; anything else is told at once
            const bool busy = error.code() == RecordFileHandle::LockTimeoutCode;
            if (!m_noticeGiven && (!busy || m_waiting.hasExpired(RecordFileHandle::lockTimeout().count()))) {
                m_noticeGiven = true;
                emit stalled(noticeFor(pathOf(target), error));
            }
            return false;
        }
        std::erase_if(m_entries, [target](const Entry &entry) { return entry.target == target; });
        m_waiting.invalidate();
    }
    m_pauseMs = 0;
    m_noticeGiven = false;
    return true;
}

void PendingRecords::retryLater()
{
    m_pauseMs = m_pauseMs == 0 ? FirstRetryMs : std::min(m_pauseMs * 2, LastRetryMs);
    m_retry.start(std::chrono::milliseconds(m_pauseMs));
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
    // older than anything of this run, so they go first; a damaged entry or fragment is skipped
    std::deque<Entry> taken;
    for (qsizetype at = 0; at + EntrySize <= bytes.size(); at += EntrySize) {
        const auto target = Target(quint8(bytes[at]));
        if (target == Target::RetestFile || target == Target::WrongResultsFile)
            taken.push_back({target, WrongResultRecord::decode(bytes.constData() + at + 1)});
    }
    m_entries.insert(m_entries.begin(), taken.begin(), taken.end());
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
    bytes.reserve(qsizetype(m_entries.size()) * EntrySize);
    for (const Entry &entry : m_entries) {
        bytes.append(char(entry.target));
        bytes.append(entry.record.encode());
    }
    RecordFileHandle file(m_pendingFile, RecordFileHandle::Access::AppendCreate);
    file.append(bytes);
    file.close();
    m_entries.clear();
    m_waiting.invalidate();
}
