// The printed sheets, rendered to PDF and read back with pdftotext -bbox, and opened from the menu.

#include "core/settings/inifile.h"
#include "mainwindowfixture.h"
#include "ui/sheets/sheetpainter.h"
#include "ui/sheets/t1sl.h"

#include <QAction>
#include <QCheckBox>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <memory>

using namespace testsupport;

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;
// Liberation Sans (Arial's stand-in), bold or not, reaches 0.905 em above the baseline and 0.212 em below
constexpr double LiberationSansHeight = 0.905 + 0.212;

struct Word
{
    QString text;
    double xMin, yMin, xMax, yMax;
};

// One line as pdftotext sees it: its words from left to right.
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

struct PrintedSheet
{
    int pages = 0;
    double width = 0, height = 0;
    QList<Line> lines;  // the detail bands, column after column, top to bottom
    QList<Word> others; // the header's and the footer's words
    QStringList texts() const
    {
        QStringList texts;
        for (const Line &line : lines)
            texts << line.text();
        return texts;
    }
};

// The words of the name line, which lie among the bands but are none of the lines.
bool isNameLineWord(const QString &word)
{
    return word.contains(u'_') || (word.size() > 1 && word.endsWith(u':'));
}

// A page of a sheet printed into a PDF file, read back; `pages` counts all of the file's.
PrintedSheet readPdf(const QString &pdf, const SheetDesign &design, int wanted = 1)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(10000) || pdftotext.exitCode() != 0)
        qFatal("pdftotext could not read the sheet (poppler-utils is installed by scripts/setup.sh)");
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    PrintedSheet result;
    std::map<std::pair<int, long>, Line> byPlace; // (column, top) -> line
    const double pitch = (design.detailWidth + design.columnSpacing) * PointsPerMm;
    for (const QRegularExpressionMatch &m : tag.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput()))) {
        if (!m.captured(1).isEmpty()) {
            ++result.pages;
            result.width = m.captured(1).toDouble();
            result.height = m.captured(2).toDouble();
            continue;
        }
        const Word w{m.captured(7), m.captured(3).toDouble(), m.captured(4).toDouble(), m.captured(5).toDouble(),
                     m.captured(6).toDouble()};
        if (result.pages != wanted)
            continue;
        if (w.yMin < sheet::DetailTop * PointsPerMm || w.yMin > sheet::FooterTop * PointsPerMm || isNameLineWord(w.text))
            result.others.append(w);
        else
            byPlace[{int((w.xMin - sheet::MarginLeft * PointsPerMm) / pitch), std::lround(w.yMin * 10)}].words.append(w);
    }
    // pdftotext gives the words of the page in an order of its own reading
    for (auto &[place, line] : byPlace) {
        std::sort(line.words.begin(), line.words.end(), [](const Word &a, const Word &b) { return a.xMin < b.xMin; });
        result.lines.append(line);
    }
    return result;
}

// One layout pass of the sheet into a PDF file, as printing from the preview makes it, read back.
// `chosen` stands for a paper or orientation picked in a dialog before printing, `onlyPage` for
// a page range of one page.
PrintedSheet printAndRead(TFT1Sl &sheet, const QString &pdf, int dpi = 1200, const QPageLayout &chosen = {}, int onlyPage = 0)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(dpi);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    SetUpSheetPrinter(printer);
    if (chosen.isValid())
        printer.setPageLayout(chosen);
    printer.setPrintRange(onlyPage ? QPrinter::PageRange : QPrinter::AllPages);
    printer.setFromTo(qAbs(onlyPage), qAbs(onlyPage));
    sheet.printSheet(&printer, onlyPage < 0); // a negative page: the preview, with that range chosen before
    return readPdf(pdf, sheet.design());
}

std::unique_ptr<TFT1Sl> makeSheet(int columns, SheetRecords::LineSource source, const QString &ini = {})
{
    if (columns == 3)
        return std::make_unique<TFT3Sl>(std::move(source), nullptr, ini);
    if (columns == 2)
        return std::make_unique<TFT2Sl>(std::move(source), nullptr, ini);
    return std::make_unique<TFT1Sl>(std::move(source), nullptr, ini);
}

// A generator with a fixed seed and a fixed clock for its reseeding.
ExerciseGenerator fixedGenerator()
{
    ExerciseGenerator generator([] { return QTime(10, 20, 30); });
    generator.random().setSeed(4711);
    return generator;
}

// A source that gives these exercises over and over.
SheetRecords::LineSource cycling(const QList<Exercise> &exercises)
{
    return [exercises, next = 0]() mutable { return std::optional(exercises[next++ % exercises.size()]); };
}

} // namespace

class TestSheets : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void pageLayout_data();
    void pageLayout();
    void onlyA4PortraitIsLaidOut_data();
    void onlyA4PortraitIsLaidOut();
    void hiddenNegativeNumberLeavesItsLengthPlusOneSpaces();
    void aSheetDrawnWithinOneMillisecondRepeatsNoBlock();
    void aPrinterThatCannotBeOpenedIsReported();
    void optionsAddTheNameLineAndTheKey_data();
    void optionsAddTheNameLineAndTheKey();
    void linesThatCannotBeDrawnAreToldAfterACompletePage_data();
    void linesThatCannotBeDrawnAreToldAfterACompletePage();
    void keyMarksLinesWithManyAnswers_data();
    void keyMarksLinesWithManyAnswers();
    void theKeyPrintsApartFromTheSheetsForTheClass();
    void longNumbersStayInTheirColumn();
    void blanksAreUnderlinedAcrossTheirWidth_data();
    void blanksAreUnderlinedAcrossTheirWidth();
    void pageDownWorksAsThePreviewOpens();

private:
    QString pdf(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSheets::pageLayout_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<OperationSwitches>("switches");
    QTest::addColumn<QString>("pattern");       // of every line, read back word by word
    QTest::addColumn<QList<double>>("columnX"); // mm from the paper's left edge
    QTest::addColumn<double>("titleCentre");
    QTest::addColumn<int>("dpi"); // the preview lays out at the screen's 96, printing at 1200
    QTest::newRow("one column, addition, 96 dpi") << 1 << OperationSwitches{} << QStringLiteral(R"(^\d+ \+ \d+ =$)")
                                                  << QList<double>{17.12} << 105.09 << 96;
    QTest::newRow("two columns, only multiplication signed X")
        << 2 << OperationSwitches{false, false, true, false} << QStringLiteral(R"(^\d+ X \d+ =$)")
        << QList<double>{17.12, 112.05} << 108.80 << 1200;
    QTest::newRow("three columns, all four, result only")
        << 3 << OperationSwitches{true, true, true, true} << QStringLiteral(R"(^\d+ [-+X:] \d+ =$)")
        << QList<double>{17.12, 78.74, 140.36} << 108.80 << 1200;
}

void TestSheets::pageLayout()
{
    QFETCH(int, columns);
    QFETCH(OperationSwitches, switches);
    QFETCH(QString, pattern);
    QFETCH(QList<double>, columnX);
    QFETCH(double, titleCentre);
    QFETCH(int, dpi);

    auto generator = fixedGenerator();
    const PracticeSettings settings; // result only, as by default
    auto sheet = makeSheet(columns, [&] { return generator.drawExercise(switches, settings).exercise; });
    const PrintedSheet page = printAndRead(*sheet, pdf("sheet.pdf"), dpi);
    QCOMPARE(page.pages, 1);
    QCOMPARE(qRound(page.width), 595); // A4 portrait in points
    QCOMPARE(qRound(page.height), 842);
    QCOMPARE(page.lines.size(), 30 * columns);
    const QRegularExpression expected(pattern);
    for (int i = 0; i < page.lines.size(); ++i) {
        const Line &line = page.lines[i];
        QVERIFY2(expected.match(line.text()).hasMatch(), qPrintable(line.text()));
        QVERIFY2(qAbs(line.x() - columnX[i / 30] * PointsPerMm) < 0.3, qPrintable(line.text()));
        if (i % 30 > 0)
            QVERIFY2(qAbs(line.y() - page.lines[i - 1].y() - 7.94 * PointsPerMm) < 0.05, qPrintable(line.text()));
    }

    // the title above the bands, centred where its label is; the web address below them
    QCOMPARE(page.others.size(), SheetTitle().count(u' ') + 2);
    const Line title{page.others.mid(0, page.others.size() - 1)};
    const Word footer = page.others.last();
    QCOMPARE(title.text(), SheetTitle());
    QCOMPARE(footer.text, SheetFooter());
    QVERIFY(qAbs((title.x() + title.words.last().xMax) / 2 - titleCentre * PointsPerMm) < 0.5);
    QVERIFY(qAbs((footer.xMin + footer.xMax) / 2 - 106.815 * PointsPerMm) < 0.5);
    // the fonts keep their points exactly at every resolution: pdftotext makes a word's box as
    // tall as the font's size times its ascent and descent
    const auto points = [](const Word &w) { return (w.yMax - w.yMin) / LiberationSansHeight; };
    for (const Word &w : page.others + page.lines.first().words)
        QVERIFY2(qAbs(points(w) - (w.text == SheetFooter() ? 10 : 12)) < 0.005, qPrintable(QString::number(points(w))));

    // printing after the preview lays the sheet out again, with exercises of its own
    const PrintedSheet again = printAndRead(*sheet, pdf("again.pdf"));
    QCOMPARE(again.lines.size(), 30 * columns);
    QVERIFY(again.texts() != page.texts());
    QCOMPARE(generator.exerciseCount(), 60 * columns);
}

void TestSheets::onlyA4PortraitIsLaidOut_data()
{
    QTest::addColumn<QPageLayout>("chosen");
    QTest::newRow("A4 landscape") << QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, {});
    QTest::newRow("Letter, narrow margins") << QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, {5, 5, 5, 5});
}

void TestSheets::onlyA4PortraitIsLaidOut()
{
    QFETCH(QPageLayout, chosen);
    auto generator = fixedGenerator();
    const PracticeSettings settings;
    TFT3Sl sheet([&] { return generator.drawExercise({}, settings).exercise; });
    sheet.show(); // the preview offers no other orientation and no page setup
    for (QAction *action : sheet.findChild<QToolBar *>()->actions()) {
        for (const char *gone : {"Portrait", "Landscape", "Page setup"})
            QVERIFY(!action->isVisible() || action->text() != QCoreApplication::translate("QPrintPreviewDialog", gone));
    }
    sheet.reject();

    // a paper picked in the print dialog still gets the sheet exactly as on A4 portrait
    const PrintedSheet reference = printAndRead(sheet, pdf("reference.pdf"));
    const PrintedSheet page = printAndRead(sheet, pdf("chosen.pdf"), 1200, chosen);
    QCOMPARE(QSizeF(page.width, page.height), QSizeF(reference.width, reference.height));
    QCOMPARE(page.lines.size(), 90);
    for (int i : {0, 29, 89})
        QCOMPARE(QPointF(page.lines[i].x(), page.lines[i].y()), QPointF(reference.lines[i].x(), reference.lines[i].y()));
    QCOMPARE(page.others.last().yMax, reference.others.last().yMax);
}

void TestSheets::hiddenNegativeNumberLeavesItsLengthPlusOneSpaces()
{
    // -3 + -2 = -5 with any of the three numbers hidden
    auto generator = fixedGenerator();
    PracticeSettings settings;
    settings.resultOnly = false;
    settings.range(Operation::Plus) = {-3, -3, -2, -2, -5, -5, 0, 1, 10};
    TFT1Sl sheet([&] { return generator.drawExercise({}, settings).exercise; });
    const PrintedSheet page = printAndRead(sheet, pdf("sheet.pdf"));
    QCOMPARE(page.lines.size(), 30);

    const double space = 12 * 0.2778; // of Arial 12 pt
    const double left = 17.12 * PointsPerMm;
    QSet<QString> seen;
    for (const Line &line : page.lines) {
        seen << line.text();
        if (line.text() == QStringLiteral("+ -2 = -5")) // three spaces for "-3", one before the sign
            QVERIFY2(qAbs(line.x() - (left + 4 * space)) < 0.3, qPrintable(QString::number(line.x() - left)));
        else if (line.text() == QStringLiteral("-3 + = -5")) // one after the sign, three for "-2", one before "="
            QVERIFY2(qAbs(line.words[2].xMin - line.words[1].xMax - 5 * space) < 0.3, "second number");
        else
            QCOMPARE(line.text(), QStringLiteral("-3 + -2 ="));
    }
    QCOMPARE(seen.size(), 3);
}

void TestSheets::aSheetDrawnWithinOneMillisecondRepeatsNoBlock()
{
    // the clock stands still, as it nearly does while 90 lines are drawn
    ExerciseGenerator generator([] { return QTime(10, 20, 30, 400); });
    generator.seedFromClock();
    PracticeSettings settings;
    settings.resultOnly = false;
    int failures = -1;
    QStringList lines;
    for (const auto &exercise : SheetRecords(90, [&] {
             return generator.drawExercise({true, true, true, true}, settings).exercise;
         }).layoutPass(90, failures))
        lines << SheetLine(exercise, false).text();
    QCOMPARE(lines.size(), 90);
    // the 25th, 50th and 75th lines read the clock again; each block of 25 is its own
    QVERIFY(lines.mid(0, 25) != lines.mid(25, 25));
    QVERIFY(lines.mid(25, 25) != lines.mid(50, 25));
    QVERIFY(lines.mid(50, 15) != lines.mid(75, 15));
}

void TestSheets::aPrinterThatCannotBeOpenedIsReported()
{
    auto generator = fixedGenerator();
    const PracticeSettings settings;
    TFT1Sl sheet([&] { return generator.drawExercise({}, settings).exercise; });
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir->filePath(QStringLiteral("missing folder/sheet.pdf")));
    SeenBox seen;
    ModalDialogCloser closer(recordBox(seen));
    sheet.printSheet(&printer);
    QTRY_VERIFY(closer.handled());
    QCOMPARE(seen.text, QStringLiteral("Tisk se nezdařil."));
}

void TestSheets::optionsAddTheNameLineAndTheKey_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("nameLine");
    QTest::addColumn<bool>("answerKey");
    QTest::newRow("both off, two columns") << 2 << false << false;
    QTest::newRow("name line, three columns") << 3 << true << false;
    QTest::newRow("key, one column") << 1 << false << true;
    QTest::newRow("both, three columns") << 3 << true << true;
}

void TestSheets::optionsAddTheNameLineAndTheKey()
{
    QFETCH(int, columns);
    QFETCH(bool, nameLine);
    QFETCH(bool, answerKey);
    auto generator = fixedGenerator();
    PracticeSettings settings;
    settings.resultOnly = false; // any of the three numbers hidden
    const QString ini = m_dir->filePath(QStringLiteral("numik.ini"));
    auto sheet = makeSheet(columns, [&] { return generator.drawExercise({true, true, true, true}, settings).exercise; }, ini);
    sheet->findChild<QCheckBox *>(QStringLiteral("ChBJmeno"))->setChecked(nameLine);
    sheet->findChild<QCheckBox *>(QStringLiteral("ChBVysledky"))->setChecked(answerKey);
    QVERIFY(makeSheet(1, {}, ini)->options() == (SheetOptions{nameLine, answerKey})); // remembered

    const PrintedSheet page = printAndRead(*sheet, pdf("sheet.pdf"));
    QCOMPARE(page.pages, answerKey ? 2 : 1);
    QCOMPARE(page.lines.size(), 30 * columns);
    // every band where the design puts it: all 30 per column above the footer, under the name line
    const double footerTop = page.others.last().yMin;
    for (int i = 0; i < page.lines.size(); ++i) {
        QVERIFY2(qAbs(page.lines[i].y() - sheet->design().lineOrigin(i).y() * PointsPerMm) < 0.1, qPrintable(page.lines[i].text()));
        QVERIFY(page.lines[i].words.first().yMax < footerTop);
    }
    QStringList nameWords;
    for (const Word &w : page.others) {
        if (isNameLineWord(w.text) && qAbs(w.yMin - (sheet::DetailTop + sheet::DetailLabel.y()) * PointsPerMm) < 0.1)
            nameWords << w.text;
    }
    QCOMPARE(nameWords.join(u' '), nameLine ? sheet::NameLabel() + u' ' + sheet::DateLabel() : QString());
    if (!answerKey)
        return;

    // the key: every line of the sheet, at its place, with its hidden number filled in and right
    const PrintedSheet key = readPdf(pdf("sheet.pdf"), sheet->design(), 2);
    QCOMPARE(key.lines.size(), page.lines.size());
    QVERIFY(Line{key.others}.text().contains(SheetKeyLabel())); // and no name line
    for (int i = 0; i < key.lines.size(); ++i) {
        const QStringList words = key.lines[i].text().split(u' ');
        QVERIFY(qAbs(key.lines[i].y() - page.lines[i].y()) < 0.05);
        QCOMPARE(words.size(), 5);
        int filledIn = 0;
        for (int slot : {0, 2, 4}) {
            QStringList blanked = words;
            blanked.removeAt(slot);
            filledIn += blanked.join(u' ') == page.lines[i].text();
        }
        QVERIFY2(filledIn >= 1, qPrintable(key.lines[i].text() + u'|' + page.lines[i].text()));
        const qint64 x = words[0].toLongLong(), y = words[2].toLongLong(), z = words[4].toLongLong();
        const QString sign = words[1];
        QVERIFY2(sign == u"+" ? x + y == z : sign == u"-" ? x - y == z : sign == u"X" ? x * y == z : y * z == x,
                 qPrintable(key.lines[i].text()));
    }
}

void TestSheets::linesThatCannotBeDrawnAreToldAfterACompletePage_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QByteArray>("operation"); // the one switch left on
    // no product of 0..5 and 0..10 gets there
    QTest::newRow("multiplication beyond its results") << QByteArray("[Krat]\nVOD=1000\nVDO=2000\n")
                                                       << QByteArray("ChBKrat");
    QTest::newRow("division by 0 alone") << QByteArray("[Del]\nC2OD=0\nC2DO=0\n") << QByteArray("ChBDeleni");
}

void TestSheets::linesThatCannotBeDrawnAreToldAfterACompletePage()
{
    QFETCH(QByteArray, ini);
    QFETCH(QByteArray, operation);
    MainWindowFixture fixture;
    fixture.writeIni(ini);
    auto w = fixture.startWindow();
    MainWindowFixture::child<QCheckBox>(*w, "ChBPlus")->setChecked(false);
    MainWindowFixture::child<QCheckBox>(*w, operation.constData())->setChecked(true);
    const qint32 drawnBefore = w->generator().exerciseCount();

    // Every box is closed as it comes. While it is open the preview repaints, and it must
    // already hold its whole page, drawn by one pass only. After the preview's one box for its 30
    // lines the sheet is printed into a PDF from the preview, which tells its own in one more.
    int boxes = 0, pagesUnderBoxes = 0;
    qint32 drawnUnderBoxes = 0;
    bool printed = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        // the window's preview comes from the sheet module, with a class of its own copy
        auto *preview = w->findChild<QPrintPreviewDialog *>(QStringLiteral("FT1Sl"));
        auto *pages = preview ? preview->findChild<QPrintPreviewWidget *>() : nullptr;
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            QCOMPARE(box->text(), QStringLiteral("Chyba v programu. Příkladů, které nešlo vytvořit: 30."));
            if (boxes < 1) {
                pages->repaint();
                pagesUnderBoxes = std::max(pagesUnderBoxes, pages->pageCount());
                drawnUnderBoxes = w->generator().exerciseCount();
            }
            ++boxes;
            box->accept();
        } else if (preview && QApplication::activeModalWidget() == preview && boxes == 1 && !printed) {
            printed = true;
            preview->printer()->setOutputFormat(QPrinter::PdfFormat);
            preview->printer()->setOutputFileName(fixture.path("sheet.pdf"));
            pages->print();
        } else if (preview && QApplication::activeModalWidget() == preview && boxes >= 2) {
            preview->reject();
        }
    });
    poll.start(10);
    w->findChild<QAction *>(QStringLiteral("MP1Sl"))->trigger();
    poll.stop();

    QCOMPARE(boxes, 2);
    QCOMPARE(pagesUnderBoxes, 1);
    QCOMPARE(drawnUnderBoxes, drawnBefore + 30);
    QCOMPARE(w->generator().exerciseCount(), drawnBefore + 60);
    QVERIFY(!w->findChild<QPrintPreviewDialog *>()); // the sheet is gone with its preview

    // the printed page is whole: title and address on A4 portrait, the lines left empty
    const PrintedSheet page = readPdf(fixture.path("sheet.pdf"), SheetDesign::forColumns(1));
    QCOMPARE(page.pages, 1);
    QCOMPARE(qRound(page.height), 842);
    QVERIFY(page.lines.isEmpty());
    QCOMPARE(page.others.last().text, SheetFooter());

    // the program goes on, and its exit saves the switches and the placement as always
    QVERIFY(w->isVisible());
    QVERIFY(w->close());
    const QString saved = fixture.path("numik.ini");
    QVERIFY(!IniReadBool(saved, QStringLiteral("Operace"), QStringLiteral("Plus"), true));
    QVERIFY(IniReadBool(saved, QStringLiteral("Operace"), QString::fromLatin1(operation.mid(3)), false));
    QCOMPARE(IniReadInteger(saved, QStringLiteral("Okno"), QStringLiteral("velikost"), 0), 100);
}

void TestSheets::keyMarksLinesWithManyAnswers_data()
{
    QTest::addColumn<Exercise>("exercise");
    QTest::addColumn<QString>("key");
    QTest::newRow("0 X ___ = 0") << Exercise{0, Operation::Krat, 4, 0, UnknownSlot::Second} << "0 X * = 0";
    QTest::newRow("___ X 0 = 0") << Exercise{-5, Operation::Krat, 0, 0, UnknownSlot::First} << "* X 0 = 0";
    QTest::newRow("0 : ___ = 0") << Exercise{0, Operation::Del, 3, 0, UnknownSlot::Second} << "0 : ** = 0";
    QTest::newRow("0 X 0 = ___") << Exercise{0, Operation::Krat, 0, 0, UnknownSlot::Result} << "0 X 0 = 0";
    QTest::newRow("___ X 5 = 0 has only 0") << Exercise{0, Operation::Krat, 5, 0, UnknownSlot::First} << "0 X 5 = 0";
    QTest::newRow("___ : 5 = 0 has only 0") << Exercise{0, Operation::Del, 5, 0, UnknownSlot::First} << "0 : 5 = 0";
}

void TestSheets::keyMarksLinesWithManyAnswers()
{
    QFETCH(Exercise, exercise);
    QFETCH(QString, key);
    // on paper, beside a line of the other kind, each footnote once beside the web address
    TFT2Sl sheet(cycling({exercise, {0, Operation::Del, 7, 0, UnknownSlot::Second}}));
    sheet.setOptions({false, true});
    printAndRead(sheet, pdf("key.pdf"));
    const PrintedSheet page = readPdf(pdf("key.pdf"), sheet.design(), 2);
    QCOMPARE(page.lines.first().text(), key);
    QCOMPARE(page.lines.last().text(), QStringLiteral("0 : ** = 0"));
    const QString footer = Line{page.others}.text();
    QCOMPARE(footer.count(sheet::AnswerFootnote(AnswerSpan::AnyNumber)), int(key.count(u'*') == 1));
    QCOMPARE(footer.count(sheet::AnswerFootnote(AnswerSpan::AnyNonZero)), 1);
}

void TestSheets::theKeyPrintsApartFromTheSheetsForTheClass()
{
    auto generator = fixedGenerator();
    TFT1Sl sheet([&] { return generator.drawExercise({}, PracticeSettings()).exercise; });
    sheet.setOptions({true, true});
    const PrintedSheet sheets = printAndRead(sheet, pdf("class.pdf"), 1200, {}, 1);
    const qint32 drawn = generator.exerciseCount();
    const PrintedSheet key = printAndRead(sheet, pdf("key.pdf"), 1200, {}, 2);
    QCOMPARE(QList<int>({sheets.pages, key.pages}), QList<int>({1, 1}));
    QVERIFY(!Line{sheets.others}.text().contains(SheetKeyLabel()) && Line{key.others}.text().contains(SheetKeyLabel()));
    // the key is that of the sheets printed before it, the result filled in after each line
    QCOMPARE(generator.exerciseCount(), drawn);
    for (int i = 0; i < 30; ++i)
        QVERIFY(key.lines[i].text().startsWith(sheets.lines[i].text() + u' '));
    QCOMPARE(printAndRead(sheet, pdf("preview.pdf"), 1200, {}, -2).pages, 2); // the preview shows every page
}

void TestSheets::longNumbersStayInTheirColumn()
{
    // 7-digit numbers in every place, between lines of small numbers, on the sheet and its key
    TFT3Sl sheet(cycling({{1234567, Operation::Krat, 12, 14814804, UnknownSlot::Result},
                          {-1234567, Operation::Minus, 9876543, -11111110, UnknownSlot::First},
                          {2, Operation::Plus, 3, 5, UnknownSlot::Result}}));
    sheet.setOptions({false, true});
    printAndRead(sheet, pdf("long.pdf"));
    for (int key : {1, 2}) {
        const PrintedSheet page = readPdf(pdf("long.pdf"), sheet.design(), key);
        QCOMPARE(page.lines.size(), 90);
        for (int i = 0; i < 90; ++i) {
            const Word &first = page.lines[i].words.first(), &last = page.lines[i].words.last();
            const QPointF origin = sheet.design().lineOrigin(i) * PointsPerMm;
            QVERIFY(last.xMax <= origin.x() + sheet.design().lineWidth() * PointsPerMm);
            // every line on its baseline
            QVERIFY(qAbs(first.yMax - (first.yMax - first.yMin) * 0.212 / LiberationSansHeight - origin.y() - 12 * 0.905) < 0.05);
        }
    }
}

void TestSheets::blanksAreUnderlinedAcrossTheirWidth_data()
{
    QTest::addColumn<QRectF>("box");  // mm, where the underline is looked for
    QTest::addColumn<double>("left"); // mm, where it must start, and how long it must be
    QTest::addColumn<double>("length");
    const double space = 12 * 0.2778 / PointsPerMm;
    QTest::newRow("the name, 28 mm before") << QRectF(15, 25, 124, 8) << 32.0 << 140.18 - 2 * space - 32;
    QTest::newRow("a hidden first number") << QRectF(15, 33.5, 10, 8) << 17.12 << 2 * space;
}

void TestSheets::blanksAreUnderlinedAcrossTheirWidth()
{
    QFETCH(QRectF, box);
    QFETCH(double, left);
    QFETCH(double, length);
    SheetDesign design = SheetDesign::forColumns(1);
    design.nameLine = true;
    const double px = 300 / 25.4; // at 300 dpi
    QImage image(qRound(210 * px), qRound(297 * px), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(px * 1000));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintSheet(painter, design, {Exercise{7, Operation::Krat, 8, 56, UnknownSlot::First}});
    // the longest dark run along a pixel row in the box
    double start = 0, run = 0;
    for (int y = int(box.top() * px); y < int(box.bottom() * px); ++y) {
        for (int x = int(box.left() * px), dark = 0; x < int(box.right() * px); ++x) {
            dark = qGray(image.pixel(x, y)) < 128 ? dark + 1 : 0;
            if (dark > run * px)
                std::tie(start, run) = std::pair((x + 1 - dark) / px, dark / px);
        }
    }
    QVERIFY2(qAbs(start - left) < 3 && qAbs(run - length) < (length > 10 ? 4 : 0.3), qPrintable(QString::number(run)));
}

void TestSheets::pageDownWorksAsThePreviewOpens()
{
    TFT1Sl sheet(cycling({{7, Operation::Krat, 8, 56}}));
    sheet.setOptions({false, true});
    sheet.show();
    auto *view = sheet.findChild<QGraphicsView *>();
    QTRY_COMPARE(sheet.focusWidget(), static_cast<QWidget *>(view));
    QTest::keyClick(sheet.focusWidget(), Qt::Key_PageDown);
    QVERIFY(view->verticalScrollBar()->value() > 0);
}

NUMIK_GUI_TEST_MAIN(TestSheets)
#include "tst_sheets.moc"
