#pragma once

#include "core/sheets/sheetdesign.h"

#include <QString>

class QPainter;
class QPrinter;

// The title of every sheet, naming the program and its maker, and the maker's web address in
// the footer.
QString SheetTitle();
QString SheetFooter();
// The mark in the header of an answer key, so that it is not handed out as a sheet.
QString SheetKeyLabel();

// A4 portrait with the sheet's margins, the painter's origin at the paper's corner. The sheet is
// laid out for that page alone, so every layout pass sets it again, whatever paper or
// orientation a dialog chose since; the copies and pages chosen for printing stay.
void SetSheetPage(QPrinter &printer);
// The page above, one copy, all pages: how a sheet's printer starts.
void SetUpSheetPrinter(QPrinter &printer);

// Lays out one page of a sheet, or of its answer key, on any painter whose origin is the paper's
// top-left corner: the title in the header, the name line under it when the design has one, the
// lines in the design's columns, the web address in the footer. The key is the same page with
// the hidden numbers filled in, in bold, marked in its header and without the name line; where
// any number is right it shows a mark, explained by a footnote beside the web address.
// The millimetres of the design become device units by the device's own resolution, and the
// fonts keep their sizes in points exactly on every device. No frames.
void PaintSheet(QPainter &painter, const SheetDesign &design, const SheetExercises &lines, bool key = false);
