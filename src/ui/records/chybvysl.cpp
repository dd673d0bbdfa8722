#include "ui/records/chybvysl.h"

#include "core/records/wrongresults.h"
#include "ui/app/fonts.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int WindowFontPixels = 13;
constexpr int ListFontPixels = 16;
constexpr int ButtonPanelHeight = 41;
constexpr QSize ButtonSize(75, 25);

} // namespace

TFChyba::TFChyba(const QString &wrongResultsFile, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FChyba"));
    setWindowTitle(QStringLiteral("Chybné výsledky"));
    setFont(MsSansSerifPixels(WindowFontPixels));
    setFixedSize(BaseSize);

    MChyba = new QPlainTextEdit(this);
    MChyba->setObjectName(QStringLiteral("MChyba"));
    MChyba->setAccessibleName(QStringLiteral("chybné výsledky"));
    MChyba->setReadOnly(true);
    MChyba->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    MChyba->setLineWrapMode(QPlainTextEdit::NoWrap);
    MChyba->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MChyba->setFont(MsSansSerifPixels(ListFontPixels));

    auto *PButton = new QWidget(this);
    PButton->setObjectName(QStringLiteral("PButton"));
    PButton->setFixedHeight(ButtonPanelHeight);
    BBZrus = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Zruš"), PButton);
    BBZrus->setObjectName(QStringLiteral("BBZrus"));
    BBZrus->setAccessibleName(QStringLiteral("Zruš"));
    BBZrus->setAutoDefault(false);
    BBZrus->setFixedSize(ButtonSize);
    BBZrus->move((BaseSize.width() - ButtonSize.width()) / 2, (ButtonPanelHeight - ButtonSize.height()) / 2);
    connect(BBZrus, &QPushButton::clicked, this, &QDialog::reject); // Esc does the same

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(MChyba, 1);
    layout->addWidget(PButton);

    // one pass over the file, and no more lines than a list can sensibly show
    const WrongResultsListing listing = WrongResultsToShow(wrongResultsFile);
    MChyba->setPlainText(listing.lines.join(u'\n'));
    m_recordCount = listing.recordCount;
    MChyba->setFocus();
}
