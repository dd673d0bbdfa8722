#include "core/classroom/classoverview.h"

#include "core/records/csvexport.h"
#include "core/records/csvtext.h"
#include "core/records/datafiles.h"
#include "core/records/historyexport.h"
#include "core/records/historylines.h"
#include "core/records/ioerror.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

// The long history with the history file's evaluations that it misses: a historie.csv deleted
// and begun afresh, or not there yet, must not hide the pupil's earlier work.
QList<HistoryCsvRow> readHistory(const QString &folder)
{
    const QString csv = DataFile::In(folder, DataFile::HistoryCsv);
    const bool fromStart = QFileInfo(csv).size() <= HistoryCsvReadLimit;
    return MergedHistory(ReadHistoryCsvChecked(csv), fromStart,
                         ReadHistoryToShow(DataFile::In(folder, DataFile::History)));
}

} // namespace

QString UnreadableText()
{
    return QStringLiteral("nelze přečíst");
}

PupilSummary ReadPupilSummary(const QString &name, const QString &folder, QDate today, WeakSpots &spots)
{
    PupilSummary summary;
    const QFileInfo info(folder);
    if (!info.isSymLink() && info.isDir()) {
        try {
            summary = SummaryFromHistory(readHistory(folder), today);
            const QList<WrongResultRecord> retest = ReadWrongResultsToExport(DataFile::In(folder, DataFile::Retest));
            QList<WrongResultRecord> wrong = ReadWrongResultsToExport(DataFile::In(folder, DataFile::WrongResults));
            summary.retestCount = qint32(retest.size());
            // a re-test empties the wrong-results log; what it has not mended stays in chyba.nmk
            wrong.append(retest);
            spots.addPupil(wrong);
        } catch (const InOutError &) {
            summary = PupilSummary();
            summary.readable = false;
        }
    } else {
        summary.readable = false;
    }
    summary.name = name;
    return summary;
}

ClassOverview ReadClassOverview(const ClassFolder &classFolder, QDate today)
{
    ClassOverview overview;
    const QStringList names = classFolder.pupilNames();
    overview.pupils.reserve(names.size());
    for (const QString &name : names)
        overview.pupils.append(ReadPupilSummary(name, classFolder.pupilFolder(name), today, overview.weakSpots));
    return overview;
}

QStringList ClassOverviewHeader()
{
    return {QStringLiteral("žák"),           QStringLiteral("hodnocení za 7 dní"), QStringLiteral("úspěšnost za 28 dní %"),
            QStringLiteral("trend"),         QStringLiteral("poslední známka"),    QStringLiteral("poslední cvičení"),
            QStringLiteral("k přezkoušení")};
}

QStringList ClassOverviewFields(const PupilSummary &pupil)
{
    if (!pupil.readable)
        return {pupil.name, UnreadableText(), QString(), QString(), QString(), QString(), QString()};
    return {pupil.name,
            QString::number(pupil.recentEvaluations),
            pupil.meanPercent ? QString::number(std::lround(*pupil.meanPercent)) : QString(),
            TrendArrow(pupil.trend),
            pupil.lastGrade ? QString::number(*pupil.lastGrade) : QString(),
            pupil.lastPractice.toString(QStringLiteral("yyyy-MM-dd")),
            QString::number(pupil.retestCount)};
}

QByteArray ClassOverviewCsv(const QList<PupilSummary> &pupils)
{
    QList<QStringList> rows;
    rows.reserve(pupils.size());
    for (const PupilSummary &pupil : pupils)
        rows.append(ClassOverviewFields(pupil));
    return CsvDocument(ClassOverviewHeader(), rows);
}
