#pragma once

#include "sheets/sheetdesign.h"

class QDialog;
class QWidget;

// A sheet's print preview as the main window sees it. The previews and the printing support
// under them live in the loadable module "numiksheets" (app/modules.h): sheets are printed
// rarely, and a start does not load the printing libraries for them.
class SheetPreview
{
public:
    virtual ~SheetPreview() = default;

    // The modal preview window, from which the teacher prints.
    virtual QDialog *dialog() = 0;
    // Tells what a layout pass could not draw (TFT1Sl::showFailures).
    virtual void showFailures() = 0;
};

// The module's one entry point, found by this name: the preview of a sheet of 1, 2 or 3
// columns whose lines come from nextLine, owned by the caller.
using CreateSheetPreviewFunction = SheetPreview *(*)(int columns, SheetRecords::LineSource nextLine, QWidget *parent);
inline constexpr char CreateSheetPreviewName[] = "numikCreateSheetPreview";
