#pragma once

#include <QLatin1String>
#include <QString>

// The files of a data folder by the names they have always had. This is the one place that
// spells them.
namespace DataFile {
inline constexpr QLatin1String Settings("numik.ini");
inline constexpr QLatin1String Retest("chyba.nmk");           // each missed exercise, until re-tested
inline constexpr QLatin1String WrongResults("chybavysl.nmk"); // every miss since the last re-test
inline constexpr QLatin1String History("hdv.ndv");            // the partial evaluations
inline constexpr QLatin1String HistoryCsv("historie.csv");    // the long history for spreadsheets
inline constexpr QLatin1String Pending("nezapsano.nmk");      // changes still to be written at the next start

// Every one of them, as an export must never replace them.
inline constexpr QLatin1String All[] = {Settings, Retest, WrongResults, History, HistoryCsv, Pending};

// The file name in folder.
inline QString In(const QString &folder, QLatin1String name)
{
    return folder + u'/' + name;
}
} // namespace DataFile
