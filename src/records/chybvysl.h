#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

class QPlainTextEdit;
class QPushButton;

// The wrong-results viewer "Chybné výsledky": every record of the wrong-results file as one line,
// oldest first. It reads the file when it is created and keeps how many records it read, so that
// the caller can tell whether there is anything to show.
class TFChyba : public QDialog
{
    Q_OBJECT

public:
    // Throws InOutError when the file cannot be read.
    explicit TFChyba(const QString &wrongResultsFile, QWidget *parent = nullptr);

    qint32 recordCount() const { return m_recordCount; }

    static constexpr QSize BaseSize{200, 300};

private:
    qint32 m_recordCount = 0;
    QPlainTextEdit *MChyba = nullptr;
    QPushButton *BBZrus = nullptr;
};
