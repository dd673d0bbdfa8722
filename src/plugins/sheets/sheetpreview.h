#pragma once

#include "core/sheets/sheetdesign.h"

#include <QObject>

#include <memory>

class QDialog;
class QWidget;

// A sheet's print preview as the main window sees it. The previews and the printing support
// under them live in the plugin "numiksheets" (ui/app/plugins.h): sheets are printed rarely, and a
// start does not load the printing libraries for them.
class SheetPreview
{
public:
    virtual ~SheetPreview() = default;

    // The modal preview window, from which the teacher prints.
    virtual QDialog *dialog() = 0;
    // Tells what a layout pass could not draw (TFT1Sl::showFailures).
    virtual void showFailures() = 0;
};

// The plugin's interface: the preview of a sheet of 1, 2 or 3 columns whose exercises come from
// nextLine; its options are kept in the settings file iniFile.
class SheetPreviewFactory
{
public:
    virtual ~SheetPreviewFactory() = default;

    virtual std::unique_ptr<SheetPreview> createSheetPreview(int columns, SheetRecords::LineSource nextLine,
                                                             const QString &iniFile, QWidget *parent) = 0;
};

// The number after the slash changes with the interface, so that an older plugin is refused.
#define NumikSheetPreviewFactory_iid "example.korvelanta.numik.SheetPreviewFactory/2"
Q_DECLARE_INTERFACE(SheetPreviewFactory, NumikSheetPreviewFactory_iid)
