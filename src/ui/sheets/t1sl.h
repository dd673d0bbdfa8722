#pragma once

#include "core/sheets/sheetdesign.h"

#include <QPrintPreviewDialog>
#include <QString>

class QPrinter;

// A printed sheet of exercises in its print preview, from which the teacher prints it. The
// one-column sheet; TFT2Sl and TFT3Sl differ only in their design. Every layout pass, the
// preview's and each printing's, draws a fresh set of exercises from the line source. A row
// under the tool bar offers the name line and the answer key (SheetOptions), read from and
// written to the settings file `iniFile` when one is given.
class TFT1Sl : public QPrintPreviewDialog
{
    Q_OBJECT

public:
    explicit TFT1Sl(SheetRecords::LineSource nextLine, QWidget *parent = nullptr, const QString &iniFile = {});

    const SheetDesign &design() const { return m_design; }
    SheetOptions options() const { return m_options; }
    // Takes the options (as the check boxes do) and lays the preview out again.
    void setOptions(const SheetOptions &options);

    // One layout pass onto the printer: new lines pulled, the whole page painted, and the
    // answer key of the same lines on a second page when it is asked for. Lines that could
    // not be drawn stay empty on both; their messages follow once the pass is over.
    void printSheet(QPrinter *printer);

    // Shows "Chyba v programu" once for every line that could not be drawn and has not been
    // told yet. A message box runs an event loop, so it is never opened inside a layout pass:
    // the page is always complete behind it, and nothing under it can start a second pass on
    // a half-drawn printer.
    void showFailures();

protected:
    TFT1Sl(int columns, SheetRecords::LineSource nextLine, QWidget *parent, const QString &iniFile);

private:
    void addOptionsBar();

    QString m_iniFile;
    SheetOptions m_options;
    SheetDesign m_design;
    SheetRecords m_records;
    int m_pendingFailures = 0;
    bool m_printFailed = false;
    bool m_showingFailures = false;
};

class TFT2Sl : public TFT1Sl
{
    Q_OBJECT

public:
    explicit TFT2Sl(SheetRecords::LineSource nextLine, QWidget *parent = nullptr, const QString &iniFile = {});
};

class TFT3Sl : public TFT1Sl
{
    Q_OBJECT

public:
    explicit TFT3Sl(SheetRecords::LineSource nextLine, QWidget *parent = nullptr, const QString &iniFile = {});
};
