#include "app/exercisewindow.h"

#include <QDir>
#include <QPushButton>
#include <QVBoxLayout>

ExerciseWindow::ExerciseWindow(const QString &programDirectory, QWidget *parent)
    : QWidget(parent)
    , m_iniFile(QDir(programDirectory).filePath(QStringLiteral("numik.ini")))
{
    setWindowTitle(QStringLiteral("Numik - Korvelanta"));
    NactiRozsahZIni(m_iniFile, m_settings);
    NastavDleIni(m_iniFile, m_settings, m_switches);
    m_generator.seedFromClock();

    m_line = new QLabel(this);
    m_line->setFont(QFont(QStringLiteral("Arial"), 24, QFont::Bold));
    auto *next = new QPushButton(QStringLiteral("Další příklad"), this);
    connect(next, &QPushButton::clicked, this, &ExerciseWindow::showNext);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_line);
    layout->addWidget(next);
    showNext();
}

void ExerciseWindow::showNext()
{
    const QString line = m_generator.drawSheetLine(m_switches, m_settings);
    m_line->setText(line.isEmpty() ? QStringLiteral("Chyba v programu") : line + QStringLiteral("?"));
}
