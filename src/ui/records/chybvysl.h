#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

class QPlainTextEdit;
class QPushButton;

// The wrong-results viewer "Chybné výsledky": the records of the wrong-results file one per line,
// oldest first, at most WrongResultsShown of them and then a line that tells how many more there
// are. It reads the file when it is created and keeps how many records the file holds, so that
// the caller can tell whether there is anything to show.
class TFChyba : public QDialog
{
    Q_OBJECT

public:
    // Throws InOutError when the file cannot be read.
    explicit TFChyba(const QString &wrongResultsFile, QWidget *parent = nullptr);

    qint64 recordCount() const { return m_recordCount; }

    static constexpr QSize BaseSize{200, 300};

private:
    qint64 m_recordCount = 0;
    QPlainTextEdit *MChyba = nullptr;
    QPushButton *BBZrus = nullptr;
};
