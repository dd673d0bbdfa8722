#include "ui/sheets/sheetpainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
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

// An underline under the text that would span `width` from `left` on the baseline `baseline`, in
// the pen of the painter's font.
double drawBlank(QPainter &painter, double left, double baseline, double width)
{
    const QFontMetricsF metrics = metricsOf(painter);
    const double y = baseline + metrics.underlinePos();
    painter.save();
    painter.setPen(QPen(Qt::black, metrics.lineWidth(), Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(left, y), QPointF(left + width, y));
    painter.restore();
    return left + width;
}

// A line of the sheet or of its key, its label's top-left corner at `origin`: the hidden number
// between the other pieces, as an underline on the sheet and in bold on the key. A line that
// would run past `width` mm gets a font just small enough to end there, on the same baseline,
// so that long numbers never reach into the next column.
void drawLine(QPainter &painter, QPointF origin, double width, const SheetLineParts &parts)
{
    const QFont normal = painter.font();
    QFont regular = normal;
    const auto advance = [&painter](const QFont &font, const QString &text) {
        return QFontMetricsF(font, painter.device()).horizontalAdvance(text);
    };
    const auto boldOf = [](QFont font) {
        font.setBold(true);
        return font;
    };
    const auto lineAdvance = [&](const QFont &font) {
        return advance(font, parts.before) + advance(parts.blank ? font : boldOf(font), parts.hidden)
               + advance(font, parts.after);
    };
    for (double full = lineAdvance(regular); full > mm(width) && regular.pixelSize() > 1; full = lineAdvance(regular))
        regular.setPixelSize(qMax(1, qMin(regular.pixelSize() - 1, int(regular.pixelSize() * mm(width) / full))));

    // a smaller font keeps the baseline of the lines beside it
    QPointF at(mm(origin.x()), mm(origin.y()) + metricsOf(painter).ascent());
    painter.setFont(regular);
    for (const QString *piece : {&parts.before, &parts.hidden, &parts.after}) {
        if (piece->isEmpty())
            continue;
        if (piece == &parts.hidden && parts.blank) {
            at.rx() = drawBlank(painter, at.x(), at.y(), metricsOf(painter).horizontalAdvance(*piece));
            continue;
        }
        painter.setFont(piece == &parts.hidden ? boldOf(regular) : regular);
        painter.drawText(at, *piece);
        at.rx() += metricsOf(painter).horizontalAdvance(*piece);
        painter.setFont(regular);
    }
    painter.setFont(normal);
}

// The name line: each label followed by a blank to its part's end, the date's part at the right
// end of the bands and the name's taking all the rest.
void drawNameLine(QPainter &painter, const SheetDesign &design)
{
    const double top = sheet::DetailTop + sheet::DetailLabel.y();
    const double baseline = mm(top) + metricsOf(painter).ascent();
    const double space = metricsOf(painter).horizontalAdvance(QStringLiteral(" "));
    const double right = mm(design.bandsRight());
    const double dateLeft = right - mm(sheet::DatePartWidth);
    const auto part = [&](double left, double end, const QString &label) {
        drawLabel(painter, left / UnitsPerMm, top, label);
        const double blankLeft = left + metricsOf(painter).horizontalAdvance(label) + space;
        drawBlank(painter, blankLeft, baseline, end - blankLeft);
    };
    part(mm(sheet::MarginLeft + sheet::DetailLabel.x()), dateLeft - 2 * space, sheet::NameLabel());
    part(dateLeft, right, sheet::DateLabel());
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

QString SheetKeyLabel()
{
    return QStringLiteral("Výsledky");
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
    const double titleTop = sheet::MarginTop + design.headerLabel.y();
    drawCentredLabel(painter, sheet::MarginLeft + design.headerLabel.x(), sheet::HeaderLabelWidth, titleTop, SheetTitle());
    // the key is marked where a glance falls first, and carries no line for a pupil's name
    if (key)
        drawLabel(painter, sheet::MarginLeft + sheet::DetailLabel.x(), titleTop, SheetKeyLabel());

    painter.setFont(arial(sheet::LinePoints, false));
    if (design.nameLine && !key)
        drawNameLine(painter, design);
    const int count = qMin(int(lines.size()), design.capacity());
    for (int i = 0; i < count; ++i)
        drawLine(painter, design.lineOrigin(i), design.lineWidth(), SheetLine(lines[i], key));

    painter.setFont(arial(sheet::FooterPoints, false));
    drawCentredLabel(painter, sheet::MarginLeft + sheet::FooterLabel.x(), sheet::FooterLabelWidth,
                     sheet::FooterTop + sheet::FooterLabel.y(), SheetFooter());
    // the footnotes of the key's marks, left of the web address, one under the other
    const QStringList notes = key ? sheet::KeyFootnotes(lines.mid(0, count)) : QStringList();
    const double noteHeight = metricsOf(painter).height() / UnitsPerMm;
    double noteTop = sheet::FooterTop + sheet::FooterLabel.y() - (notes.size() - 1) * noteHeight / 2;
    for (const QString &note : notes) {
        drawLabel(painter, sheet::MarginLeft + sheet::DetailLabel.x(), noteTop, note);
        noteTop += noteHeight;
    }
    painter.restore();
}
