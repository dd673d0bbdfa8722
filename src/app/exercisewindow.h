#pragma once

#include "generator/generator.h"
#include "settings/practicesettings.h"

#include <QLabel>
#include <QWidget>

// A first window over the generator: it poses exercises drawn from the stored settings.
class ExerciseWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ExerciseWindow(const QString &programDirectory, QWidget *parent = nullptr);

private:
    void showNext();

    QString m_iniFile;
    PracticeSettings m_settings;
    OperationSwitches m_switches;
    ExerciseGenerator m_generator;
    QLabel *m_line = nullptr;
};
