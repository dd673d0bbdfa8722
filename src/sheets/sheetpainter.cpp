#include "sheets/sheetpainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPaintDevice>
#include <QPrinter>

namespace {

QFont arial(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Millimetres in the painter's device units.
class MmScale
{
public:
    explicit MmScale(const QPaintDevice &device)
        : m_x(device.logicalDpiX() / 25.4)
        , m_y(device.logicalDpiY() / 25.4)
    {
    }

    double x(double mm) const { return mm * m_x; }
    double y(double mm) const { return mm * m_y; }

private:
    double m_x;
    double m_y;
};

QFontMetricsF metricsOf(const QPainter &painter)
{
    return QFontMetricsF(painter.font(), painter.device());
}

// A label sized to its text, its top-left corner at (left, top) in mm.
void drawLabel(QPainter &painter, const MmScale &mm, double left, double top, const QString &text)
{
    painter.drawText(QPointF(mm.x(left), mm.y(top) + metricsOf(painter).ascent()), text);
}

// A label sized to its text and centred within a box that starts at `left` and is `width` wide.
void drawCentredLabel(QPainter &painter, const MmScale &mm, double left, double width, double top, const QString &text)
{
    const QFontMetricsF metrics = metricsOf(painter);
    const double centre = mm.x(left + width / 2);
    painter.drawText(QPointF(centre - metrics.horizontalAdvance(text) / 2, mm.y(top) + metrics.ascent()), text);
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

void SetUpSheetPrinter(QPrinter &printer)
{
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(sheet::MarginLeft, sheet::MarginTop, sheet::MarginRight, sheet::MarginBottom),
                                      QPageLayout::Millimeter));
    // the layout places everything from the paper's corner and keeps the margins itself
    printer.setFullPage(true);
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
}

void PaintSheet(QPainter &painter, const SheetDesign &design, const QStringList &lines)
{
    const MmScale mm(*painter.device());
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);

    painter.setFont(arial(sheet::TitlePoints, true));
    drawCentredLabel(painter, mm, sheet::MarginLeft + design.headerLabel.x(), sheet::HeaderLabelWidth,
                     sheet::MarginTop + design.headerLabel.y(), SheetTitle());

    painter.setFont(arial(sheet::LinePoints, false));
    const int count = qMin(int(lines.size()), design.capacity());
    for (int i = 0; i < count; ++i) {
        const QPointF origin = design.lineOrigin(i);
        drawLabel(painter, mm, origin.x(), origin.y(), lines[i]);
    }

    painter.setFont(arial(sheet::FooterPoints, false));
    drawCentredLabel(painter, mm, sheet::MarginLeft + sheet::FooterLabel.x(), sheet::FooterLabelWidth,
                     sheet::FooterTop + sheet::FooterLabel.y(), SheetFooter());
    painter.restore();
}
