#include "testsupport.h"
#include "core/picturestore.h"
#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QSet>

namespace {

QImage rendered(const QString& name)
{
    btn store;
    store.Load();
    return store.picture(name).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Distinct colours inside the picture, leaving out its outermost ring of
// pixels (a plain placeholder tile is one colour inside its frame).
int innerColourCount(const QImage& img)
{
    QSet<QRgb> colours;
    for (int y = 1; y < img.height() - 1; ++y)
        for (int x = 1; x < img.width() - 1; ++x)
            colours.insert(img.pixel(x, y));
    return colours.size();
}

bool fullyOpaque(const QImage& img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) != 255)
                return false;
    return true;
}

QByteArray fingerprint(const QImage& img)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < img.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(img.constScanLine(y)), img.width() * 4));
    return hash.result();
}

int lightness(QRgb c)
{
    return QColor(c).lightness();
}

const char* const kButtons[] = {"Accel", "Angles", "Area", "Bits", "Coffee", "Crown", "Density", "FeetInch",
                                "Fuel", "Lawn", "Length", "Light", "MassFlow", "Power", "Pressure", "Temp",
                                "Time", "Velocity", "Viscosity", "Volume", "VolumeFlow", "Weight", "Work"};

} // namespace

class TestPictureStore : public QObject {
    Q_OBJECT
private slots:
    void everyNameIsDrawn_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : btn::names())
            QTest::newRow(qPrintable(name)) << name;
    }
    void everyNameIsDrawn()
    {
        QFETCH(QString, name);
        const QString file = name == QLatin1String("imgFeetInchDn") ? QStringLiteral("imgFeetInchUp") : name;
        QVERIFY2(QFile::exists(QStringLiteral(":/pictures/") + file + QStringLiteral(".svg")) ||
                     QFile::exists(QStringLiteral(":/pictures/") + file + QStringLiteral(".png")),
                 qPrintable(file));
        const QImage img = rendered(name);
        QVERIFY(!img.isNull());
        QVERIFY2(innerColourCount(img) >= 4, "looks like a plain placeholder tile");
    }

    void designedSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        for (const QString& name : btn::names()) {
            const bool large = name.startsWith(QLatin1String("imgFeetInch"));
            QTest::newRow(qPrintable(name)) << name << (large ? QSize(241, 237) : QSize(32, 32));
        }
    }
    void designedSize()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        btn store;
        store.Load();
        QCOMPARE(store.picture(name).size(), size);
        QVERIFY(!store.icon(name).isNull());
    }

    // The main window's buttons are 24-bit bitmaps: their pictures cover the
    // whole tile, with nothing of the window showing through.
    void buttonPicturesAreOpaque_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : btn::names())
            if (name.startsWith(QLatin1String("img")))
                QTest::newRow(qPrintable(name)) << name;
    }
    void buttonPicturesAreOpaque()
    {
        QFETCH(QString, name);
        QVERIFY(fullyOpaque(rendered(name)));
    }

    void pressedDiffersFromReleased_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("same");
        for (const char* b : kButtons)
            QTest::newRow(b) << QString::fromLatin1(b) << (qstrcmp(b, "FeetInch") == 0);
    }
    void pressedDiffersFromReleased()
    {
        QFETCH(QString, button);
        QFETCH(bool, same);
        const QImage up = rendered(QStringLiteral("img%1Up").arg(button));
        const QImage dn = rendered(QStringLiteral("img%1Dn").arg(button));
        QCOMPARE(dn.size(), up.size());
        QCOMPARE(dn == up, same);
        if (same)
            return;
        // Released: lit from the top left; pressed: sunk, so the other way round.
        const int last = up.width() - 1;
        QVERIFY(lightness(up.pixel(0, 0)) > lightness(up.pixel(last, last)));
        QVERIFY(lightness(dn.pixel(0, 0)) < lightness(dn.pixel(last, last)));
        // The pressed face is darker overall.
        qint64 sumUp = 0, sumDn = 0;
        for (int y = 2; y < up.height() - 2; ++y)
            for (int x = 2; x < up.width() - 2; ++x) {
                sumUp += lightness(up.pixel(x, y));
                sumDn += lightness(dn.pixel(x, y));
            }
        QVERIFY(sumDn < sumUp);
    }

    // No two names share one drawing, but for the feet-and-inches pair.
    void picturesAreDistinct()
    {
        QHash<QByteArray, QString> seen;
        for (const QString& name : btn::names()) {
            const QByteArray key = fingerprint(rendered(name));
            const QString other = seen.value(key);
            if (!other.isEmpty())
                QVERIFY2(QSet<QString>({other, name}) ==
                             QSet<QString>({QStringLiteral("imgFeetInchUp"), QStringLiteral("imgFeetInchDn")}),
                         qPrintable(other + QLatin1String(" = ") + name));
            seen.insert(key, name);
        }
    }

    void unknownNameGivesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("made up") << QStringLiteral("imgNothingUp");
        QTest::newRow("wrong case") << QStringLiteral("imglengthup");
        QTest::newRow("sixth set") << QStringLiteral("imgUser6");
        QTest::newRow("with extension") << QStringLiteral("iconLength.svg");
        QTest::newRow("usual spelling") << QStringLiteral("iconAcceleration");
    }
    void unknownNameGivesNothing()
    {
        QFETCH(QString, name);
        btn store;
        store.Load();
        QVERIFY(!btn::has(name));
        QVERIFY(store.picture(name).isNull());
        QVERIFY(store.icon(name).isNull());
    }
};
ORVALIS_TEST(TestPictureStore)
#include "test_picturestore.moc"
