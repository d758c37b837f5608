#include "testsupport.h"
#include "platform/imagecontrol.h"
#include "platform/twips.h"

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
};
ORVALIS_TEST(TestImageControl)
#include "test_imagecontrol.moc"
