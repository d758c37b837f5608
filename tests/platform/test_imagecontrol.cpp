#include "testsupport.h"
#include "platform/imagecontrol.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <sys/stat.h>

using platform::ImageControl;
using platform::MouseReporter;

class TestImageControl : public QObject {
    Q_OBJECT

private slots:
    // What a control reports for a sequence of presses and releases; "in"
    // and "out" say where the button is released.
    void mouseEvents_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("reported");
        QTest::newRow("click") << "press-left release-left-in" << "down up click";
        QTest::newRow("released elsewhere") << "press-left release-left-out" << "down up";
        QTest::newRow("right button") << "press-right release-right-in" << "down up";
        QTest::newRow("middle button") << "press-middle release-middle-in" << "down up";
        // The second press of a double click arrives as a double click.
        QTest::newRow("double click") << "press-left release-left-in dbl-left release-left-in"
                                      << "down up click down up";
        QTest::newRow("release without press") << "release-left-in" << "up";
        QTest::newRow("two buttons") << "press-left press-right release-right-in release-left-in"
                                     << "down down up up click";
    }
    void mouseEvents()
    {
        QFETCH(QString, steps);
        QFETCH(QString, reported);
        for (bool label : {false, true}) {
            QWidget window;
            window.resize(200, 200);
            QWidget* control = label ? static_cast<QWidget*>(new QLabel(QStringLiteral("Power"), &window))
                                     : new ImageControl(&window);
            control->setGeometry(10, 10, 50, 40);
            MouseReporter* mouse = label ? new MouseReporter(control) : static_cast<ImageControl*>(control)->mouse();
            QStringList seen;
            connect(mouse, &MouseReporter::MouseDown, this, [&] { seen << QStringLiteral("down"); });
            connect(mouse, &MouseReporter::MouseUp, this, [&] { seen << QStringLiteral("up"); });
            connect(mouse, &MouseReporter::Click, this, [&] { seen << QStringLiteral("click"); });
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            for (const QString& step : steps.split(QLatin1Char(' '))) {
                const QStringList part = step.split(QLatin1Char('-'));
                const Qt::MouseButton button = part[1] == QLatin1String("left")    ? Qt::LeftButton
                                               : part[1] == QLatin1String("right") ? Qt::RightButton
                                                                                   : Qt::MiddleButton;
                const QPoint at = part.value(2) == QLatin1String("out") ? QPoint(60, 60) : QPoint(5, 5);
                if (part[0] == QLatin1String("press"))
                    QTest::mousePress(control, button, {}, QPoint(5, 5));
                else if (part[0] == QLatin1String("dbl"))
                    QTest::mouseDClick(control, button, {}, QPoint(5, 5));
                else
                    QTest::mouseRelease(control, button, {}, at);
            }
            QCOMPARE(seen.join(QLatin1Char(' ')), reported);
        }
    }

    void clickMayCloseTheWindow()
    {
        // A click that opens a screen can destroy the control it came from.
        auto* window = new QWidget;
        auto* control = new ImageControl(window);
        control->setGeometry(0, 0, 40, 40);
        int ups = 0;
        connect(control->mouse(), &MouseReporter::MouseUp, this, [&] { ++ups; });
        connect(control->mouse(), &MouseReporter::Click, window, [window] { delete window; });
        QPointer<QWidget> guard(window);
        window->show();
        QTest::mouseClick(control, Qt::LeftButton);
        QVERIFY(guard.isNull());
        QCOMPARE(ups, 1);
    }

    void pictureIsDrawnWhenFirstNeeded()
    {
        ImageControl control;
        control.resize(30, 20);
        int drawn = 0;
        control.setPicture([&drawn] {
            ++drawn;
            QPixmap pm(8, 8);
            pm.fill(Qt::red);
            return pm;
        });
        QCOMPARE(drawn, 0);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        QTRY_COMPARE(drawn, 1);
        // Scaled to the box, without a border.
        const QImage shown = control.grab().toImage();
        QCOMPARE(shown.size(), QSize(30, 20));
        QCOMPARE(QColor(shown.pixel(0, 0)), QColor(Qt::red));
        QCOMPARE(QColor(shown.pixel(29, 19)), QColor(Qt::red));
        QCOMPARE(control.picture().size(), QSize(8, 8));
        QCOMPARE(drawn, 1);
        // A picture given outright replaces one still to be drawn.
        control.setPicture([&drawn] { ++drawn; return QPixmap(); });
        QPixmap blue(4, 4);
        blue.fill(Qt::blue);
        control.setPicture(blue);
        QCOMPARE(control.picture().toImage(), blue.toImage());
        QCOMPARE(drawn, 1);
    }

    void loadPicture_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("loads");
        QTest::newRow("png") << "png" << true;
        QTest::newRow("png named .bmp") << "misnamed" << true;
        QTest::newRow("link to a png") << "link" << true;
        QTest::newRow("fifo") << "fifo" << false;
        QTest::newRow("link to a fifo") << "fifolink" << false;
        QTest::newRow("device") << "device" << false;
        QTest::newRow("truncated png") << "truncated" << false;
    }
    void loadPicture()
    {
        QFETCH(QString, kind);
        QFETCH(bool, loads);
        QTemporaryDir dir;
        QImage image(6, 3, QImage::Format_RGB32);
        image.fill(QColor(10, 200, 30));
        const QString png = dir.filePath(QStringLiteral("a.png"));
        QVERIFY(image.save(png));
        const QString fifo = dir.filePath(QStringLiteral("pipe"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

        QString path;
        if (kind == QLatin1String("png")) {
            path = png;
        } else if (kind == QLatin1String("misnamed")) {
            path = dir.filePath(QStringLiteral("b.bmp"));
            QVERIFY(QFile::copy(png, path));
        } else if (kind == QLatin1String("link")) {
            path = dir.filePath(QStringLiteral("link.png"));
            QVERIFY(QFile::link(png, path));
        } else if (kind == QLatin1String("fifo")) {
            path = fifo;
        } else if (kind == QLatin1String("fifolink")) {
            path = dir.filePath(QStringLiteral("pipe.png"));
            QVERIFY(QFile::link(fifo, path));
        } else if (kind == QLatin1String("device")) {
            path = QStringLiteral("/dev/zero");
        } else if (kind == QLatin1String("truncated")) {
            path = dir.filePath(QStringLiteral("c.png"));
            QFile f(path), whole(png);
            QVERIFY(f.open(QIODevice::WriteOnly) && whole.open(QIODevice::ReadOnly));
            f.write(whole.read(30));
        }
        const QPixmap loaded = platform::LoadPicture(path);
        QCOMPARE(!loaded.isNull(), loads);
        if (loads)
            QCOMPARE(loaded.toImage().convertToFormat(QImage::Format_RGB32), image);
    }
};
ORVALIS_TEST(TestImageControl)
#include "test_imagecontrol.moc"
