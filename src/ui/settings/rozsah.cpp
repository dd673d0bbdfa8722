#include "ui/settings/rozsah.h"

#include "ui/messages/messagebox.h"
#include "ui/settings/gradingpage.h"
#include "ui/settings/pagecontrol.h"
#include "ui/settings/pagekit.h"
#include "ui/settings/rangespage.h"
#include "ui/settings/restrictionspage.h"
#include "ui/settings/teachingpage.h"
#include "ui/settings/timelimitpage.h"
#include "ui/settings/unknownpage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {

// at least; wider when the range fields need it
constexpr QSize ClientSize(392, 357);
constexpr int ButtonStripHeight = 41;
constexpr int TabWidth = 125;
constexpr int TabsPerRow = 3;
constexpr int RestrictionsPageIndex = 1;

// The threshold fields as the coupling rule sees them.
class ThresholdWidgets : public ThresholdFields
{
public:
    explicit ThresholdWidgets(const GradingPage &page) : m_page(page) {}
    qint32 threshold(int grade) const override { return m_page.threshold(grade)->value(); }
    void setThreshold(int grade, qint32 value) override { m_page.threshold(grade)->setValue(value); }

private:
    const GradingPage &m_page;
};

} // namespace

TFRozsah::TFRozsah(SettingsOwner &owner, RandomSource &random, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_random(random)
{
    setObjectName(QStringLiteral("FRozsah"));
    setWindowTitle(QStringLiteral("Možnosti"));
    setFont(ArialPixels(13));
    buildControls();
    FormCreate();
}

void TFRozsah::buildControls()
{
    PC = new TPageControl(TabWidth, TabsPerRow, this);
    PC->setObjectName(QStringLiteral("PC"));
    TabSheet1 = new RangesPage;
    // the pages sit inside the page control's frame
    const int width = std::max(ClientSize.width(), TabSheet1->neededWidth() + 8);
    setFixedSize(width, ClientSize.height());
    PC->setGeometry(0, 0, width, ClientSize.height() - ButtonStripHeight);
    TabSheet6 = new RestrictionsPage;
    TabSheet2 = new GradingPage;
    TabSheet3 = new TimeLimitPage;
    TabSheet4 = new TeachingPage;
    TabSheet5 = new UnknownPage;
    PC->addPage(TabSheet1, QStringLiteral("&rozsah počtů"), "TabSheet1");
    PC->addPage(TabSheet6, QStringLiteral("&omezení rozsahu"), "TabSheet6");
    PC->addPage(TabSheet2, QStringLiteral("&dílčí hodnocení"), "TabSheet2");
    PC->addPage(TabSheet3, QStringLiteral("č&as. omezení"), "TabSheet3");
    PC->addPage(TabSheet4, QStringLiteral("r&ežim výuka"), "TabSheet4");
    PC->addPage(TabSheet5, QStringLiteral("&neznámá"), "TabSheet5");

    const int stripTop = ClientSize.height() - ButtonStripHeight;
    BBOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BBOK->setObjectName(QStringLiteral("BBOK"));
    BBOK->setGeometry(width - 180, stripTop + 8, 82, 25);
    BBOK->setDefault(true);
    BBZrus = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Zruš"), this);
    BBZrus->setObjectName(QStringLiteral("BBZrus"));
    BBZrus->setGeometry(width - 90, stripTop + 8, 82, 25);
    connect(BBOK, &QPushButton::clicked, this, Guarded([this] { BBOKClick(); }));
    connect(BBZrus, &QPushButton::clicked, this, &QDialog::reject);

    // the Tags by which the couplings find a field's partner
    for (TRxSpinEdit *field : TabSheet1->fields())
        m_byTag.insert(field->tag(), field);
    for (Operation op : DialogOperations) {
        m_byTag.insert(TabSheet6->lowest(op)->tag(), TabSheet6->lowest(op));
        m_byTag.insert(TabSheet6->highest(op)->tag(), TabSheet6->highest(op));
    }
    for (int grade = 1; grade <= 4; ++grade)
        m_byTag.insert(TabSheet2->threshold(grade)->tag(), TabSheet2->threshold(grade));

    for (auto it = m_byTag.cbegin(); it != m_byTag.cend(); ++it) {
        if (it.key() >= FirstThresholdTag)
            connect(it.value(), &TRxSpinEdit::changed, this, Guarded([this](TRxSpinEdit *f) { RSEHodnChange(f); }));
        else
            connect(it.value(), &TRxSpinEdit::changed, this, Guarded([this](TRxSpinEdit *f) { RSEChange(f); }));
    }
    connect(TabSheet3->RSECasLimit, &TRxSpinEdit::changed, this, Guarded([this] { RSECasLimitChange(); }));
    connect(TabSheet6, &RestrictionsPage::unlistedBoxHidden, this, Guarded([this](QComboBox *c) { holdUnlisted(c); }));
    connect(TabSheet6, &RestrictionsPage::listEdited, this, [this] { m_rangesTouched = true; });
}

void TFRozsah::holdUnlisted(QComboBox *combo)
{
    PC->setCurrentIndex(RestrictionsPageIndex);
    combo->setFocus(Qt::OtherFocusReason);
}

void TFRozsah::FormCreate()
{
    // each set goes through the change handlers, so the couplings act on the loaded values in
    // this order
    const RozsahValues v = m_owner.values();
    TabSheet1->load(v.ranges);
    for (int grade = 1; grade <= 4; ++grade)
        TabSheet2->threshold(grade)->setValue(v.gradeThreshold[std::size_t(grade - 1)]);
    TabSheet2->RSEAutoPo->setValue(v.autoEvaluateAfter);
    TabSheet2->ChBMazPo->setChecked(v.clearAfterAutoEvaluation);
    TabSheet6->loadChoices(v.ranges);
    TabSheet6->loadBounds(v.ranges);
    TabSheet3->RSECasLimit->setValue(v.timeLimitSeconds);
    TabSheet4->ChBStart->setChecked(v.startInTeachingMode);
    TabSheet3->ChBDeaktiv->setChecked(v.pauseOnDeactivate);
    TabSheet4->setHistoryAccess(static_cast<qint32>(v.historyAccess));
    TabSheet4->setWrongResultsAccess(static_cast<qint32>(v.wrongResultsAccess));
    TabSheet5->ChBNeznVysl->setChecked(v.resultOnly);
    m_rangesTouched = false;
    m_timeLimitTouched = false;
    PC->setCurrentIndex(0);
}

void TFRozsah::RSEChange(TRxSpinEdit *field)
{
    const int partnerTag = RangePartnerTag(field->tag());
    if (TRxSpinEdit *partner = m_byTag.value(partnerTag)) {
        if (const auto value = RangePartnerValue(field->tag(), field->value(), partner->value()))
            partner->setValue(*value); // its own change event finds the pair in order
    }
    m_rangesTouched = true;
}

void TFRozsah::RSEHodnChange(TRxSpinEdit *field)
{
    ThresholdWidgets thresholds(*TabSheet2);
    CoupleThresholds(thresholds, field->tag() - FirstThresholdTag + 1);
}

void TFRozsah::RSECasLimitChange()
{
    m_timeLimitTouched = true;
}

RozsahValues TFRozsah::currentValues() const
{
    RozsahValues v;
    TabSheet1->store(v.ranges);
    TabSheet6->store(v.ranges);
    for (int grade = 1; grade <= 4; ++grade)
        v.gradeThreshold[std::size_t(grade - 1)] = TabSheet2->threshold(grade)->value();
    v.autoEvaluateAfter = TabSheet2->RSEAutoPo->value();
    v.clearAfterAutoEvaluation = TabSheet2->ChBMazPo->isChecked();
    v.timeLimitSeconds = TabSheet3->RSECasLimit->value();
    v.startInTeachingMode = TabSheet4->ChBStart->isChecked();
    v.pauseOnDeactivate = TabSheet3->ChBDeaktiv->isChecked();
    v.historyAccess = TeachingAccess(TabSheet4->historyAccess());
    v.wrongResultsAccess = TeachingAccess(TabSheet4->wrongResultsAccess());
    v.resultOnly = TabSheet5->ChBNeznVysl->isChecked();
    return v;
}

void TFRozsah::BBOKClick()
{
    // OK does what leaving each field does, whether or not the focus left it (Enter reaches OK
    // in the field being typed in): the limits apply, and a combo box that names no listed item
    // keeps the focus and the dialog open
    for (TRxSpinEdit *field : findChildren<TRxSpinEdit *>())
        field->applyLimits();
    if (QComboBox *unlisted = TabSheet6->takeTypedChoices()) {
        holdUnlisted(unlisted);
        return;
    }
    if (const auto wrongList = TabSheet6->firstListProblem()) {
        // the teacher sees the field while reading the message and can type on after it
        PC->setCurrentIndex(RestrictionsPageIndex);
        wrongList->field->setFocus(Qt::OtherFocusReason);
        ShowMessageBox(NumberListMessage(wrongList->op, wrongList->reading), MessageKind::Warning);
        wrongList->field->setFocus(Qt::OtherFocusReason);
        return;
    }
    const RozsahValues values = currentValues();
    if (const auto wrong = FirstInadmissibleOperation(m_random, values.ranges)) {
        ShowMessageBox(InadmissibleRangeMessage(*wrong), MessageKind::Warning);
        return;
    }
    m_owner.applySettings({values, m_rangesTouched, m_timeLimitTouched});
    accept();
}

bool TFRozsah::event(QEvent *event)
{
    // the hints go to the main window's status line, as the main window's own do
    if (event->type() == QEvent::StatusTip && parentWidget()) {
        QApplication::sendEvent(parentWidget()->window(), event);
        return true;
    }
    return QDialog::event(event);
}
