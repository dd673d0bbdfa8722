#pragma once

#include "core/settings/datafolder.h"

#include <QString>
#include <QStringList>

// A class folder: the class's settings in numik.ini (the teacher's template), one data folder
// per pupil in "zaci", and the folders of pupils who left in "vyrazeni". A pupil's folder holds
// the same files as any data folder. Nothing below the class folder is trusted: a folder or file
// that is a symbolic link is refused, never followed.
class ClassFolder
{
public:
    // folder is absolute and clean, as ChooseDataFolder gives it.
    explicit ClassFolder(const QString &folder);

    QString folder() const { return m_folder; }
    QString iniFile() const;
    QString pupilsFolder() const;
    QString retiredFolder() const;
    QString pupilFolder(const QString &name) const;

    // The pupils, in Czech alphabetical order: every entry of "zaci" that is a folder (or a link,
    // which then shows as unreadable) and whose name is a valid pupil's name.
    QStringList pupilNames() const;

    // The data folder of a pupil's start. At the first start it is created with a copy of the
    // class's numik.ini, so that the pupil begins with the teacher's settings.
    DataFolderChoice openPupil(const QString &name) const;

    // The managing of the class; each returns why it failed, as the teacher reads it, or nothing.
    // A new pupil's folder gets a copy of the class's numik.ini; no pupil is ever renamed onto
    // another; a retired pupil's folder moves to "vyrazeni" (as "Name (2)" … when a pupil of that
    // name left before), so that nothing is deleted.
    QString addPupil(const QString &name) const;
    QString renamePupil(const QString &from, const QString &to) const;
    QString retirePupil(const QString &name) const;

private:
    // Creates the pupil's folder with the copy of numik.ini; a problem, or nothing.
    QString createPupil(const QString &name) const;

    QString m_folder;
};

// Names in Czech alphabetical order ("ch" after "h", "č" after "c"), as cs_CZ sorts them.
void SortInCzech(QStringList &names);
