#pragma once

#include <QFileDialog>

#include <functional>

// The save dialog of the exports: Qt's own dialog (so that it behaves alike on every desktop),
// the filter "CSV (*.csv)", and ".csv" added to a name typed without an extension. A file that
// refuses() is refused when the teacher accepts it, with the reason, before any question whether
// to replace it; the dialog then stays open for another name.
class ExportFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    ExportFileDialog(QWidget *parent, const QString &startPath, std::function<bool(const QString &)> refuses);

protected:
    void accept() override;

private:
    std::function<bool(const QString &)> m_refuses;
};
