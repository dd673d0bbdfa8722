// The plugin "numiksheets": the sheet previews behind SheetPreview.

#include "plugins/sheets/sheetpreview.h"
#include "ui/sheets/t1sl.h"

#include <memory>
#include <utility>

namespace {

class SheetPreviewDialog final : public SheetPreview
{
public:
    SheetPreviewDialog(int columns, SheetRecords::LineSource nextLine, const QString &iniFile, QWidget *parent)
        : m_sheet(create(columns, std::move(nextLine), iniFile, parent))
    {
    }

    QDialog *dialog() override { return m_sheet.get(); }
    void showFailures() override { m_sheet->showFailures(); }

private:
    static std::unique_ptr<TFT1Sl> create(int columns, SheetRecords::LineSource nextLine, const QString &iniFile,
                                          QWidget *parent)
    {
        if (columns == 3)
            return std::make_unique<TFT3Sl>(std::move(nextLine), parent, iniFile);
        if (columns == 2)
            return std::make_unique<TFT2Sl>(std::move(nextLine), parent, iniFile);
        return std::make_unique<TFT1Sl>(std::move(nextLine), parent, iniFile);
    }

    std::unique_ptr<TFT1Sl> m_sheet;
};

class SheetPreviewPlugin final : public QObject, public SheetPreviewFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID NumikSheetPreviewFactory_iid FILE "numikplugin.json")
    Q_INTERFACES(SheetPreviewFactory)

public:
    std::unique_ptr<SheetPreview> createSheetPreview(int columns, SheetRecords::LineSource nextLine,
                                                     const QString &iniFile, QWidget *parent) override
    {
        return std::make_unique<SheetPreviewDialog>(columns, std::move(nextLine), iniFile, parent);
    }
};

} // namespace

#include "sheetmodule.moc"
