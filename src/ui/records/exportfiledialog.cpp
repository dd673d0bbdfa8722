#include "ui/records/exportfiledialog.h"

#include "core/records/exporttarget.h"
#include "ui/messages/messagebox.h"

#include <QFileInfo>

ExportFileDialog::ExportFileDialog(QWidget *parent, const QString &startPath,
                                   std::function<bool(const QString &)> refuses)
    : QFileDialog(parent, QStringLiteral("Export"), startPath, QStringLiteral("CSV (*.csv)")),
      m_refuses(std::move(refuses))
{
    setObjectName(QStringLiteral("ExportFileDialog"));
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(QStringLiteral("csv"));
}

void ExportFileDialog::accept()
{
    bool refused = false;
    RunGuarded([&] {
        // the name as the dialog will return it, its suffix added; a folder is entered instead
        const QStringList files = selectedFiles();
        refused = !files.isEmpty() && !QFileInfo(files.first()).isDir() && m_refuses(files.first());
        if (refused)
            ShowMessageBox(ExportRefusedText, MessageKind::Warning);
    });
    if (!refused)
        QFileDialog::accept();
}
