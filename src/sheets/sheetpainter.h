#pragma once

#include "sheets/sheetdesign.h"

#include <QString>
#include <QStringList>

class QPainter;
class QPrinter;

// The title of every sheet, naming the program and its maker, and the maker's web address in
// the footer.
QString SheetTitle();
QString SheetFooter();

// A4 portrait with the sheet's margins, one copy, the painter's origin at the paper's corner.
void SetUpSheetPrinter(QPrinter &printer);

// Lays out one page of a sheet on any painter whose origin is the paper's top-left corner:
// the title in the header, the lines in the design's columns, the web address in the footer.
// The millimetres of the design become device units by the device's own resolution. No frames.
void PaintSheet(QPainter &painter, const SheetDesign &design, const QStringList &lines);
