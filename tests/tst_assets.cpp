#include "testsupport.h"
#include "ui/app/pictures.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSvgRenderer>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <limits>

namespace {

QImage imageOf(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

bool isGreen(QColor c)
{
    return c.alpha() > 200 && c.green() > 120 && c.green() > c.red() + 50 && c.green() > c.blue() + 50;
}

bool isRed(QColor c)
{
    return c.alpha() > 200 && c.red() > 150 && c.red() > c.green() + 80 && c.red() > c.blue() + 80;
}

int countPixels(const QImage &image, bool (*matches)(QColor))
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += matches(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

int countOpaque(const QImage &image)
{
    return countPixels(image, [](QColor c) { return c.alpha() > 200; });
}

// What a test needs to know of a wave file; the header is read chunk by chunk as a player does.
struct WaveInfo
{
    QString error;
    quint16 format = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint16 bitsPerSample = 0;
    QList<qint16> samples;
};

WaveInfo readWave(const QString &path)
{
    WaveInfo info;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        info.error = QStringLiteral("cannot open ") + path;
        return info;
    }
    const QByteArray bytes = file.readAll();
    const auto u32 = [&bytes](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    const auto u16 = [&bytes](qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        info.error = QStringLiteral("not a RIFF/WAVE file");
        return info;
    }
    if (u32(4) != quint32(bytes.size() - 8)) {
        info.error = QStringLiteral("the RIFF size does not match the file");
        return info;
    }
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = u32(at + 4);
        const qsizetype body = at + 8;
        if (size > quint32(bytes.size() - body)) {
            info.error = QStringLiteral("chunk ") + QString::fromLatin1(id) + QStringLiteral(" runs past the end");
            return info;
        }
        if (id == "fmt " && size >= 16) {
            info.format = u16(body);
            info.channels = u16(body + 2);
            info.sampleRate = u32(body + 4);
            info.bitsPerSample = u16(body + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || info.bitsPerSample != 16) {
                info.error = QStringLiteral("sample data before a 16-bit format");
                return info;
            }
            for (qsizetype i = 0; i + 1 < qsizetype(size); i += 2)
                info.samples.append(qint16(u16(body + i)));
            return info;
        }
        at = body + size + (size & 1);
    }
    info.error = QStringLiteral("no data chunk");
    return info;
}

} // namespace

class TestAssets : public QObject
{
    Q_OBJECT

private slots:
    void everyPictureLoads_data();
    void everyPictureLoads();
    void picturesAreDistinct();
    void badRequestsGiveEmptyPixmaps_data();
    void badRequestsGiveEmptyPixmaps();
    void feedbackColours_data();
    void feedbackColours();
    void animationTicksOffOneExercisePerFrame();
    void animationFramesAreClamped_data();
    void animationFramesAreClamped();
    void applicationIcon();
    void soundFiles_data();
    void soundFiles();
};

void TestAssets::everyPictureLoads_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("drawnSize");

    QTest::newRow("tick") << "VYSL_OK" << QSize(65, 65);
    QTest::newRow("cross") << "VYSL_CHYBA" << QSize(65, 65);
    QTest::newRow("cross over clock") << "VYSL_CHYBA_CAS" << QSize(65, 65);
    QTest::newRow("smiling face") << "FACE_SMILE" << QSize(32, 32);
    QTest::newRow("frowning face") << "FACE_FROWN" << QSize(32, 32);
    QTest::newRow("grade 1") << "ZN1" << QSize(85, 130);
    QTest::newRow("grade 1 with star") << "ZN1HV" << QSize(85, 130);
    QTest::newRow("grade 2") << "ZN2" << QSize(85, 130);
    QTest::newRow("grade 3") << "ZN3" << QSize(85, 130);
    QTest::newRow("grade 4") << "ZN4" << QSize(85, 130);
    QTest::newRow("grade 5") << "ZN5" << QSize(85, 130);
    QTest::newRow("animation strip") << "ANIMACE" << QSize(400, 75);
    QTest::newRow("application icon") << "MAINICON" << QSize(64, 64);
}

void TestAssets::everyPictureLoads()
{
    QFETCH(QString, name);
    QFETCH(QSize, drawnSize);

    QSvgRenderer renderer(QStringLiteral(":/") + name);
    QVERIFY(renderer.isValid());
    // drawn for the size the windows show it at, so that 100 % maps whole units to pixels
    QCOMPARE(renderer.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(drawnSize)));

    for (const qreal ratio : {1.0, 1.5, 3.0}) {
        const QPixmap pixmap = Picture(name, drawnSize, ratio);
        QVERIFY2(!pixmap.isNull(), qPrintable(QStringLiteral("ratio %1").arg(ratio)));
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.size(), (QSizeF(drawnSize) * ratio).toSize());
        // at a fractional ratio the device size is rounded to whole pixels, within one of them
        const QSizeF logical = pixmap.deviceIndependentSize();
        QVERIFY(std::abs(logical.width() - drawnSize.width()) * ratio <= 0.5);
        QVERIFY(std::abs(logical.height() - drawnSize.height()) * ratio <= 0.5);
        // something is drawn, and it does not fill the whole square: the background is clear
        const QImage image = imageOf(pixmap);
        const int opaque = countOpaque(image);
        QVERIFY2(opaque > image.width() * image.height() / 20, qPrintable(QString::number(opaque)));
        QVERIFY(opaque < image.width() * image.height());
    }
}

void TestAssets::picturesAreDistinct()
{
    // two names given the same drawing by mistake would show the wrong grade or face
    const QStringList names = {"VYSL_OK", "VYSL_CHYBA", "VYSL_CHYBA_CAS", "FACE_SMILE", "FACE_FROWN",
                               "ZN1", "ZN1HV", "ZN2", "ZN3", "ZN4", "ZN5", "MAINICON"};
    QList<QImage> images;
    for (const QString &name : names)
        images.append(imageOf(Picture(name, QSize(40, 60), 1.0)));
    for (qsizetype i = 0; i < images.size(); ++i)
        for (qsizetype j = i + 1; j < images.size(); ++j)
            QVERIFY2(images[i] != images[j], qPrintable(names[i] + QStringLiteral(" = ") + names[j]));
}

void TestAssets::badRequestsGiveEmptyPixmaps_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");

    const QSize ok(65, 65);
    QTest::newRow("unknown name") << "VYSL_NIC" << ok << 1.0;
    QTest::newRow("empty name") << "" << ok << 1.0;
    QTest::newRow("names are case-sensitive") << "vysl_ok" << ok << 1.0;
    QTest::newRow("name with a path") << "../VYSL_OK" << ok << 1.0;
    QTest::newRow("resource path as name") << ":/VYSL_OK" << ok << 1.0;
    QTest::newRow("zero size") << "VYSL_OK" << QSize(0, 0) << 1.0;
    QTest::newRow("zero width") << "VYSL_OK" << QSize(0, 65) << 1.0;
    QTest::newRow("invalid size") << "VYSL_OK" << QSize() << 1.0;
    QTest::newRow("negative size") << "VYSL_OK" << QSize(-65, -65) << 1.0;
    QTest::newRow("zero ratio") << "VYSL_OK" << ok << 0.0;
    QTest::newRow("negative ratio") << "VYSL_OK" << ok << -2.0;
    QTest::newRow("ratio not a number") << "VYSL_OK" << ok << std::numeric_limits<qreal>::quiet_NaN();
    QTest::newRow("infinite ratio") << "VYSL_OK" << ok << std::numeric_limits<qreal>::infinity();
    QTest::newRow("too small to see") << "VYSL_OK" << QSize(1, 1) << 0.1;
    QTest::newRow("absurdly large") << "VYSL_OK" << QSize(1 << 30, 1 << 30) << 1.0;
}

void TestAssets::badRequestsGiveEmptyPixmaps()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);

    QVERIFY(Picture(name, size, ratio).isNull());
    if (name == QLatin1String("VYSL_OK"))
        QVERIFY(AnimationFrame(0, size, ratio).isNull());
}

void TestAssets::feedbackColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("green");

    QTest::newRow("tick is green") << "VYSL_OK" << true;
    QTest::newRow("cross is red") << "VYSL_CHYBA" << false;
    QTest::newRow("late cross is red") << "VYSL_CHYBA_CAS" << false;
    QTest::newRow("smiling face is red") << "FACE_SMILE" << false;
    QTest::newRow("frowning face is red") << "FACE_FROWN" << false;
    QTest::newRow("grade digit is red") << "ZN3" << false;
}

void TestAssets::feedbackColours()
{
    QFETCH(QString, name);
    QFETCH(bool, green);

    for (const qreal ratio : {1.0, 3.0}) {
        const QImage image = imageOf(Picture(name, QSize(65, 65), ratio));
        QVERIFY(!image.isNull());
        const int pixels = image.width() * image.height();
        const int greens = countPixels(image, isGreen);
        const int reds = countPixels(image, isRed);
        if (green) {
            QVERIFY2(greens > pixels / 20, qPrintable(QString::number(greens)));
            QCOMPARE(reds, 0);
        } else {
            QVERIFY2(reds > pixels / 20, qPrintable(QString::number(reds)));
            QCOMPARE(greens, 0);
        }
        // the pictures lie over the answer field, which must show through around them
        const int last = image.width() - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            QCOMPARE(image.pixelColor(corner).alpha(), 0);
    }
}

void TestAssets::animationTicksOffOneExercisePerFrame()
{
    // frames 0..3 write the exercises without a tick; 4..7 add one green tick each
    QList<QImage> frames;
    for (int frame = 0; frame < AnimationFrameCount; ++frame) {
        const QPixmap pixmap = AnimationFrame(frame, AnimationFrameSize, 3.0);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(AnimationFrameSize));
        frames.append(imageOf(pixmap));
    }
    for (qsizetype i = 0; i < frames.size(); ++i)
        for (qsizetype j = i + 1; j < frames.size(); ++j)
            QVERIFY2(frames[i] != frames[j], qPrintable(QStringLiteral("frames %1 and %2").arg(i).arg(j)));

    int previousInk = 0;
    int previousGreen = 0;
    for (int frame = 0; frame < AnimationFrameCount; ++frame) {
        const int green = countPixels(frames[frame], isGreen);
        const int ink = countPixels(frames[frame], [](QColor c) {
            return c.alpha() > 200 && c.blue() > 100 && c.blue() > c.red() + 60 && c.green() < 120;
        });
        if (frame < 4) {
            QCOMPARE(green, 0);
            QVERIFY2(ink > previousInk, qPrintable(QStringLiteral("frame %1").arg(frame)));
        } else {
            QCOMPARE(ink, previousInk);
            QVERIFY2(green > previousGreen, qPrintable(QStringLiteral("frame %1").arg(frame)));
        }
        previousInk = ink;
        previousGreen = green;
    }

    // a frame is one frame of the strip, not the strip squeezed
    const QImage strip = imageOf(Picture(QStringLiteral("ANIMACE"), QSize(400, 75), 1.0));
    const QImage last = imageOf(AnimationFrame(7, AnimationFrameSize, 1.0));
    QCOMPARE(last, strip.copy(QRect(QPoint(350, 0), AnimationFrameSize)));
}

void TestAssets::animationFramesAreClamped_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("shown");

    QTest::newRow("-1 shows the first") << -1 << 0;
    QTest::newRow("most negative shows the first") << std::numeric_limits<int>::min() << 0;
    QTest::newRow("8 shows the last") << 8 << 7;
    QTest::newRow("largest shows the last") << std::numeric_limits<int>::max() << 7;
}

void TestAssets::animationFramesAreClamped()
{
    QFETCH(int, frame);
    QFETCH(int, shown);

    const QPixmap pixmap = AnimationFrame(frame, AnimationFrameSize, 1.0);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(imageOf(pixmap), imageOf(AnimationFrame(shown, AnimationFrameSize, 1.0)));
}

void TestAssets::applicationIcon()
{
    const QIcon icon = ApplicationIcon();
    QVERIFY(!icon.isNull());
    for (const int side : {16, 32, 48, 256}) {
        const QPixmap pixmap = icon.pixmap(QSize(side, side));
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.size(), QSize(side, side));
        QVERIFY(countOpaque(imageOf(pixmap)) > side * side / 2);
        QCOMPARE(imageOf(pixmap), imageOf(Picture(QStringLiteral("MAINICON"), QSize(side, side), 1.0)));
    }
}

void TestAssets::soundFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("seconds");

    QTest::newRow("right answer") << "spravne.wav" << 0.35;
    QTest::newRow("wrong answer") << "spatne.wav" << 0.4;
    QTest::newRow("too slow") << "pomalu.wav" << 0.6;
    QTest::newRow("partial evaluation") << "dilhod.wav" << 0.7;
}

void TestAssets::soundFiles()
{
    QFETCH(QString, file);
    QFETCH(double, seconds);

    const WaveInfo wave = readWave(QDir(QStringLiteral(NUMIK_SOUND_DIR)).filePath(file));
    QVERIFY2(wave.error.isEmpty(), qPrintable(wave.error));
    QCOMPARE(wave.format, quint16(1)); // plain PCM, which every player reads
    QCOMPARE(wave.channels, quint16(1));
    QCOMPARE(wave.sampleRate, quint32(22050));
    QCOMPARE(wave.bitsPerSample, quint16(16));
    QVERIFY(std::abs(wave.samples.size() / 22050.0 - seconds) < 0.02);

    // loud enough to hear, never clipped, and no click where playing starts or stops
    int peak = 0;
    for (const qint16 sample : wave.samples)
        peak = std::max(peak, std::abs(int(sample)));
    QVERIFY2(peak > 32767 / 4 && peak < 32767 * 3 / 4, qPrintable(QString::number(peak)));
    QVERIFY(std::abs(int(wave.samples.first())) < 300);
    QVERIFY(std::abs(int(wave.samples.last())) < 300);
}

NUMIK_GUI_TEST_MAIN(TestAssets)
#include "tst_assets.moc"
