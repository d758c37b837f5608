#include "testsupport.h"
#include "platform/imagecontrol.h"
#include "platform/twips.h"
#include "metafiles.h"

#include <QBuffer>

#include <QFile>
#include <QTemporaryDir>
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

    void pictureIsDrawnWhenFirstNeeded()
    {
        ImageControl control;
        int drawn = 0;
        control.setPicture([&drawn] { return ++drawn, QPixmap(8, 8); });
        QCOMPARE(drawn, 0);
        control.show();
        QTRY_COMPARE(drawn, 1);
        QCOMPARE(control.picture().size(), QSize(8, 8)); // kept, not drawn again
        QCOMPARE(drawn, 1);
    }

    void twipsMoveAndBackLandsExactly()
    {
        ImageControl control;
        control.setTwipsGeometry(3110, 2010, 780, 600); // 3110 is not on a whole pixel
        const QRect designed = control.geometry();
        control.MoveTwips(control.Left() + 50, control.Top() + 50);
        QCOMPARE(control.geometry(), twipsRect(3160, 2060, 780, 600));
        control.MoveTwips(control.Left() - 50, control.Top() - 50);
        QCOMPARE(control.geometry(), designed);
    }

    void loadPicture_data()
    {
        QTest::addColumn<QString>("name"); // of a file made below, or a full path
        QTest::addColumn<bool>("loads");
        QTest::newRow("png") << "a.png" << true;
        QTest::newRow("fifo") << "pipe" << false;
        QTest::newRow("link to a fifo") << "pipe.png" << false;
        QTest::newRow("device") << "/dev/zero" << false;
        QTest::newRow("directory") << "." << false;
        QTest::newRow("text") << "text.png" << false;
    }
    void loadPicture()
    {
        QFETCH(QString, name);
        QFETCH(bool, loads);
        QTemporaryDir dir;
        QImage image(6, 3, QImage::Format_RGB32);
        image.fill(Qt::green);
        QVERIFY(image.save(dir.filePath("a.png")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
        QVERIFY(QFile::link(dir.filePath("pipe"), dir.filePath("pipe.png")));
        QFile text(dir.filePath("text.png"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a picture") > 0 && text.flush());
        const QPixmap loaded = LoadPicture(name.startsWith('/') ? name : dir.filePath(name));
        QCOMPARE(loaded.toImage().convertToFormat(QImage::Format_RGB32), loads ? image : QImage());
    }

    // A picture is decoded no larger than it is shown, a vector one drawn at
    // that size; metafiles are known by content whatever their name. A
    // damaged or hostile metafile gives no picture, and never takes longer
    // than the helper's time limit.
    void shownSize_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // each picture is red
        QTest::addColumn<QString>("name");
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
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
        // Loaded with good metafiles on either side, as a window with several
        // sets loads them: each gets its own picture at its own size.
        const QString wmf = dir.filePath("good.wmf"), emf = dir.filePath("good.emf");
        for (const auto& [path, good] : {std::pair(wmf, metafiles::wmf(true)), std::pair(emf, metafiles::emf())}) {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(good.data(), qint64(good.size())) > 0);
        }
        QElapsedTimer took;
        took.start();
        const QList<QPixmap> loaded = LoadPictures({{wmf, QSize(20, 10)}, {file.fileName(), QSize(40, 30)}, {emf, QSize(10, 20)}});
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
