#include "ui/practice/zakladclient.h"

#include "core/generator/generator.h"
#include "ui/app/fonts.h"
#include "ui/app/numikstyle.h"
#include "ui/app/pictures.h"
#include "ui/practice/casgauge.h"

#include <QCheckBox>
#include <QLabel>

#include <cmath>

namespace {

constexpr int WindowFontPixels = 13;
constexpr int NumberFontPixels = 24;
constexpr int SwitchFontPixels = 19;

int scaled(int value, double factor)
{
    return int(std::lround(value * factor));
}

// The button face colour as the field's background, as on the fields that only show numbers.
void useButtonFace(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    widget->setPalette(palette);
}

} // namespace

ZakladClient::ZakladClient(int zoomPercent, QWidget *parent)
    : QWidget(parent)
    , m_factor(zoomPercent / 100.0)
{
    m_switchStyle = new NumikStyle;
    m_switchStyle->setParent(this);
    setObjectName(QStringLiteral("client"));

    Image1 = addPicture("Image1", {14, 11, 32, 32});
    EOK = addNumberField("EOK", {54, 11, 73, 37}, 0, true, QStringLiteral("dílčí počet správně vyřešených příkladů"));
    Image2 = addPicture("Image2", {14, 59, 32, 32});
    EChyba = addNumberField("EChyba", {54, 60, 73, 37}, 0, true, QStringLiteral("dílčí počet chybně vyřešených příkladů"));
    for (TAMEdit *count : {EOK, EChyba}) {
        count->setText(QStringLiteral("0"));
        useButtonFace(count);
    }

    ChBPlus = addSwitch("ChBPlus", QStringLiteral("+ sčítání"), 11, Operation::Plus,
                        QStringLiteral("zapnutí/vypnutí generování příkladů se sčítáním"));
    ChBMinus = addSwitch("ChBMinus", QStringLiteral("- odečítání"), 33, Operation::Minus,
                         QStringLiteral("zapnutí/vypnutí generování příkladů s odečítáním"));
    ChBKrat = addSwitch("ChBKrat", QStringLiteral("x násobení"), 54, Operation::Krat,
                        QStringLiteral("zapnutí/vypnutí generování příkladů s násobením"));
    ChBDeleni = addSwitch("ChBDeleni", QStringLiteral(": dělení"), 76, Operation::Del,
                          QStringLiteral("zapnutí/vypnutí generování příkladů s dělěním"));
    ChBPlus->setChecked(true);

    ECislo1 = addNumberField("ECislo1", {14, 110, 73, 37}, 1, true, QStringLiteral("číslo 1 (případně zadej výsledek)"));
    EOperace = addNumberField("EOperace", {89, 115, 35, 30}, 1, true, QStringLiteral("typ matematické operace (+,-,x,:)"));
    ECislo2 = addNumberField("ECislo2", {129, 110, 73, 37}, 2, true, QStringLiteral("číslo 2 (případně zadej výsledek)"));
    AMEdit2 = addNumberField("AMEdit2", {206, 115, 35, 30}, 0, true, QString());
    EVysledek = addNumberField("EVysledek", {245, 110, 73, 37}, 3, false, QStringLiteral("výsledek příkladu (případně zadej)"));
    ECislo1->setText(QStringLiteral("0"));
    ECislo2->setText(QStringLiteral("0"));
    EOperace->setText(QStringLiteral("+"));
    AMEdit2->setText(QStringLiteral("="));
    AMEdit2->setAccessibleName(QStringLiteral("rovná se"));
    Image1->setAccessibleName(QStringLiteral("správně"));
    Image2->setAccessibleName(QStringLiteral("chybně"));
    for (TAMEdit *field : {ECislo1, ECislo2, EVysledek})
        field->setTextAlignment(TAlignment::taRightJustify);
    for (TAMEdit *sign : {EOperace, AMEdit2}) {
        sign->setTextAlignment(TAlignment::taCenter);
        sign->setFrame(false);
        useButtonFace(sign);
    }

    GCasLim = new CasGauge(this);
    GCasLim->setObjectName(QStringLiteral("GCasLim"));
    GCasLim->setStatusTip(QStringLiteral("zbývající čas pro zadání správného výsledku"));
    GCasLim->setCaption(QStringLiteral("2s"));
    GCasLim->hide();
    place(GCasLim, {14, 148, 304, 17}, WindowFontPixels);

    // the feedback pictures lie over the right part of each number field, hidden until needed
    ICislo1 = addPicture("ICislo1", {41, 100, 65, 65});
    ICislo2 = addPicture("ICislo2", {156, 100, 65, 65});
    IVysledek = addPicture("IVysledek", {272, 100, 65, 65});
    for (QLabel *feedback : {ICislo1, ICislo2, IVysledek}) {
        feedback->hide();
        feedback->raise();
    }

    // the pupil's keyboard order
    QWidget *order[] = {ChBPlus, ChBMinus, ChBKrat, ChBDeleni, ECislo1, ECislo2, EOperace, EVysledek, AMEdit2, EChyba, EOK};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    EVysledek->setFocus();
}

void ZakladClient::place(QWidget *widget, const QRect &base, int fontPixels, bool bold)
{
    m_scaled.push_back({widget, base, fontPixels, bold});
    scale(m_scaled.back(), m_factor);
}

void ZakladClient::scale(const ScaledWidget &s, double factor)
{
    s.widget->setGeometry(scaled(s.base.x(), factor), scaled(s.base.y(), factor), scaled(s.base.width(), factor),
                          scaled(s.base.height(), factor));
    s.widget->setFont(ArialPixels(scaled(s.baseFontPixels, factor), s.bold));
}

TAMEdit *ZakladClient::addNumberField(const char *name, const QRect &base, int tag, bool readOnly, const QString &hint)
{
    auto *field = new TAMEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setTag(tag);
    field->setReadOnly(readOnly);
    field->setStatusTip(hint);
    field->setAccessibleName(hint);
    connect(field, &TAMEdit::enterPressed, this, [this, field] { emit enterPressed(field); });
    connect(field, &QLineEdit::textEdited, this, &ZakladClient::numberEdited);
    place(field, base, NumberFontPixels, true);
    return field;
}

QLabel *ZakladClient::addPicture(const char *name, const QRect &base)
{
    auto *picture = new QLabel(this);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    place(picture, base, WindowFontPixels);
    return picture;
}

QCheckBox *ZakladClient::addSwitch(const char *name, const QString &caption, int top, Operation op, const QString &hint)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(QString::fromLatin1(name));
    box->setProperty("Tag", int(op));
    box->setCursor(Qt::PointingHandCursor);
    box->setStyle(m_switchStyle);
    box->setStatusTip(hint);
    box->setAccessibleName(caption);
    box->setAccessibleDescription(hint);
    place(box, {182, top, 145, 20}, SwitchFontPixels, true);
    return box;
}

void ZakladClient::applyZoom(int zoomPercent)
{
    m_factor = zoomPercent / 100.0;
    for (const ScaledWidget &s : m_scaled)
        if (s.widget)
            scale(s, m_factor);
    setFixedSize(scaled(BaseSize.width(), m_factor), scaled(BaseSize.height(), m_factor));
    // the ticking squares and their distance from the captions grow with the captions
    for (QCheckBox *box : {ChBPlus, ChBMinus, ChBKrat, ChBDeleni}) {
        box->setProperty("zoom", m_factor); // read by NumikStyle
        box->updateGeometry();
        box->update();
    }
    renderPictures();
}

void ZakladClient::renderPictures()
{
    const qreal ratio = devicePixelRatioF();
    Image1->setPixmap(Picture(QStringLiteral("FACE_SMILE"), Image1->size(), ratio));
    Image2->setPixmap(Picture(QStringLiteral("FACE_FROWN"), Image2->size(), ratio));
}

TAMEdit *ZakladClient::fieldOfSlot(UnknownSlot slot) const
{
    if (slot == UnknownSlot::First)
        return ECislo1;
    if (slot == UnknownSlot::Second)
        return ECislo2;
    return EVysledek;
}

void ZakladClient::NastavFormDleNeznama(UnknownSlot slot)
{
    for (TAMEdit *field : {ECislo1, ECislo2, EVysledek})
        field->setReadOnly(true);
    TAMEdit *hidden = fieldOfSlot(slot);
    hidden->setReadOnly(false);
    hidden->setFocus();
}

void ZakladClient::showExercise(const Exercise &e)
{
    ECislo1->setText(e.hidden == UnknownSlot::First ? QString() : QString::number(e.first));
    ECislo2->setText(e.hidden == UnknownSlot::Second ? QString() : QString::number(e.second));
    EVysledek->setText(e.hidden == UnknownSlot::Result ? QString() : QString::number(e.result));
    NastavFormDleNeznama(e.hidden);
    EOperace->setTag(int(e.operation));
    EOperace->setText(OperationSign(e.operation));
}

OperationSwitches ZakladClient::operationSwitches() const
{
    return {ChBPlus->isChecked(), ChBMinus->isChecked(), ChBKrat->isChecked(), ChBDeleni->isChecked()};
}

void ZakladClient::setOperationSwitches(const OperationSwitches &switches)
{
    ChBPlus->setChecked(switches.plus);
    ChBMinus->setChecked(switches.minus);
    ChBKrat->setChecked(switches.krat);
    ChBDeleni->setChecked(switches.deleni);
}

void ZakladClient::enableOperationSwitches(bool enabled)
{
    for (QCheckBox *box : {ChBPlus, ChBMinus, ChBKrat, ChBDeleni})
        box->setEnabled(enabled);
}
