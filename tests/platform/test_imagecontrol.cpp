#include "testsupport.h"
#include "platform/imagecontrol.h"
#include "metafiles.h"

#include <fcntl.h>
#include <sys/stat.h>

using namespace platform;

class TestImageControl : public QObject {
    Q_OBJECT

private slots:
    void mouseReports_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("releasedAt"); // the control is 50 x 40 pixels
        QTest::addColumn<QString>("reported");
        QTest::newRow("click") << Qt::LeftButton << QPoint(5, 5) << "down up click";
        QTest::newRow("released elsewhere") << Qt::LeftButton << QPoint(60, 5) << "down up";
        QTest::newRow("right button") << Qt::RightButton << QPoint(5, 5) << "down up";
    }
    void mouseReports()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, releasedAt);
        QFETCH(QString, reported);
        ImageControl control;
        control.resize(50, 40);
        QStringList seen;
        connect(control.mouse(), &MouseReporter::MouseDown, this, [&] { seen << "down"; });
        connect(control.mouse(), &MouseReporter::MouseUp, this, [&] { seen << "up"; });
        connect(control.mouse(), &MouseReporter::Click, this, [&] { seen << "click"; });
        QTest::mousePress(&control, button, {}, QPoint(5, 5));
        QTest::mouseRelease(&control, button, {}, releasedAt);
        QCOMPARE(seen.join(' '), reported);
    }

    // The picture is drawn once, when first shown; twips moves land on the
    // nearest pixel and back exactly where the control was designed.
    void drawnOnceAndMovedByTwips()
    {
        ImageControl control;
        int drawn = 0;
        control.setPicture([&drawn] { return ++drawn, QPixmap(8, 8); });
        control.setTwipsGeometry(3110, 2010, 780, 600); // 3110 is not on a whole pixel
        QCOMPARE(drawn, 0);
        control.show();
        QTRY_COMPARE(drawn, 1);
        QCOMPARE(control.picture().size(), QSize(8, 8)); // kept, not drawn again
        QCOMPARE(drawn, 1);
        const QRect designed = control.geometry();
        control.MoveTwips(control.Left() + 50, control.Top() + 50);
        QCOMPARE(control.geometry(), QRect(211, 137, 52, 40)); // 15 twips a pixel, rounded to the nearest
        control.MoveTwips(control.Left() - 50, control.Top() - 50);
        QCOMPARE(control.geometry(), designed);
    }

    // A picture is decoded no larger than it is shown, a vector one drawn at
    // that size; metafiles are known by content whatever their name. A
    // damaged or hostile metafile gives no picture, and never takes longer
    // than the helper's time limit; nor does what is not a regular file.
    void shownSize_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // each picture is red
        QTest::addColumn<QString>("name"); // "fifo...": a named pipe (or a link to one); "/...": a full path
        QTest::addColumn<QSize>("decoded"); // 0 x 0: no picture (never a crash)
        const QSize shown(40, 30);
        auto png = [](int w, int h) {
            QImage red(w, h, QImage::Format_RGB32);
            red.fill(Qt::red);
            QBuffer out;
            out.open(QIODevice::WriteOnly);
            red.save(&out, "PNG");
            return out.data();
        };
        const QByteArray svg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="8" height="8">)"
                               R"(<rect width="8" height="8" fill="red"/></svg>)";
        const QByteArray wmf = QByteArray::fromStdString(metafiles::wmf(true));
        const QByteArray emf = QByteArray::fromStdString(metafiles::emf());
        QByteArray pastEnd = wmf, endless = emf, described = emf;
        pastEnd.replace(40 + 20, 4, "\xFF\xFF\xFF\x7F"); // the brush record's size
        endless.replace(88 + 4, 4, QByteArray(4, 0));           // the first record's size
        described.replace(60, 8, QByteArray("\0\0\0\0\0\1\0\0", 8)); // none, at 256
        QTest::newRow("large png") << png(400, 300) << "a.png" << shown;
        QTest::newRow("small png") << png(20, 12) << "a.png" << QSize(20, 12);
        QTest::newRow("svg") << svg << "a.svg" << shown;
        QTest::newRow("placeable wmf") << wmf << "a.wmf" << shown;
        QTest::newRow("wmf without placeable header") << wmf.mid(22) << "a.wmf" << shown;
        QTest::newRow("emf") << emf << "a.emf" << shown;
        QTest::newRow("wmf named as a bitmap") << wmf << "a.bmp" << shown;
        QTest::newRow("empty") << QByteArray() << "a.wmf" << QSize(0, 0);
        QTest::newRow("text named as a bitmap") << QByteArray("not a picture") << "a.png" << QSize(0, 0);
        QTest::newRow("fifo") << QByteArray() << "fifo" << QSize(0, 0);
        QTest::newRow("link to a fifo") << QByteArray() << "fifo link.png" << QSize(0, 0);
        QTest::newRow("device") << QByteArray() << "/dev/zero" << QSize(0, 0);
        QTest::newRow("directory") << QByteArray() << "." << QSize(0, 0);
        QTest::newRow("wmf header only") << wmf.left(40) << "a.wmf" << QSize(0, 0);
        QTest::newRow("wmf cut in a record") << wmf.chopped(20) << "a.wmf" << QSize(0, 0);
        QTest::newRow("emf cut in a record") << emf.chopped(30) << "a.emf" << QSize(0, 0);
        QTest::newRow("wmf record past its end") << pastEnd << "a.wmf" << QSize(0, 0);
        QTest::newRow("emf record of no size") << endless << "a.emf" << QSize(0, 0);
        QTest::newRow("emf description past its header") << described << "a.emf" << QSize(40, 30);
        QTest::newRow("wmf of huge size") << QByteArray::fromStdString(metafiles::wmf(true, 1, 32000, 32000)) << "a.wmf" << QSize(0, 0);
        QTest::newRow("emf of huge size") << QByteArray::fromStdString(metafiles::emf(2000000000, 2000000000)) << "a.emf" << QSize(0, 0);
    }
    void shownSize()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QSize, decoded);
        QTemporaryDir dir;
        const QString path = name.startsWith('/') ? name : dir.filePath(name);
        // A pipe with a writer that never writes: reading it would block for good.
        QFile writer;
        if (name.startsWith("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
            QVERIFY(name == "fifo" || QFile::link(dir.filePath("fifo"), path));
            const int fd = ::open(QFile::encodeName(dir.filePath("fifo")).constData(), O_RDWR | O_NONBLOCK);
            QVERIFY(fd >= 0 && writer.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        } else if (QFile file(path); !name.startsWith('/') && name != ".") {
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
        }
        // Loaded with good metafiles on either side, as a window with several
        // sets loads them: each gets its own picture at its own size.
        const QString wmf = dir.filePath("good.wmf"), emf = dir.filePath("good.emf");
        for (const auto& [path, good] : {std::pair(wmf, metafiles::wmf(true)), std::pair(emf, metafiles::emf())}) {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(good.data(), qint64(good.size())) > 0);
        }
        QElapsedTimer took;
        took.start();
        const QList<QPixmap> loaded = LoadPictures({{wmf, QSize(20, 10)}, {path, QSize(40, 30)}, {emf, QSize(10, 20)}});
        QVERIFY(took.elapsed() < 3000);
        const QList<QSize> sizes{QSize(20, 10), decoded, QSize(10, 20)};
        for (int i = 0; i < 3; ++i) {
            const QImage image = loaded[i].toImage();
            QCOMPARE(image.size(), sizes[i]);
            if (!sizes[i].isEmpty())
                QCOMPARE(QColor(image.pixel(image.width() / 2, image.height() / 2)), QColor(Qt::red));
        }
    }
};
ORVALIS_TEST(TestImageControl)
#include "test_imagecontrol.moc"
