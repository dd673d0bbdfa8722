#include "records/chybvysl.h"

#include "records/recordfiles.h"
#include "records/wrongresults.h"

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

QFont sansSerif(int pixels)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TFChyba::TFChyba(const QString &wrongResultsFile, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FChyba"));
    setWindowTitle(QStringLiteral("Chybné výsledky"));
    setFont(sansSerif(WindowFontPixels));
    setFixedSize(BaseSize);

    MChyba = new QPlainTextEdit(this);
    MChyba->setObjectName(QStringLiteral("MChyba"));
    MChyba->setAccessibleName(QStringLiteral("chybné výsledky"));
    MChyba->setReadOnly(true);
    MChyba->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    MChyba->setLineWrapMode(QPlainTextEdit::NoWrap);
    MChyba->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MChyba->setFont(sansSerif(ListFontPixels));

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

    // each record is read on its own, as the record files are always used
    const qint32 count = CountWrongResults(wrongResultsFile);
    QStringList lines;
    for (qint32 i = 1; i <= count; ++i) {
        qint32 index = i;
        WrongResultRecord record;
        ReadWrongResult(wrongResultsFile, index, record);
        lines.append(FormatWrongResultLine(record));
    }
    MChyba->setPlainText(lines.join(u'\n'));
    m_recordCount = count;
    MChyba->setFocus();
}
