#pragma once

#include "core/generator/exercise.h"
#include "ui/widgets/amedit.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <vector>

class CasGauge;
class NumikStyle;
class QCheckBox;
class QLabel;

// The client area of the main window at its fixed pixel positions: the two partial counts, the
// operation switches, the exercise's number fields, the countdown bar and the feedback pictures
// over the fields. Every control grows with the window's zoom.
class ZakladClient : public QWidget
{
    Q_OBJECT

public:
    // The size at 100 %, above the status bar.
    static constexpr QSize BaseSize{342, 172};

    // zoomPercent: the zoom the controls are laid out at first.
    explicit ZakladClient(int zoomPercent, QWidget *parent = nullptr);

    // Lays every control out again at the zoom, and the faces at the screen's pixel density.
    void applyZoom(int zoomPercent);
    void renderPictures();

    // The number field of a slot: ECislo1, ECislo2 or EVysledek.
    TAMEdit *fieldOfSlot(UnknownSlot slot) const;
    // The hidden number's field becomes the only editable one, and takes the focus.
    void NastavFormDleNeznama(UnknownSlot slot);
    // The exercise's numbers, its sign, and the hidden number's field empty.
    void showExercise(const Exercise &exercise);

    OperationSwitches operationSwitches() const;
    void setOperationSwitches(const OperationSwitches &switches);
    void enableOperationSwitches(bool enabled);

    // controls, named as the program names them
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    TAMEdit *EOK = nullptr;
    TAMEdit *EChyba = nullptr;
    QCheckBox *ChBPlus = nullptr;
    QCheckBox *ChBMinus = nullptr;
    QCheckBox *ChBKrat = nullptr;
    QCheckBox *ChBDeleni = nullptr;
    TAMEdit *ECislo1 = nullptr;
    TAMEdit *EOperace = nullptr;
    TAMEdit *ECislo2 = nullptr;
    TAMEdit *AMEdit2 = nullptr;
    TAMEdit *EVysledek = nullptr;
    QLabel *ICislo1 = nullptr;
    QLabel *ICislo2 = nullptr;
    QLabel *IVysledek = nullptr;
    CasGauge *GCasLim = nullptr;

signals:
    // Enter in one of the number fields, shown or hidden.
    void enterPressed(TAMEdit *field);
    // The pupil typed or erased in a number field.
    void numberEdited();

private:
    struct ScaledWidget
    {
        QPointer<QWidget> widget;
        QRect base;
        int baseFontPixels;
        bool bold;
    };

    TAMEdit *addNumberField(const char *name, const QRect &base, int tag, bool readOnly, const QString &hint);
    QLabel *addPicture(const char *name, const QRect &base);
    QCheckBox *addSwitch(const char *name, const QString &caption, int top, Operation op, const QString &hint);
    void place(QWidget *widget, const QRect &base, int fontPixels, bool bold = false);
    static void scale(const ScaledWidget &s, double factor);

    double m_factor;
    NumikStyle *m_switchStyle = nullptr; // the switches' squares grow with the zoom
    std::vector<ScaledWidget> m_scaled;
};
