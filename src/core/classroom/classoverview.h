#pragma once

#include "core/classroom/classfolder.h"
#include "core/classroom/pupilsummary.h"
#include "core/classroom/weakspots.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QStringList>

// Everything the teacher's overview shows, read from the pupils' own files.
struct ClassOverview
{
    QList<PupilSummary> pupils; // in the order of ClassFolder::pupilNames
    WeakSpots weakSpots;
};

// One pupil's figures, from the files of the pupil's data folder: historie.csv (the history
// file hdv.ndv when there is none yet) and the two wrong-result files, whose records are also
// added to spots. Each file is read by the program's own readers: bounded, never through a
// link, under its lock for that one read only. A folder that is a link or no folder, or a
// file that cannot be read, gives an unreadable summary and adds nothing to spots.
PupilSummary ReadPupilSummary(const QString &name, const QString &folder, QDate today, WeakSpots &spots);

// The whole class; one unreadable pupil never keeps the others from being read.
ClassOverview ReadClassOverview(const ClassFolder &classFolder, QDate today);

// The overview's table as it shows: "žák", "hodnocení za 7 dní", "úspěšnost za 28 dní %",
// "trend", "poslední známka", "poslední cvičení", "k přezkoušení".
QStringList ClassOverviewHeader();
// A row's fields; an unreadable pupil's figures read "nelze přečíst".
QStringList ClassOverviewFields(const PupilSummary &pupil);
// The table as a CSV export, in the convention of the program's other exports.
QByteArray ClassOverviewCsv(const QList<PupilSummary> &pupils);

// The text an unreadable pupil's row shows.
QString UnreadableText();
