#include "testsupport.h"
#include "platform/imagecontrol.h"
#include "metafiles.h"

using namespace metafiles;

namespace {

// The picture of these bytes as a button loads it (through the helper).
QImage load(const std::string& bytes, QSize shown)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("picture.wmf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        return {};
    file.close();
    return platform::LoadPicture(file.fileName(), shown).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Whether a pixel is the colour, opaque, within a few units a channel.
bool same(QRgb pixel, uint32_t rgb, int off = 3)
{
    return qAlpha(pixel) == 255 && std::abs(qRed(pixel) - int(rgb >> 16)) <= off
           && std::abs(qGreen(pixel) - int(rgb >> 8 & 0xFF)) <= off && std::abs(qBlue(pixel) - int(rgb & 0xFF)) <= off;
}

QString describe(const QImage& image, QPoint at)
{
    return QStringLiteral("(%1,%2) is #%3").arg(at.x()).arg(at.y()).arg(image.pixel(at), 8, 16, QLatin1Char('0'));
}

constexpr uint16_t Transparent = 1, Opaque = 2;

// Not a colour: nothing drawn there.
constexpr uint32_t Clear = 0xFF000000;

bool is(QRgb pixel, uint32_t rgb)
{
    return rgb == Clear ? qAlpha(pixel) == 0 : same(pixel, rgb);
}

} // namespace

class TestMetafile : public QObject {
    Q_OBJECT

private slots:
    // A Windows metafile drawn as Windows draws it: fills opaque and in
    // their own colours, the pen at its width, the text where the file puts
    // it; the background mode fills only the gaps of hatches and the text's
    // cell.
    void drawing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("transparent background") << int(Transparent);
        QTest::newRow("opaque background") << int(Opaque);
    }
    void drawing()
    {
        QFETCH(int, mode);
        const QImage image = load(metafiles::drawing(uint16_t(mode)), QSize(200, 100));
        QCOMPARE(image.size(), QSize(200, 100));
        const std::pair<QPoint, uint32_t> filled[] = {
            {{35, 30}, Blue},  {{11, 11}, Blue}, {{100, 30}, Yellow}, {{168, 40}, Crimson},
            {{50, 75}, Green}, {{50, 72}, Green}, // 3 pixels from the line's middle: it is 10 wide
            {{7, 75}, Green},                      // its round end
        };
        for (const auto& [at, colour] : filled)
            QVERIFY2(same(image.pixel(at), colour), qPrintable(describe(image, at)));
        // Outside the ellipse's curve, past the line's edge and its end, and
        // where nothing is drawn.
        for (QPoint at : {QPoint(71, 11), QPoint(50, 67), QPoint(3, 75), QPoint(100, 90)})
            QVERIFY2(qAlpha(image.pixel(at)) == 0, qPrintable(describe(image, at)));

        // The word: top left at (110,65), 20 high.
        QRect ink;
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (same(image.pixel(x, y), Ink, 8))
                    ink |= QRect(x, y, 1, 1), ++inked;
        QVERIFY2(inked > 30, qPrintable(QString::number(inked)));
        QVERIFY2(ink.top() >= 66 && ink.top() <= 72 && ink.left() >= 110 && ink.left() <= 114 && ink.right() < 150
                     && ink.bottom() < 90,
                 qPrintable(QStringLiteral("ink %1,%2 to %3,%4").arg(ink.left()).arg(ink.top()).arg(ink.right()).arg(ink.bottom())));

        // The hatch's lines, and its gaps: clear, or the background colour.
        int lines = 0, clear = 0, ground = 0;
        for (int y = 61; y < 95; ++y)
            for (int x = 151; x < 195; ++x) {
                const QRgb p = image.pixel(x, y);
                lines += same(p, Hatch, 8);
                clear += qAlpha(p) == 0;
                ground += same(p, Ground);
            }
        QVERIFY(lines > 50);
        QCOMPARE(clear > 0, mode == Transparent);
        QCOMPARE(ground > 50, mode == Opaque);
        // Above the letters, inside the text's cell.
        if (mode == Opaque)
            QVERIFY2(same(image.pixel(111, 66), Ground), qPrintable(describe(image, QPoint(111, 66))));
        else
            QCOMPARE(qAlpha(image.pixel(111, 66)), 0);
    }

    // Every pixel of the solid fills and the line is the same in either
    // background mode.
    void solidFillsAlikeInEitherMode()
    {
        const QImage transparent = load(metafiles::drawing(Transparent), QSize(200, 100));
        const QImage opaque = load(metafiles::drawing(Opaque), QSize(200, 100));
        QCOMPARE(opaque.size(), transparent.size());
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x)
                if (x < 105 || y < 58) // not the hatch, nor the text
                    QVERIFY2(opaque.pixel(x, y) == transparent.pixel(x, y), qPrintable(describe(opaque, QPoint(x, y))));
    }

    // The picture's area: the window the records set, as Windows maps it
    // onto the rectangle the picture is played into; else the placeable
    // header's bounds; a plain metafile without a window shows what its
    // records cover. Drawn at 100 x 50, each a red rectangle.
    void area_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QPoint>("red");
        QTest::addColumn<QPoint>("clear");
        const auto file = [](std::vector<std::vector<uint16_t>> window, std::vector<uint16_t> rectangle, bool placeable,
                             uint16_t mode = 0) {
            WmfRecords r;
            if (mode)
                r(0x0103, {mode});
            for (size_t i = 0; i < window.size(); ++i)
                r(i == 0 ? 0x020B : 0x020C, window[i]); // origin, extent
            r(0x02FC, std::vector<uint16_t>{0} + colorref(0xFF0000) + std::vector<uint16_t>{0});
            r(0x012D, {0});
            r(0x041B, rectangle); // bottom, right, top, left
            return QByteArray::fromStdString(mode == 6 ? wmfFile(r, 1, placeable, 1440, 1500, 750) // twips
                                                       : wmfFile(r, 1, placeable));
        };
        QTest::newRow("the records' window, half filled")
            << file({{0, 0}, {100, 200}}, {100, 100, 0, 0}, true) << QPoint(25, 25) << QPoint(75, 25);
        QTest::newRow("the placeable bounds, half filled")
            << file({}, {50, 50, 0, 0}, true) << QPoint(25, 25) << QPoint(75, 25);
        QTest::newRow("upside-down window: its lower left quarter")
            << file({{50, 0}, {uint16_t(-50), 100}}, {25, 50, 0, 0}, true) << QPoint(25, 37) << QPoint(25, 12);
        QTest::newRow("plain, what its records cover")
            << file({}, {50, 50, 0, 0}, false) << QPoint(75, 25) << QPoint(-1, -1);
        QTest::newRow("MM_TWIPS ignores the window's extent: the placeable bounds")
            << file({{0, 0}, {750, 750}}, {750, 750, 0, 0}, true, 6) << QPoint(25, 25) << QPoint(75, 25);
    }
    void area()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QPoint, red);
        QFETCH(QPoint, clear);
        const QImage image = load(bytes.toStdString(), QSize(100, 50));
        QCOMPARE(image.size(), QSize(100, 50));
        QVERIFY2(same(image.pixel(red), 0xFF0000), qPrintable(describe(image, red)));
        if (clear.x() >= 0)
            QVERIFY2(qAlpha(image.pixel(clear)) == 0, qPrintable(describe(image, clear)));
    }

    // Every kind of figure draws; these are where they belong: arcs run
    // counter-clockwise from the first point, a bitmap's first row is its
    // bottom, the raster operation R2_NOP draws nothing, a clip holds until
    // the context is restored, and a restored context has its own pen back
    // even where the file deleted it and made another in its place.
    void everyKind()
    {
        const QImage image = load(everything(), QSize(100, 100));
        QCOMPARE(image.size(), QSize(100, 100));
        const std::pair<QPoint, uint32_t> filled[] = {
            {{28, 12}, Yellow}, {{70, 10}, Crimson}, {{70, 70}, 0x0000FF}, {{90, 70}, 0xFFFFFF},
            {{70, 90}, 0xFF0000}, {{90, 90}, 0x00FF00}, {{10, 50}, Blue}, {{20, 80}, Blue}, {{20, 95}, 0x000000},
        };
        for (const auto& [at, colour] : filled)
            QVERIFY2(same(image.pixel(at), colour), qPrintable(describe(image, at)));
        for (QPoint at : {QPoint(12, 28), QPoint(70, 35), QPoint(5, 70), QPoint(30, 50)})
            QVERIFY2(qAlpha(image.pixel(at)) == 0, qPrintable(describe(image, at)));
    }

    // Each figure drawn as it should be, seen at a point inside it and at
    // one beside it (Clear: nothing there), in pictures of 200 x 200; and
    // files that juggle objects and saved states, or are made to cost
    // much, drawn as Windows draws them.
    void figure_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QPoint>("inside");
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QPoint>("beside");
        QTest::addColumn<uint>("besideColour");
        const auto row = [](const char* name, const std::string& bytes, QPoint in, uint32_t colour, QPoint beside,
                            uint32_t besideColour) {
            QTest::newRow(name) << QByteArray::fromStdString(bytes) << in << uint(colour) << beside << uint(besideColour);
        };
        const std::string grid = figures();
        row("PATBLT", grid, {20, 20}, Crimson, {38, 20}, Clear);
        row("POLYPOLYGON: its second polygon", grid, {72, 32}, Blue, {60, 20}, Clear);
        row("pattern brush: its pixels", grid, {100, 20}, 0x0000FF, {101, 21}, 0x00FF00);
        row("polyline, open", grid, {132, 20}, Ink, {140, 12}, Clear);
        row("arc, open", grid, {180, 4}, Ink, {180, 12}, Clear);
        row("rounded rectangle: its corner", grid, {20, 60}, Crimson, {6, 46}, Clear);
        row("WINDING fills the star's middle", grid, {60, 60}, Blue, {44, 44}, Clear);
        row("dashed pen: a dash, a gap", grid, {88, 60}, Ink, {94, 60}, 0xFFFFFF);
        row("SRCAND combines", grid, {130, 50}, 0x0000FF & Yellow, {150, 50}, Yellow);
        row("cross hatch: a horizontal line", grid, {182, 59}, Hatch, {182, 62}, 0xFFFFFF);
        row("centred text's cell", grid, {84, 85}, Ground, {76, 85}, Clear);
        row("bold text's cell", grid, {72, 113}, Ground, {80, 113}, Clear);
        row("ExtTextOut without options, opaque: its cell", grid, {122, 113}, Ground, {117, 113}, Clear);
        row("text alignment kept after SAVEDC", grid, {60, 141}, Ground, {100, 141}, Clear);
        row("text colour restored, then saved", grid, {137, 165}, Crimson, {137, 150}, Clear);
        row("EMF with text", emfWithText(), {50, 50}, 0xFF0000, {150, 50}, Clear);
        row("font deleted, a pen in its place", fontDeletedThen(0x02FA), {137, 165}, Crimson, {137, 150}, Clear);
        row("font deleted, a region in its place", fontDeletedThen(0x06FF), {137, 165}, Crimson, {137, 150}, Clear);
        row("pattern brush of the device's palette, then red and blue: red", patternBrush(4, 1, false), {100, 100},
            0xFF0000, {150, 50}, 0xFF0000);
        row("pattern brush of the device's palette selected: the brush stays", patternBrush(4, 2, true), {100, 100},
            0x0000FF, {150, 50}, 0x0000FF);
        row("monochrome pattern brush: text and background colours", patternBrush(1, 1, true), {100, 100}, Yellow,
            {101, 100}, Crimson);
        row("a brush made, not selected: the one selected fills", filled(redSelected()(0x02FC, brushWords(0x0000FF)), 2),
            {100, 100}, 0xFF0000, {150, 50}, 0xFF0000);
        row("RESTOREDC(-1)", restored({-1}), {100, 100}, 0x0000FF, {150, 50}, 0x0000FF);
        row("RESTOREDC(-1) twice", restored({-1, -1}), {100, 100}, 0xFF0000, {150, 50}, 0xFF0000);
        row("RESTOREDC(-2)", restored({-2}), {100, 100}, 0xFF0000, {150, 50}, 0xFF0000);
        row("RESTOREDC(1)", restored({1}), {100, 100}, 0xFF0000, {150, 50}, 0xFF0000);
        row("RESTOREDC(-2), then (-1) with nothing left", restored({-2, -1}), {100, 100}, 0xFF0000, {150, 50}, 0xFF0000);
        row("RESTOREDC(3), past the levels", restored({3}), {100, 100}, 0x00FF00, {150, 50}, 0x00FF00);
        row("16,000 selections among 1,023 objects kept", manySelections(16000), {100, 100}, 0xFF0000, {150, 50},
            0xFF0000);
        row("dashed zig-zag of 65,535 points", dashedZigzag(), {100, 100}, Ink, {4, 4}, Clear);
    }
    void figure()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QPoint, inside);
        QFETCH(uint, colour);
        QFETCH(QPoint, beside);
        QFETCH(uint, besideColour);
        static QHash<QByteArray, QImage> drawn; // the figures' picture is drawn once
        if (!drawn.contains(bytes))
            drawn.insert(bytes, load(bytes.toStdString(), QSize(200, 200)));
        const QImage& image = drawn[bytes];
        QCOMPARE(image.size(), QSize(200, 200));
        QVERIFY2(is(image.pixel(inside), colour), qPrintable(describe(image, inside)));
        QVERIFY2(is(image.pixel(beside), besideColour), qPrintable(describe(image, beside)));
    }

    // Files on 100 x 100 units, drawn at 100 x 100, with the colour each
    // point must show (Clear: nothing): records that Windows fails or stops
    // at, records too long or too many, and what is kept of the objects
    // and saved states.
    void records_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<QList<uint>>("colours");
        const auto row = [](const char* name, const std::string& bytes, QList<QPoint> points, QList<uint> colours) {
            QTest::newRow(name) << QByteArray::fromStdString(bytes) << points << colours;
        };
        const QList<QPoint> middle = {{50, 50}};
        row("SELECTPALETTE of a brush: the brush selected stays", wrongKind('b'), {{25, 25}, {75, 25}, {75, 75}},
            {0xFF0000, 0xFF0000, Clear});
        row("SELECTPALETTE of a brush, then the brush selected deleted and a region made",
            wrongKind('d'), {{25, 25}, {75, 75}}, {0xFF0000, 0xFF0000});
        row("SELECTPALETTE of a pen: the pen selected stays", wrongKind('p'), {{21, 50}, {50, 50}},
            {0x0000FF, 0xFF0000});
        row("SELECTCLIPREGION of a pen", wrongKind('c'), {{25, 25}, {75, 75}}, {0xFF0000, 0xFF0000});
        row("FILLREGION of a pen", wrongKind('f'), {{25, 25}, {75, 75}}, {0xFF0000, 0xFF0000});
        row("FILLREGION and FRAMEREGION with a pen", wrongKind('F'), {{35, 35}, {75, 75}}, {Clear, 0xFF0000});
        row("a record of function 0 and four words ends the picture", endedEarly(0), {{20, 20}, {80, 80}},
            {0xFF0000, Clear});
        row("2 million SAVEDC after a record of function 0", endedEarly(2000000), {{20, 20}, {80, 80}},
            {0xFF0000, Clear});
        row("a background colour of 7 million words, then 100 SAVEDC", longStateRecord(7000000), middle, {0xFF0000});
        row("a monochrome pattern: the background colour when drawn", setBitsPattern(true), middle, {0x0000FF});
        row("a monochrome pattern: the default background colour", setBitsPattern(false), middle, {0xFFFFFF});
        row("objects past the table's size make nothing", kept('m'), middle, {0xFF0000});
        row("a brush made after RESTOREDC leaves the restored one", kept('r'), middle, {0x0000FF});
        row("the lowest freed place is taken first", kept('l'), middle, {0x00FF00});
        row("a pattern brush not played takes and frees its place", kept('u'), middle, {0x00FF00});
        row("FILLREGION's brush by the file's table", kept('f'), {{35, 35}, {80, 80}}, {0x00FF00, Clear});
        row("a pen kept only by a saved state", penKeptBySavedState(), {{50, 50}, {50, 40}}, {0x000000, Clear});
        row("a bitmap's index past its colours: black", indexPastColours(), {{25, 50}, {75, 50}}, {Yellow, 0x000000});
        row("66,000 pens let go", penRounds(0), middle, {0xFF0000});
        row("66,000 pens let go inside SAVEDC and RESTOREDC(-1)", penRounds(1), middle, {0xFF0000});
        row("66,000 pens let go inside two SAVEDC and RESTOREDC(-2)", penRounds(2), middle, {0xFF0000});
    }
    void records()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QPoint>, points);
        QFETCH(QList<uint>, colours);
        const QImage image = load(bytes.toStdString(), QSize(100, 100));
        QCOMPARE(image.size(), QSize(100, 100));
        for (qsizetype i = 0; i < points.size(); ++i)
            QVERIFY2(is(image.pixel(points[i]), colours[i]), qPrintable(describe(image, points[i])));
    }

    // A font made in the place of a deleted one draws in its own face: eight
    // i's of a proportional face are narrow, of a monospaced one not.
    void fontInItsOwnFace()
    {
        const QImage image = load(fontInFreedPlace(), QSize(100, 100));
        QCOMPARE(image.size(), QSize(100, 100));
        int right = -1;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (qAlpha(image.pixel(x, y)) > 128)
                    right = std::max(right, x);
        QVERIFY2(right > 15 && right < 45, qPrintable(QString::number(right)));
    }

    // Figures that meet leave no seam, and a raster operation that combines
    // with what is there draws as over any ground: what the XOR trick cuts
    // out is the picture, and around it nothing.
    void abuttingAndCombined()
    {
        const QImage image = load(abutting(), QSize(200, 100));
        QCOMPARE(image.size(), QSize(200, 100));
        for (QPoint at : {QPoint(50, 49), QPoint(30, 69), QPoint(70, 29)}) // on the triangles' shared edge
            QVERIFY2(same(image.pixel(at), Blue, 0), qPrintable(describe(image, at)));
        QVERIFY2(same(image.pixel(150, 50), 0xFF0000), qPrintable(describe(image, QPoint(150, 50))));
        for (QPoint at : {QPoint(102, 2), QPoint(197, 97)})
            QVERIFY2(qAlpha(image.pixel(at)) == 0, qPrintable(describe(image, at)));
    }

    // An enhanced metafile's stroked path is closed only where the file
    // closes it.
    void emfPathOpenOrClosed()
    {
        for (bool closed : {false, true}) {
            const QImage image = load(emfStrokedPath(closed), QSize(100, 50));
            QCOMPARE(image.size(), QSize(100, 50));
            QVERIFY(same(image.pixel(50, 40), 0xFF0000, 40)); // the V's point
            QCOMPARE(qAlpha(image.pixel(50, 10)) > 128, closed); // the closing line's middle
        }
    }
    // A bitmap compressed by runs, stretched and as a pattern brush, draws
    // the same picture on every run whatever memory held before: the
    // pixels its escapes skip are its first colour.
    void runLengthBitmapsAlike_data()
    {
        QTest::addColumn<int>("bits");
        QTest::newRow("4 bits a pixel") << 4;
        QTest::newRow("8 bits a pixel") << 8;
    }
    void runLengthBitmapsAlike()
    {
        QFETCH(int, bits);
        const std::string bytes = runLengthBitmaps(uint16_t(bits));
        // The helper inherits the environment: its allocator fills what it
        // hands out with a byte of our choosing.
        const bool wasSet = qEnvironmentVariableIsSet("MALLOC_PERTURB_");
        const QByteArray was = qgetenv("MALLOC_PERTURB_");
        QList<QImage> images;
        for (const char* fill : {"1", "119", "254"}) {
            qputenv("MALLOC_PERTURB_", fill);
            images.append(load(bytes, QSize(200, 200)));
        }
        if (wasSet)
            qputenv("MALLOC_PERTURB_", was);
        else
            qunsetenv("MALLOC_PERTURB_");
        QCOMPARE(images[0].size(), QSize(200, 200));
        QVERIFY(images[1] == images[0]);
        QVERIFY(images[2] == images[0]);
        // The stretched bitmap's pixels are 12.5 x 25 picture pixels, its
        // bottom row at the bottom.
        const std::pair<QPoint, uint32_t> pixels[] = {
            {{6, 187}, Blue},  {{19, 187}, Crimson}, {{80, 187}, Yellow}, // set, and after the jump
            {{25, 162}, Yellow}, {{94, 162}, Blue},                          // jumped over, then set
            {{25, 137}, Crimson}, {{25, 50}, Yellow},                       // a row, then the end
        };
        for (const auto& [at, colour] : pixels)
            QVERIFY2(same(images[0].pixel(at), colour), qPrintable(describe(images[0], at)));
    }
};
ORVALIS_TEST(TestMetafile)
#include "test_metafile.moc"
