#include "ui/sheets/t1sl.h"

#include "ui/messages/messagebox.h"
#include "ui/sheets/sheetpainter.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
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

TFT1Sl::TFT1Sl(SheetRecords::LineSource nextLine, QWidget *parent)
    : TFT1Sl(1, std::move(nextLine), parent)
{
}

TFT1Sl::TFT1Sl(int columns, SheetRecords::LineSource nextLine, QWidget *parent)
    : QPrintPreviewDialog(parent)
    , m_design(SheetDesign::forColumns(columns))
    , m_records(m_design.exercises, std::move(nextLine))
{
    setObjectName(QStringLiteral("FT%1Sl").arg(m_design.columns));
    SetUpSheetPrinter(*printer());
    for (QToolBar *bar : findChildren<QToolBar *>())
        removePageButtons(*bar);
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        resize(PreviewSize.boundedTo(screen->availableGeometry().size() * 9 / 10));
    else
        resize(PreviewSize);
    connect(this, &QPrintPreviewDialog::paintRequested, this, Guarded([this](QPrinter *target) { printSheet(target); }));
}

void TFT1Sl::printSheet(QPrinter *printer)
{
    int failures = 0;
    const QStringList lines = m_records.layoutPass(m_design.capacity(), failures);
    SetSheetPage(*printer);
    QPainter painter;
    if (painter.begin(printer)) {
        PaintSheet(painter, m_design, lines);
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

TFT2Sl::TFT2Sl(SheetRecords::LineSource nextLine, QWidget *parent)
    : TFT1Sl(2, std::move(nextLine), parent)
{
}

TFT3Sl::TFT3Sl(SheetRecords::LineSource nextLine, QWidget *parent)
    : TFT1Sl(3, std::move(nextLine), parent)
{
}
