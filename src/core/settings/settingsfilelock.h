#pragma once

#include <QByteArray>

#include <sys/stat.h>

// An exclusive lock on the settings file for one read-modify-write: two copies of the program
// saving at the same moment (a child starts it twice, a classroom shares one folder) then take
// turns, and neither loses the other's keys. The file is created empty when it is missing, so
// that there is something to lock. The lock is released when the object goes.
class SettingsFileLock
{
public:
    // How long a save waits for another copy's before it gives up.
    static constexpr int TimeoutMs = 5000;

    // name is encoded for the file system and names a regular file or nothing; anything else
    // is refused (locked() false), as is a file that cannot be opened for writing.
    explicit SettingsFileLock(const QByteArray &name);
    ~SettingsFileLock();
    SettingsFileLock(const SettingsFileLock &) = delete;
    SettingsFileLock &operator=(const SettingsFileLock &) = delete;

    bool locked() const { return m_fd >= 0; }
    // The open file, which is the one at the name for as long as the lock is held.
    int fd() const { return m_fd; }
    const struct stat &info() const { return m_info; }
    // Removes a file the lock created, when the write that wanted it failed.
    void removeIfCreated();

private:
    // 1: locked, 0: try again (busy, or the file at the name was replaced), -1: refused.
    int tryOnce();
    void closeFile();

    QByteArray m_name;
    int m_fd = -1;
    bool m_created = false;
    struct stat m_info {};
};
