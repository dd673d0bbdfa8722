#include "ui/sheets/sheetpainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPaintDevice>
#include <QPrinter>

namespace {

// The sheet is painted in a space of 720 units to the inch, whatever the device. There a point
// is 10 units, so the fonts get whole pixel sizes that are their points exactly: Qt rounds a
// size in points to whole device pixels, and at 96 dpi 10 pt would shrink to 13 px = 9.75 pt.
constexpr double UnitsPerInch = 720.0;
constexpr double UnitsPerPoint = UnitsPerInch / 72.0;
constexpr double UnitsPerMm = UnitsPerInch / 25.4;

QFont arial(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qRound(points * UnitsPerPoint));
    font.setBold(bold);
    return font;
}

double mm(double millimetres)
{
    return millimetres * UnitsPerMm;
}

QFontMetricsF metricsOf(const QPainter &painter)
{
    return QFontMetricsF(painter.font(), painter.device());
}

// A label sized to its text, its top-left corner at (left, top) in mm.
void drawLabel(QPainter &painter, double left, double top, const QString &text)
{
    painter.drawText(QPointF(mm(left), mm(top) + metricsOf(painter).ascent()), text);
}

// A line of the sheet or of its key: the hidden number in bold between the other pieces.
void drawLine(QPainter &painter, QPointF origin, const SheetLineParts &parts)
{
    const QFont regular = painter.font();
    QFont bold = regular;
    bold.setBold(true);
    QPointF at(mm(origin.x()), mm(origin.y()) + metricsOf(painter).ascent());
    for (const QString *piece : {&parts.before, &parts.hidden, &parts.after}) {
        if (piece->isEmpty())
            continue;
        painter.setFont(piece == &parts.hidden ? bold : regular);
        painter.drawText(at, *piece);
        at.rx() += metricsOf(painter).horizontalAdvance(*piece);
    }
    painter.setFont(regular);
}

// A label sized to its text and centred within a box that starts at `left` and is `width` wide.
void drawCentredLabel(QPainter &painter, double left, double width, double top, const QString &text)
{
    const QFontMetricsF metrics = metricsOf(painter);
    const double centre = mm(left + width / 2);
    painter.drawText(QPointF(centre - metrics.horizontalAdvance(text) / 2, mm(top) + metrics.ascent()), text);
}

} // namespace

QString SheetTitle()
{
    return QStringLiteral("Příklady z programu Numik - Korvelanta");
}

QString SheetFooter()
{
    return QStringLiteral("www.korvelanta.example");
}

void SetSheetPage(QPrinter &printer)
{
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(sheet::MarginLeft, sheet::MarginTop, sheet::MarginRight, sheet::MarginBottom),
                                      QPageLayout::Millimeter));
    // the layout places everything from the paper's corner and keeps the margins itself
    printer.setFullPage(true);
}

void SetUpSheetPrinter(QPrinter &printer)
{
    SetSheetPage(printer);
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
}

void PaintSheet(QPainter &painter, const SheetDesign &design, const SheetExercises &lines, bool key)
{
    const QPaintDevice &device = *painter.device();
    painter.save();
    painter.scale(device.logicalDpiX() / UnitsPerInch, device.logicalDpiY() / UnitsPerInch);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);

    painter.setFont(arial(sheet::TitlePoints, true));
    drawCentredLabel(painter, sheet::MarginLeft + design.headerLabel.x(), sheet::HeaderLabelWidth,
                     sheet::MarginTop + design.headerLabel.y(), SheetTitle());

    painter.setFont(arial(sheet::LinePoints, false));
    if (design.nameLine) {
        drawLabel(painter, sheet::MarginLeft + sheet::DetailLabel.x(), sheet::DetailTop + sheet::DetailLabel.y(),
                  sheet::NameLineText());
    }
    const int count = qMin(int(lines.size()), design.capacity());
    for (int i = 0; i < count; ++i)
        drawLine(painter, design.lineOrigin(i), SheetLine(lines[i], key));

    painter.setFont(arial(sheet::FooterPoints, false));
    drawCentredLabel(painter, sheet::MarginLeft + sheet::FooterLabel.x(), sheet::FooterLabelWidth,
                     sheet::FooterTop + sheet::FooterLabel.y(), SheetFooter());
    painter.restore();
}
