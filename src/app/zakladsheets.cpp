// The printed exercise sheets of the main window: the menu "Příklady na papír".

#include "app/messagebox.h"
#include "app/zaklad.h"
#include "settings/windowplacement.h"
#include "sheets/t1sl.h"

#include <QAction>

#include <memory>

QString TFZaklad::DalsiPrikladProTisk()
{
    return m_generator.drawSheetLine(operationSwitches(), m_settings);
}

void TFZaklad::connectSheetItems()
{
    const auto lineSource = [this] { return DalsiPrikladProTisk(); };
    const auto connectItem = [this](const char *name, auto open) {
        QAction *item = findChild<QAction *>(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, Guarded(std::move(open)));
    };
    // The countdown goes on behind the preview: a timed exercise may run out while it is open.
    connectItem("MP1Sl", [this, lineSource] {
        TFT1Sl sheet(lineSource, this);
        previewSheet(sheet);
    });
    connectItem("MP2Sl", [this, lineSource] {
        TFT2Sl sheet(lineSource, this);
        previewSheet(sheet);
    });
    connectItem("MP3Sl", [this, lineSource] {
        TFT3Sl sheet(lineSource, this);
        previewSheet(sheet);
    });
}

void TFZaklad::previewSheet(TFT1Sl &sheet)
{
    CenterOverForm(&sheet, this);
    sheet.exec();
    // printing closes the preview as soon as the page is out; what it could not draw is told now
    sheet.showFailures();
}
