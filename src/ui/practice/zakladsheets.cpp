// The printed exercise sheets of the main window: the menu "Příklady na papír".

#include "plugins/sheets/sheetpreview.h"
#include "ui/app/plugins.h"
#include "ui/messages/messagebox.h"
#include "ui/practice/zaklad.h"
#include "ui/practice/zakladmenubar.h"
#include "ui/settings/windowplacement.h"

#include <QAction>
#include <QDialog>

#include <memory>

std::optional<Exercise> TFZaklad::DalsiPrikladProTisk()
{
    return m_generator.drawExercise(operationSwitches(), m_settings).exercise;
}

void TFZaklad::connectSheetItems()
{
    const auto connectItem = [this](QAction *item, int columns) {
        connect(item, &QAction::triggered, this, Guarded([this, columns] { previewSheet(columns); }));
    };
    // The countdown goes on behind the preview: a timed exercise may run out while it is open.
    connectItem(m_menu->MP1Sl, 1);
    connectItem(m_menu->MP2Sl, 2);
    connectItem(m_menu->MP3Sl, 3);
}

void TFZaklad::previewSheet(int columns)
{
    // the previews come with the printing support in a plugin of their own, loaded now
    auto *factory = LoadPlugin<SheetPreviewFactory>(QStringLiteral("numiksheets"));
    if (!factory) {
        ShowMessageBox(QStringLiteral("Tisk se nezdařil."), MessageKind::Warning);
        return;
    }
    const std::unique_ptr<SheetPreview> sheet =
        factory->createSheetPreview(columns, [this] { return DalsiPrikladProTisk(); }, m_files.iniFile, this);
    CenterOverForm(sheet->dialog(), this);
    sheet->dialog()->exec();
    // what the last pass could not draw is told now, if its box has not come yet
    sheet->showFailures();
}
