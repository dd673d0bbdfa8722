#include "ui/classroom/classstart.h"

#include "core/settings/inifile.h"
#include "ui/classroom/kdocvici.h"
#include "ui/classroom/prehledtridy.h"
#include "ui/messages/centerform.h"
#include "ui/messages/messagebox.h"
#include "ui/settings/heslo.h"

bool ClassPasswordAccepted(QWidget *parent, const QString &iniFile)
{
    const QString stored = IniReadString(iniFile, QStringLiteral("Heslo"), QStringLiteral("hodnota"), QString());
    if (stored.isEmpty())
        return true;
    TFHeslo dialog(true, parent);
    if (parent)
        CenterOverForm(&dialog, parent);
    // exactly as stored: letter case and blanks at both ends count
    return dialog.exec() == QDialog::Accepted && dialog.password() == stored;
}

namespace {

void showOverview(const ClassFolder &classFolder, QDate today, QWidget *over)
{
    if (!ClassPasswordAccepted(over, classFolder.iniFile()))
        return;
    TFPrehledTridy overview(classFolder, today, over);
    overview.exec();
}

} // namespace

DataFolderChoice RunClassStart(const ClassFolder &classFolder, const ClassStartOptions &options, QDate today)
{
    if (options.overview) {
        RunGuarded([&] { showOverview(classFolder, today, nullptr); });
        return {};
    }
    if (!options.pupil.isEmpty())
        return classFolder.openPupil(options.pupil);
    QString preselected = options.loginName;
    for (;;) {
        TFKdoCvici picker(classFolder.pupilNames(), preselected);
        const int result = picker.exec();
        if (result == TFKdoCvici::OverviewResult) {
            preselected = picker.chosenName();
            RunGuarded([&] { showOverview(classFolder, today, nullptr); });
            continue;
        }
        if (result != QDialog::Accepted)
            return {};
        const DataFolderChoice choice = classFolder.openPupil(picker.chosenName());
        if (!choice.folder.isEmpty())
            return choice;
        preselected = picker.chosenName();
        ShowErrorMessage(choice.problem);
    }
}
