#include "ui/settings/gradingpage.h"

#include "ui/settings/pagekit.h"

#include <QCheckBox>
#include <QFrame>

namespace {

constexpr int FieldPixels = 16;

} // namespace

GradingPage::GradingPage(QWidget *parent)
    : QWidget(parent)
{
    addLabel(this, QStringLiteral("hodnocení\n(známka)"), {8, 6, 80, 32});
    addLabel(this, QStringLiteral("od\n(procenta\nsprávných)"), {96, 4, 80, 46});
    for (int grade = 1; grade <= 4; ++grade) {
        const int top = 54 + (grade - 1) * 32;
        QLabel *number = addLabel(this, QString::number(grade), {20, top, 30, 26}, true, FieldPixels);
        number->setAlignment(Qt::AlignCenter);
        TRxSpinEdit *field = addSpinEdit(this, QStringLiteral("RSEHodn%1").arg(grade), FirstThresholdTag + grade - 1,
                                         {90, top, 70, 26}, {},
                                         QStringLiteral("nejnižší procento správných odpovědí pro známku %1").arg(grade));
        field->setFont(ArialPixels(FieldPixels, true));
        // the limits leave room for four strictly falling thresholds; the fields start at them
        field->setLimits(ThresholdLimits(grade));
        m_thresholds[std::size_t(grade - 1)] = field;
    }

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(180, 6, 4, 176);

    addLabel(this, QStringLiteral("automaticky\nhodnotit po:"), {196, 6, 120, 32});
    RSEAutoPo = addSpinEdit(this, QStringLiteral("RSEAutoPo"), 0, {196, 44, 70, 26}, {},
                            QStringLiteral("automaticky hodnotit po počtu příkladů"));
    RSEAutoPo->setFont(ArialPixels(FieldPixels, true));
    RSEAutoPo->setLimits(AutoEvaluateLimits);
    addLabel(this, QStringLiteral("příkladech"), {272, 44, 80, 26});

    QLabel *clearText = addLabel(this, QStringLiteral("po automatickém hodnocení \nvymazat dílčí počty"), {196, 92, 164, 32});
    ChBMazPo = new QCheckBox(this);
    ChBMazPo->setObjectName(QStringLiteral("ChBMazPo"));
    ChBMazPo->setGeometry(362, 98, 20, 20);
    ChBMazPo->setAccessibleName(QStringLiteral("po automatickém hodnocení vymazat dílčí počty"));
    clearText->setBuddy(ChBMazPo);
}
