#include "ui/records/mabout.h"

#include "ui/app/fonts.h"
#include "ui/app/pictures.h"
#include "ui/messages/messagebox.h"
#include "ui/widgets/valuelabel.h"
#include "ui/records/aboutvalues.h"

#include <QAction>
#include <QDesktopServices>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include <iterator>

namespace {

constexpr int WindowFontPixels = 13;
constexpr int CaptionFontPixels = 11;
constexpr int IconSide = 32; // the icon as a desktop shows it; the window draws it twice as large
constexpr QPoint MenuOffset(-5, -5);

} // namespace

TFMAbout::TFMAbout(QWidget *parent) : QDialog(parent)
{
    buildControls();
    FormCreate();
}

void TFMAbout::buildControls()
{
    setObjectName(QStringLiteral("FMAbout"));
    setWindowTitle(QStringLiteral("About"));
    // a fixed dialog frame with its title alone: "O.K." and Esc close it
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(ArialPixels(WindowFontPixels));
    setFixedSize(BaseSize);

    auto *Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(7, 7, 337, 160);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(10, 10, 2 * IconSide, 2 * IconSide);

    Label1 = addValue("Label6", QStringLiteral("Název:"), "Label1", {86, 8, 120, 14}, {86, 22, 240, 16}, true);
    Label2 = addValue("Label7", QStringLiteral("Popis"), "Label2", {86, 42, 120, 14}, {86, 56, 209, 42}, true);
    Label3 = addValue("Label8", QStringLiteral("Verze:"), "Label3", {10, 104, 100, 14}, {10, 118, 100, 36}, false);
    Label4 = addValue("Label9", QStringLiteral("Výrobce:"), "Label4", {118, 104, 100, 14}, {118, 118, 100, 36}, false);
    Label5 = addValue("Label10", QStringLiteral("Autorské právo:"), "Label5", {226, 104, 100, 14}, {226, 118, 100, 36},
                      false);

    LWWW = addLink("LWWW", {9, 173, 180, 16}, Qt::AlignLeft);
    LEmail = addLink("LEmail", {190, 173, 155, 16}, Qt::AlignRight);
    PMWWW = addMenu("PMWWW", "PMWWW", about::WebAddresses, int(std::size(about::WebAddresses)), false);
    PMEmail = addMenu("PMEmail", "PMEmail", about::MailAddresses, int(std::size(about::MailAddresses)), true);

    Button1 = new QPushButton(QStringLiteral("O.K."), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAccessibleName(QStringLiteral("O.K."));
    Button1->setCursor(Qt::PointingHandCursor);
    Button1->setDefault(true);
    Button1->setGeometry(7, 194, 338, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject); // Esc does the same
    setTabOrder(Button1, LWWW);
    setTabOrder(LWWW, LEmail);
    Button1->setFocus();
}

QLabel *TFMAbout::addValue(const char *captionName, const QString &caption, const char *name, const QRect &captionPlace,
                           const QRect &place, bool bold)
{
    QWidget *panel = Image1->parentWidget();
    auto *captionLabel = new QLabel(caption, panel);
    captionLabel->setObjectName(QString::fromLatin1(captionName));
    captionLabel->setFont(ArialPixels(CaptionFontPixels, false, true));
    captionLabel->setGeometry(captionPlace);
    auto *value = new ValueLabel(QStringLiteral("- - -"), panel);
    value->setObjectName(QString::fromLatin1(name));
    value->setFont(ArialPixels(WindowFontPixels, bold));
    value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    value->setWordWrap(true);
    value->setGeometry(place);
    captionLabel->setBuddy(value);
    value->setAccessibleName(caption); // the value itself is its accessible value and text
    return value;
}

QLabel *TFMAbout::addLink(const char *name, const QRect &place, Qt::Alignment alignment)
{
    auto *link = new QLabel(this);
    link->setObjectName(QString::fromLatin1(name));
    link->setFont(ArialPixels(WindowFontPixels, false, true));
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    link->setPalette(palette);
    link->setCursor(Qt::PointingHandCursor);
    link->setAlignment(alignment | Qt::AlignVCenter);
    link->setFocusPolicy(Qt::StrongFocus); // Enter or the space bar opens its menu
    link->setGeometry(place);
    link->installEventFilter(this);
    return link;
}

QMenu *TFMAbout::addMenu(const char *name, const char *itemName, const char *const *addresses, int count, bool mail)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QString::fromLatin1(name));
    for (int i = 0; i < count; ++i) {
        const QString address = QString::fromUtf8(addresses[i]);
        QAction *item = menu->addAction(address);
        item->setObjectName(QString::fromLatin1(itemName) + QString::number(i + 1));
        // a web address opens in the browser, a mail address as a new message in the mail program
        const QUrl url = mail ? QUrl(QStringLiteral("mailto:") + address + QStringLiteral("?subject=&body="))
                              : QUrl(address);
        connect(item, &QAction::triggered, this, Guarded([url] { QDesktopServices::openUrl(url); }));
    }
    return menu;
}

void TFMAbout::FormCreate()
{
    Label1->setText(QString::fromUtf8(about::ProductName));
    Label2->setText(QString::fromUtf8(about::FileDescription));
    Label3->setText(QString::fromUtf8(about::FileVersion));
    Label4->setText(QString::fromUtf8(about::CompanyName));
    Label5->setText(QString::fromUtf8(about::LegalCopyright));
    LWWW->setText(QString::fromUtf8(about::WebAddresses[0]));
    LEmail->setText(QString::fromUtf8(about::MailAddresses[0]));
    Image1->setPixmap(Picture(QStringLiteral("MAINICON"), Image1->size(), devicePixelRatioF()));
}

bool TFMAbout::eventFilter(QObject *watched, QEvent *event)
{
    QMenu *menu = watched == LWWW ? PMWWW : watched == LEmail ? PMEmail : nullptr;
    if (menu) {
        auto *link = static_cast<QLabel *>(watched);
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            openLinkMenu(menu, static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                openLinkMenu(menu, link->mapToGlobal(link->rect().bottomLeft()) - MenuOffset);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFMAbout::openLinkMenu(QMenu *menu, const QPoint &globalPosition)
{
    menu->popup(globalPosition + MenuOffset);
}
