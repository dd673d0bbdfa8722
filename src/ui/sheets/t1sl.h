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
    // not be drawn stay empty on both; their message follows once the pass is over.
    // A print honours the page range chosen in the print dialog, so that the sheets for a class
    // and the key can be printed apart: a print of the key alone pulls no new lines but gives
    // the key of the last pass, the sheet just printed. The preview always shows every page.
    void printSheet(QPrinter *printer, bool preview = false);

    // Says in one "Chyba v programu" box how many lines could not be drawn and have not been
    // told yet. A message box runs an event loop, so it is never opened inside a layout pass:
    // the page is always complete behind it, and nothing under it can start a second pass on
    // a half-drawn printer.
    void showFailures();

protected:
    TFT1Sl(int columns, SheetRecords::LineSource nextLine, QWidget *parent, const QString &iniFile);

    // the page view takes the keys from the start, so that Page Down turns to the key at once
    void showEvent(QShowEvent *event) override;

private:
    void addOptionsBar();
    // The print button asks for the printer and prints, and the preview stays open for another
    // print, such as the key after the class's sheets.
    void takeOverPrintButton();
    void printFromPreview();

    QString m_iniFile;
    SheetOptions m_options;
    SheetDesign m_design;
    SheetRecords m_records;
    SheetExercises m_lastLines; // of the last layout pass, for a key printed alone
    int m_pendingFailures = 0;
    bool m_printing = false;
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
