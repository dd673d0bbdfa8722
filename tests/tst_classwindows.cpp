#include "core/classroom/classfolder.h"
#include "ui/classroom/kdocvici.h"
#include "ui/classroom/prehledtridy.h"
#include "ui/records/csvexportui.h"

#include "testsupport.h"

#include "classfixture.h"

#include <QFile>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

namespace {

QByteArray historyRow(int age, int percent)
{
    return Today.addDays(-age).toString(Qt::ISODate).toUtf8() + ";16:00:00;3;1;1;" + QByteArray::number(percent) + ";+;\r\n";
}

} // namespace

class TestClassWindows : public QObject
{
    Q_OBJECT

private slots:
    // typing picks a name in Czech order, Enter starts, Esc ends
    void picker_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("result");
        QTest::newRow("login name preselected") << QStringLiteral("hana") << QString() << int(Qt::Key_Return)
                                                << QStringLiteral("hana") << int(QDialog::Accepted);
        QTest::newRow("unknown login, first name") << QStringLiteral("root") << QString() << int(Qt::Key_Return)
                                                   << QStringLiteral("Cyril") << int(QDialog::Accepted);
        QTest::newRow("ch after h") << QString() << QStringLiteral("ch") << int(Qt::Key_Return) << QStringLiteral("Chrudoš")
                                    << int(QDialog::Accepted);
        QTest::newRow("č after c") << QString() << QStringLiteral("č") << int(Qt::Key_Enter) << QStringLiteral("Čeněk")
                                   << int(QDialog::Accepted);
        QTest::newRow("Esc ends") << QString() << QStringLiteral("h") << int(Qt::Key_Escape) << QStringLiteral("hana")
                                  << int(QDialog::Rejected);
    }
    void picker()
    {
        QFETCH(QString, login);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QStringList names = {QStringLiteral("Čeněk"), QStringLiteral("Chrudoš"), QStringLiteral("hana"), QStringLiteral("Cyril")};
        SortInCzech(names);
        TFKdoCvici picker(names, login);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        testsupport::typeText(picker.LBZaci, typed);
        QTest::keyClick(picker.LBZaci, Qt::Key(key));
        QTEST(picker.chosenName(), "chosen");
        QTEST(picker.result(), "result");
        QVERIFY(!picker.isVisible());
    }

    void overview()
    {
        QTemporaryDir dir;
        const ClassFolder cls(dir.path());
        for (const char *name : {"Adam", "Bára", "Cyril"})
            QVERIFY(cls.addPupil(QString::fromUtf8(name)).isEmpty());
        const QByteArray header = "datum;čas;známka;správně;chybně;úspěšnost %;operace;časový limit\r\n";
        writeBytes(cls.pupilFolder(QStringLiteral("Adam")) + QStringLiteral("/historie.csv"), header + historyRow(1, 60));
        writeBytes(cls.pupilFolder(QStringLiteral("Cyril")) + QStringLiteral("/historie.csv"), header + historyRow(0, 90));
        QVERIFY(QFile::link(dir.path(), cls.pupilFolder(QStringLiteral("Bára")) + QStringLiteral("/chyba.nmk")));

        TFPrehledTridy window(cls, Today);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.table->model()->index(1, 1).data().toString(), QStringLiteral("nelze přečíst"));
        // the best success first; the unreadable pupil is below every figure
        window.table->sortByColumn(2, Qt::DescendingOrder);
        QStringList order;
        for (const PupilSummary &pupil : window.shownPupils())
            order.append(pupil.name);
        QCOMPARE(order, (QStringList{QStringLiteral("Cyril"), QStringLiteral("Adam"), QStringLiteral("Bára")}));

        // Enter opens the pupil's chart
        window.table->setFocus();
        window.table->setCurrentIndex(window.table->model()->index(0, 0));
        QString chartTitle;
        {
            testsupport::ModalDialogCloser closer([&](QWidget *dialog) { chartTitle = dialog->windowTitle(); });
            QTest::keyClick(window.table, Qt::Key_Return);
            QTRY_VERIFY(closer.handled());
        }
        QVERIFY2(chartTitle.endsWith(QStringLiteral(": Cyril")), qPrintable(chartTitle));

        // a pupil added is a row, with the class's settings
        {
            testsupport::ModalDialogCloser closer([](QWidget *dialog) {
                auto *input = qobject_cast<QInputDialog *>(dialog);
                input->setTextValue(QStringLiteral("  Dana  "));
                input->accept();
            });
            window.BBPridat->click();
            QVERIFY(closer.handled());
        }
        QCOMPARE(window.table->model()->rowCount(), 4);
        QCOMPARE(window.currentPupil(), QStringLiteral("Dana"));

        // the export writes the table; it never replaces a pupil's own file
        QString target = dir.filePath(QStringLiteral("prehled.csv"));
        SetExportFileAsker([&](QWidget *, const QString &) { return target; });
        window.BBExport->click();
        QFile exported(target);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QVERIFY(exported.readAll().contains("Bára;nelze přečíst;"));
        target = cls.pupilFolder(QStringLiteral("Adam")) + QStringLiteral("/historie.csv");
        {
            testsupport::ModalDialogCloser closer;
            window.BBExport->click();
            QVERIFY(closer.handled());
        }
        QFile history(target);
        QVERIFY(history.open(QIODevice::ReadOnly));
        QVERIFY(history.readAll().startsWith(header));
        SetExportFileAsker({});
    }
};

NUMIK_GUI_TEST_MAIN(TestClassWindows)
#include "tst_classwindows.moc"
