// The printed sheets, rendered to PDF and read back with pdftotext -bbox, and opened from the menu.

#include "mainwindowfixture.h"
#include "sheets/sheetpainter.h"
#include "sheets/t1sl.h"

#include <QAction>
#include <QCheckBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <memory>

using namespace testsupport;

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;

struct Word
{
    QString text;
    double xMin, yMin, xMax;
};

// One exercise line as pdftotext sees it: its words from left to right.
struct Line
{
    QList<Word> words;
    double x() const { return words.first().xMin; }
    double y() const { return words.first().yMin; }
    QString text() const
    {
        QStringList texts;
        for (const Word &w : words)
            texts << w.text;
        return texts.join(u' ');
    }
};

struct Page
{
    double width = 0, height = 0;
    QList<Word> words;
};

QList<Page> readPdf(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(10000) || pdftotext.exitCode() != 0)
        qFatal("pdftotext could not read the sheet (poppler-utils is installed by scripts/setup.sh)");
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<Page> pages;
    for (const QRegularExpressionMatch &m : tag.globalMatch(html)) {
        if (!m.captured(1).isEmpty())
            pages.append({m.captured(1).toDouble(), m.captured(2).toDouble(), {}});
        else if (!pages.isEmpty())
            pages.last().words.append({m.captured(6).replace(QStringLiteral("&amp;"), QStringLiteral("&")),
                                       m.captured(3).toDouble(), m.captured(4).toDouble(), m.captured(5).toDouble()});
    }
    return pages;
}

// The words of the detail bands, one Line per column and row; the header and footer words
// (above and below the bands) go to `other`.
QList<Line> exerciseLines(const Page &page, const SheetDesign &design, QList<Word> &other)
{
    std::map<std::pair<int, long>, Line> byPlace; // (column, row position) -> line
    const double top = sheet::DetailTop * PointsPerMm;
    const double bottom = sheet::FooterTop * PointsPerMm;
    for (const Word &w : page.words) {
        if (w.yMin < top || w.yMin > bottom) {
            other.append(w);
            continue;
        }
        const double pitch = (design.detailWidth + design.columnSpacing) * PointsPerMm;
        const int column = int((w.xMin - sheet::MarginLeft * PointsPerMm) / pitch);
        byPlace[{column, std::lround(w.yMin * 10)}].words.append(w);
    }
    QList<Line> lines;
    for (auto &[place, line] : byPlace) {
        std::sort(line.words.begin(), line.words.end(), [](const Word &a, const Word &b) { return a.xMin < b.xMin; });
        lines.append(line);
    }
    return lines;
}

std::unique_ptr<TFT1Sl> makeSheet(int columns, SheetRecords::LineSource source)
{
    switch (columns) {
    case 2:
        return std::make_unique<TFT2Sl>(std::move(source));
    case 3:
        return std::make_unique<TFT3Sl>(std::move(source));
    default:
        return std::make_unique<TFT1Sl>(std::move(source));
    }
}

// One layout pass of the sheet into a PDF file, as printing from the preview does it.
QList<Page> printToPdf(TFT1Sl &sheet, const QString &pdf)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    SetUpSheetPrinter(printer);
    sheet.printSheet(&printer);
    return readPdf(pdf);
}

// A generator with a fixed seed and a fixed clock for its reseeding.
std::unique_ptr<ExerciseGenerator> fixedGenerator()
{
    auto generator = std::make_unique<ExerciseGenerator>([] { return QTime(10, 20, 30); });
    generator->random().setSeed(4711);
    return generator;
}

} // namespace

class TestSheets : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void pageLayout_data();
    void pageLayout();
    void lineTexts_data();
    void lineTexts();
    void hiddenNegativeNumberLeavesItsLengthPlusOneSpaces();
    void everyPassDrawsFreshExercises();
    void aSheetDrawnWithinOneMillisecondRepeatsNoBlock();
    void linesThatCannotBeDrawnAreToldAfterACompletePage();

private:
    QString pdf(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSheets::pageLayout_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<double>>("columnX"); // mm from the paper's left edge
    QTest::addColumn<double>("titleCentre");
    QTest::newRow("one column, 30 lines") << 1 << QList<double>{17.12} << 105.09;
    QTest::newRow("two columns, 60 lines") << 2 << QList<double>{17.12, 112.05} << 108.80;
    QTest::newRow("three columns, 90 lines") << 3 << QList<double>{17.12, 78.74, 140.36} << 108.80;
}

void TestSheets::pageLayout()
{
    QFETCH(int, columns);
    QFETCH(QList<double>, columnX);
    QFETCH(double, titleCentre);

    auto generator = fixedGenerator();
    const PracticeSettings settings;
    auto sheet = makeSheet(columns, [&] { return generator->drawSheetLine({}, settings); });
    const QList<Page> pages = printToPdf(*sheet, pdf("sheet.pdf"));

    QCOMPARE(pages.size(), 1);
    QCOMPARE(qRound(pages[0].width), 595); // A4 portrait in points
    QCOMPARE(qRound(pages[0].height), 842);

    QList<Word> other;
    const QList<Line> lines = exerciseLines(pages[0], sheet->design(), other);
    QCOMPARE(lines.size(), 30 * columns);
    for (int i = 0; i < lines.size(); ++i) {
        const int column = i / 30;
        const int row = i % 30;
        QVERIFY2(qAbs(lines[i].x() - columnX[column] * PointsPerMm) < 0.3, qPrintable(lines[i].text()));
        if (row > 0)
            QVERIFY2(qAbs(lines[i].y() - lines[i - 1].y() - 7.94 * PointsPerMm) < 0.05, qPrintable(lines[i].text()));
        QVERIFY2(QRegularExpression(QStringLiteral(R"(^\d+ \+ \d+ =$)")).match(lines[i].text()).hasMatch(),
                 qPrintable(lines[i].text()));
    }
    QCOMPARE(generator->exerciseCount(), 30 * columns);

    // the title above the bands, centred where its label is; the web address below them
    QList<Word> title, footer;
    for (const Word &w : other)
        (w.yMin < sheet::DetailTop * PointsPerMm ? title : footer).append(w);
    QVERIFY(!title.isEmpty() && !footer.isEmpty());
    QStringList titleWords;
    for (const Word &w : title)
        titleWords << w.text;
    QCOMPARE(titleWords.join(u' '), SheetTitle());
    QCOMPARE(footer.size(), 1);
    QCOMPARE(footer[0].text, SheetFooter());
    QVERIFY(qAbs((title.first().xMin + title.last().xMax) / 2 - titleCentre * PointsPerMm) < 0.5);
    QVERIFY(qAbs((footer[0].xMin + footer[0].xMax) / 2 - 106.815 * PointsPerMm) < 0.5);
}

void TestSheets::lineTexts_data()
{
    QTest::addColumn<OperationSwitches>("switches");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("only multiplication, signed X") << OperationSwitches{false, false, true, false}
                                                   << QStringLiteral(R"(^\d+ X \d+ =$)");
    QTest::newRow("result only, all four operations")
        << OperationSwitches{true, true, true, true} << QStringLiteral(R"(^\d+ [-+X:] \d+ =$)");
}

void TestSheets::lineTexts()
{
    QFETCH(OperationSwitches, switches);
    QFETCH(QString, pattern);

    auto generator = fixedGenerator();
    const PracticeSettings settings; // result only, as by default
    TFT3Sl sheet([&] { return generator->drawSheetLine(switches, settings); });
    QList<Word> other;
    const QList<Line> lines = exerciseLines(printToPdf(sheet, pdf("sheet.pdf")).value(0), sheet.design(), other);
    QCOMPARE(lines.size(), 90);
    const QRegularExpression expected(pattern);
    for (const Line &line : lines)
        QVERIFY2(expected.match(line.text()).hasMatch(), qPrintable(line.text()));
}

void TestSheets::hiddenNegativeNumberLeavesItsLengthPlusOneSpaces()
{
    // -3 + -2 = -5 with any of the three numbers hidden
    auto generator = fixedGenerator();
    PracticeSettings settings;
    settings.resultOnly = false;
    settings.range(Operation::Plus) = {-3, -3, -2, -2, -5, -5, 0, 1, 10};
    TFT1Sl sheet([&] { return generator->drawSheetLine({}, settings); });
    QList<Word> other;
    const QList<Line> lines = exerciseLines(printToPdf(sheet, pdf("sheet.pdf")).value(0), sheet.design(), other);
    QCOMPARE(lines.size(), 30);

    // a space of Arial 12 pt is 0.2778 em
    const double space = 12 * 0.2778;
    const double left = 17.12 * PointsPerMm;
    int firstHidden = 0, secondHidden = 0;
    for (const Line &line : lines) {
        const QString text = line.text();
        if (text == QStringLiteral("+ -2 = -5")) {
            // three spaces for "-3", then the one before the sign
            QVERIFY2(qAbs(line.x() - (left + 4 * space)) < 0.3, qPrintable(QString::number(line.x() - left)));
            ++firstHidden;
        } else if (text == QStringLiteral("-3 + = -5")) {
            // the space after the sign, three for "-2", the one before " = "
            const double gap = line.words[2].xMin - line.words[1].xMax;
            QVERIFY2(qAbs(gap - 5 * space) < 0.3, qPrintable(QString::number(gap)));
            ++secondHidden;
        } else {
            QCOMPARE(text, QStringLiteral("-3 + -2 ="));
        }
    }
    QVERIFY(firstHidden > 0 && secondHidden > 0);
}

void TestSheets::everyPassDrawsFreshExercises()
{
    auto generator = fixedGenerator();
    const PracticeSettings settings;
    TFT1Sl sheet([&] { return generator->drawSheetLine({}, settings); });
    QList<Word> other;
    const QList<Line> previewed = exerciseLines(printToPdf(sheet, pdf("first.pdf")).value(0), sheet.design(), other);
    const QList<Line> printed = exerciseLines(printToPdf(sheet, pdf("second.pdf")).value(0), sheet.design(), other);
    QCOMPARE(previewed.size(), 30);
    QCOMPARE(printed.size(), 30);
    QCOMPARE(generator->exerciseCount(), 60);
    QStringList a, b;
    for (int i = 0; i < 30; ++i) {
        a << previewed[i].text();
        b << printed[i].text();
    }
    QVERIFY(a != b);
}

void TestSheets::aSheetDrawnWithinOneMillisecondRepeatsNoBlock()
{
    // the clock stands still, as it nearly does while 90 lines are drawn
    ExerciseGenerator generator([] { return QTime(10, 20, 30, 400); });
    generator.seedFromClock();
    PracticeSettings settings;
    settings.resultOnly = false;
    SheetRecords records(90, [&] { return generator.drawSheetLine({true, true, true, true}, settings); });
    int failures = -1;
    const QStringList lines = records.layoutPass(90, failures);
    QCOMPARE(lines.size(), 90);
    QCOMPARE(failures, 0);
    // the 25th, 50th and 75th lines read the clock again; each block of 25 is its own
    QVERIFY(lines.mid(0, 25) != lines.mid(25, 25));
    QVERIFY(lines.mid(25, 25) != lines.mid(50, 25));
    QVERIFY(lines.mid(50, 15) != lines.mid(75, 15));
}

void TestSheets::linesThatCannotBeDrawnAreToldAfterACompletePage()
{
    MainWindowFixture fixture;
    fixture.writeIni("[Krat]\nVOD=1000\nVDO=2000\n"); // no product of 0..5 and 0..10 gets there
    auto w = fixture.startWindow();
    MainWindowFixture::child<QCheckBox>(*w, "ChBPlus")->setChecked(false);
    MainWindowFixture::child<QCheckBox>(*w, "ChBKrat")->setChecked(true);
    const qint32 drawnBefore = w->generator().exerciseCount();

    // Every box is closed as it comes; while it is open the preview is repainted, and it must
    // already hold its whole page, drawn by one pass only.
    int boxes = 0;
    int pagesUnderBoxes = 0;
    qint32 drawnUnderBoxes = 0;
    bool previewClosed = false;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *preview = w->findChild<TFT1Sl *>();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            QCOMPARE(box->text(), QStringLiteral("Chyba v programu"));
            if (preview) {
                auto *pages = preview->findChild<QPrintPreviewWidget *>();
                pages->repaint();
                pagesUnderBoxes = std::max(pagesUnderBoxes, pages->pageCount());
            }
            drawnUnderBoxes = w->generator().exerciseCount();
            ++boxes;
            box->accept();
        } else if (modal && modal == preview && boxes >= 30) {
            previewClosed = true;
            preview->reject();
        }
    });
    poll.start();
    w->findChild<QAction *>(QStringLiteral("MP1Sl"))->trigger();
    poll.stop();

    QVERIFY(previewClosed);
    QCOMPARE(boxes, 30);
    QCOMPARE(pagesUnderBoxes, 1);
    QCOMPARE(drawnUnderBoxes, drawnBefore + 30);
    QCOMPARE(w->generator().exerciseCount(), drawnBefore + 30);
    QVERIFY(!w->findChild<TFT1Sl *>()); // the sheet is gone with its preview
}

NUMIK_GUI_TEST_MAIN(TestSheets)
#include "tst_sheets.moc"
