#include "ui/sheets/t1sl.h"

#include "ui/messages/messagebox.h"
#include "ui/sheets/sheetpainter.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QScopeGuard>
#include <QToolBar>

#include <utility>

namespace {

// The preview opens showing most of a portrait page.
constexpr QSize PreviewSize(760, 900);

// The sheet is designed for A4 portrait only: the preview offers no other orientation and no
// page setup. Their buttons go, and with them a separator that would stand doubled.
void removePageButtons(QToolBar &bar)
{
    const QStringList texts = {QCoreApplication::translate("QPrintPreviewDialog", "Portrait"),
                               QCoreApplication::translate("QPrintPreviewDialog", "Landscape"),
                               QCoreApplication::translate("QPrintPreviewDialog", "Page setup")};
    bool afterSeparator = true;
    for (QAction *action : bar.actions()) {
        if (texts.contains(action->text()) || (action->isSeparator() && afterSeparator)) {
            action->setVisible(false);
            action->setEnabled(false);
        } else if (action->isVisible()) {
            afterSeparator = action->isSeparator();
        }
    }
}

} // namespace

TFT1Sl::TFT1Sl(SheetRecords::LineSource nextLine, QWidget *parent, const QString &iniFile)
    : TFT1Sl(1, std::move(nextLine), parent, iniFile)
{
}

TFT1Sl::TFT1Sl(int columns, SheetRecords::LineSource nextLine, QWidget *parent, const QString &iniFile)
    : QPrintPreviewDialog(parent)
    , m_iniFile(iniFile)
    , m_options(iniFile.isEmpty() ? SheetOptions{} : ReadSheetOptions(iniFile))
    , m_design(SheetDesign::forColumns(columns))
    , m_records(m_design.exercises, std::move(nextLine))
{
    setObjectName(QStringLiteral("FT%1Sl").arg(m_design.columns));
    m_design.nameLine = m_options.nameLine;
    SetUpSheetPrinter(*printer());
    for (QToolBar *bar : findChildren<QToolBar *>())
        removePageButtons(*bar);
    addOptionsBar();
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        resize(PreviewSize.boundedTo(screen->availableGeometry().size() * 9 / 10));
    else
        resize(PreviewSize);
    connect(this, &QPrintPreviewDialog::paintRequested, this, Guarded([this](QPrinter *target) { printSheet(target); }));
}

void TFT1Sl::addOptionsBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("POptions"));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 0, 6, 0);
    const auto addBox = [this, bar, row](const char *name, const QString &text, bool SheetOptions::*option) {
        auto *box = new QCheckBox(text, bar);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(m_options.*option);
        row->addWidget(box);
        connect(box, &QCheckBox::toggled, this, Guarded([this, option](bool on) {
                    SheetOptions options = m_options;
                    options.*option = on;
                    setOptions(options);
                }));
    };
    addBox("ChBJmeno", QStringLiteral("&jméno a datum"), &SheetOptions::nameLine);
    addBox("ChBVysledky", QStringLiteral("&výsledky na další straně"), &SheetOptions::answerKey);
    row->addStretch();
    // the row heads the dialog, over its tool bar and pages
    if (auto *top = qobject_cast<QBoxLayout *>(layout()))
        top->insertWidget(0, bar);
}

void TFT1Sl::setOptions(const SheetOptions &options)
{
    if (options == m_options)
        return;
    m_options = options;
    m_design.nameLine = options.nameLine;
    if (!m_iniFile.isEmpty())
        WriteSheetOptions(m_iniFile, options);
    if (auto *pages = findChild<QPrintPreviewWidget *>())
        pages->updatePreview();
}

void TFT1Sl::printSheet(QPrinter *printer)
{
    int failures = 0;
    const SheetExercises lines = m_records.layoutPass(m_design.capacity(), failures);
    SetSheetPage(*printer);
    QPainter painter;
    if (painter.begin(printer)) {
        PaintSheet(painter, m_design, lines);
        // the key on the next page, from this very pass, so that it matches its exercises
        if (m_options.answerKey) {
            if (printer->newPage())
                PaintSheet(painter, m_design, lines, true);
            else
                m_printFailed = true;
        }
        painter.end();
    } else {
        m_printFailed = true;
    }
    m_pendingFailures += failures;
    if (failures > 0 || m_printFailed)
        QMetaObject::invokeMethod(this, Guarded([this] { showFailures(); }), Qt::QueuedConnection);
}

void TFT1Sl::showFailures()
{
    // one loop tells them all, also those that a pass adds while a box is open
    if (m_showingFailures)
        return;
    m_showingFailures = true;
    const auto done = qScopeGuard([this] { m_showingFailures = false; });
    while (m_pendingFailures > 0 || m_printFailed) {
        if (m_pendingFailures > 0) {
            --m_pendingFailures;
            ShowMessageBox(QStringLiteral("Chyba v programu"), MessageKind::Warning);
        } else {
            // the printer could not be opened (a PDF file that cannot be written): say so
            // instead of ending as if it had been printed
            m_printFailed = false;
            ShowMessageBox(QStringLiteral("Tisk se nezdařil."), MessageKind::Warning);
        }
    }
}

TFT2Sl::TFT2Sl(SheetRecords::LineSource nextLine, QWidget *parent, const QString &iniFile)
    : TFT1Sl(2, std::move(nextLine), parent, iniFile)
{
}

TFT3Sl::TFT3Sl(SheetRecords::LineSource nextLine, QWidget *parent, const QString &iniFile)
    : TFT1Sl(3, std::move(nextLine), parent, iniFile)
{
}
