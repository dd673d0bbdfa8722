#include "ui/sheets/t1sl.h"

#include "ui/messages/messagebox.h"
#include "ui/sheets/sheetpainter.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QPageRanges>
#include <QPainter>
#include <QPrintDialog>
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
    takeOverPrintButton();
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        resize(PreviewSize.boundedTo(screen->availableGeometry().size() * 9 / 10));
    else
        resize(PreviewSize);
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            Guarded([this](QPrinter *target) { printSheet(target, !m_printing); }));
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

void TFT1Sl::printSheet(QPrinter *printer, bool preview)
{
    const int pageCount = m_options.answerKey ? 2 : 1;
    const QPageRanges chosen =
        preview || printer->printRange() != QPrinter::PageRange ? QPageRanges() : printer->pageRanges();
    const auto wanted = [&chosen](int page) { return chosen.isEmpty() || chosen.contains(page); };
    // the print dialog offers no page past the last one
    if (!wanted(1) && !(pageCount == 2 && wanted(2)))
        return;
    int failures = 0;
    if (wanted(1) || m_lastLines.isEmpty())
        m_lastLines = m_records.layoutPass(m_design.capacity(), failures);
    SetSheetPage(*printer);
    QPainter painter;
    if (painter.begin(printer)) {
        bool first = true;
        for (int page = 1; page <= pageCount; ++page) {
            if (!wanted(page))
                continue;
            // the key on a page of its own, from the same lines, so that it matches its sheet
            if (!first && !printer->newPage()) {
                m_printFailed = true;
                break;
            }
            first = false;
            PaintSheet(painter, m_design, m_lastLines, page == 2);
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
            const int lines = std::exchange(m_pendingFailures, 0);
            ShowMessageBox(QStringLiteral("Chyba v programu. Příkladů, které nešlo vytvořit: %1.").arg(lines),
                           MessageKind::Warning);
        } else {
            // the printer could not be opened (a PDF file that cannot be written): say so
            // instead of ending as if it had been printed
            m_printFailed = false;
            ShowMessageBox(QStringLiteral("Tisk se nezdařil."), MessageKind::Warning);
        }
    }
}

void TFT1Sl::takeOverPrintButton()
{
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QToolBar *bar : findChildren<QToolBar *>()) {
        for (QAction *action : bar->actions()) {
            if (action->text() != print)
                continue;
            action->disconnect(this);
            connect(action, &QAction::triggered, this, Guarded([this] { printFromPreview(); }));
        }
    }
}

void TFT1Sl::printFromPreview()
{
    auto *pages = findChild<QPrintPreviewWidget *>();
    QPrintDialog dialog(printer(), this);
    dialog.setMinMax(1, m_options.answerKey ? 2 : 1);
    if (!pages || dialog.exec() != QDialog::Accepted)
        return;
    m_printing = true;
    const auto done = qScopeGuard([this] { m_printing = false; });
    pages->print();
}

void TFT1Sl::showEvent(QShowEvent *event)
{
    QPrintPreviewDialog::showEvent(event);
    if (auto *view = findChild<QGraphicsView *>())
        view->setFocus(Qt::OtherFocusReason);
}

TFT2Sl::TFT2Sl(SheetRecords::LineSource nextLine, QWidget *parent, const QString &iniFile)
    : TFT1Sl(2, std::move(nextLine), parent, iniFile)
{
}

TFT3Sl::TFT3Sl(SheetRecords::LineSource nextLine, QWidget *parent, const QString &iniFile)
    : TFT1Sl(3, std::move(nextLine), parent, iniFile)
{
}
