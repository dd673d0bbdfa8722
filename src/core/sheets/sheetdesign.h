#pragma once

#include "core/generator/exercise.h"
#include "core/sheets/sheetline.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <functional>
#include <optional>

// The design shared by the printed exercise sheets. Every measure is in millimetres from the
// top-left corner of an A4 portrait page.
namespace sheet {

inline constexpr double PageWidth = 210.0;
inline constexpr double PageHeight = 297.0;
inline constexpr double MarginTop = 15.0;
inline constexpr double MarginBottom = 20.0;
inline constexpr double MarginLeft = 15.0;
inline constexpr double MarginRight = 15.0;

inline constexpr double HeaderHeight = 10.58;
inline constexpr double HeaderLabelWidth = 73.82;
inline constexpr double DetailHeight = 7.94;
inline constexpr QPointF DetailLabel{2.12, 1.32};
inline constexpr double FooterHeight = 10.58;
inline constexpr QPointF FooterLabel{74.35, 3.18};
inline constexpr double FooterLabelWidth = 34.93;

inline constexpr double TitlePoints = 12.0;
inline constexpr double LinePoints = 12.0;
inline constexpr double FooterPoints = 10.0;

// The footer sits at the bottom of the printable area; the detail bands fill what lies between.
inline constexpr double FooterTop = PageHeight - MarginBottom - FooterHeight;
inline constexpr double DetailTop = MarginTop + HeaderHeight;
// 30 bands of 7.94 mm take 238.2 mm of the 240.84 mm between header and footer
inline constexpr int LinesPerColumn = int((FooterTop - DetailTop) / DetailHeight);
// The band of the name line under the header, its label where a line's label sits. The detail
// bands below it share what is left, so that the 30 lines per column still fit above the footer.
inline constexpr double NameHeight = 7.94;
inline constexpr double NamedDetailHeight = (FooterTop - DetailTop - NameHeight) / LinesPerColumn;

} // namespace sheet

// What the teacher can add to a sheet, remembered in numik.ini, section "Papir".
struct SheetOptions
{
    bool nameLine = false;  // "jmeno": a line for the pupil's name and the date under the title
    bool answerKey = false; // "vysledky": a second page with the hidden numbers filled in

    friend bool operator==(const SheetOptions &, const SheetOptions &) = default;
};
SheetOptions ReadSheetOptions(const QString &iniFile);
void WriteSheetOptions(const QString &iniFile, const SheetOptions &options);

namespace sheet {

// The labels of the name line; each is followed by a blank to write in.
QString NameLabel();
QString DateLabel();
// The date's label and blank take this much of the line's right end, the name the rest.
inline constexpr double DatePartWidth = 55.0;

} // namespace sheet

// What tells the one-, two- and three-column sheets apart.
struct SheetDesign
{
    int columns = 1;
    qint32 exercises = 30;
    double columnSpacing = 0.0;  // mm between two columns
    double detailWidth = 180.18; // mm, the width of one column's band
    QPointF headerLabel;         // mm, the title's box within the header band
    bool nameLine = false;       // the name line moves the detail bands down

    // The design of the sheet with 1, 2 or 3 columns; any other count gives the one-column sheet.
    static SheetDesign forColumns(int columns);

    // Where the label of the index-th exercise line starts (its top-left corner, in mm from the
    // paper's corner): down the first column, then down the next.
    QPointF lineOrigin(int index) const;
    // How far a line may run from its label's left edge: to the right edge of its band.
    double lineWidth() const { return detailWidth - sheet::DetailLabel.x(); }
    // The right edge of the last column's band, where the name line ends.
    double bandsRight() const { return sheet::MarginLeft + columns * detailWidth + (columns - 1) * columnSpacing; }
    // How many lines the page holds in all its columns.
    int capacity() const { return columns * sheet::LinesPerColumn; }
    // The top of the first detail band and the height of every one, in mm.
    double detailTop() const { return sheet::DetailTop + (nameLine ? sheet::NameHeight : 0.0); }
    double detailHeight() const { return nameLine ? sheet::NamedDetailHeight : sheet::DetailHeight; }
};

// The two callbacks by which the report pulls its exercise lines. Every layout pass starts with
// QuickRepBeforePrint and then asks QuickRepNeedData before each detail band until it reports
// no more, so every pass draws a fresh set of exactly `exercises` lines.
class SheetRecords
{
public:
    // Gives the next exercise of the sheet; none when no admissible exercise was found.
    using LineSource = std::function<std::optional<Exercise>()>;

    SheetRecords(qint32 exercises, LineSource nextLine);

    void QuickRepBeforePrint();
    // Whether there is another record; if so, `line` holds its exercise.
    bool QuickRepNeedData(std::optional<Exercise> &line);

    // One layout pass: the exercises of a page, at most `capacity` of them, from which both the
    // sheet and its key are drawn. `failures` counts those that could not be drawn.
    SheetExercises layoutPass(int capacity, int &failures);

private:
    qint32 m_exercises;
    qint32 m_counter = 0; // exercises still to supply in this pass
    LineSource m_nextLine;
};
