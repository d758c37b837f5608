#include "testsupport.h"
#include "formdriver.h"
#include "core/picturestore.h"

#include <QSet>

namespace {

QImage rendered(const QString& name)
{
    btn store;
    store.Load();
    return store.picture(name).toImage();
}

// Distinct colours inside the outermost ring of pixels: a plain
// placeholder tile has one colour there.
int innerColours(const QImage& img)
{
    QSet<QRgb> colours;
    for (int y = 1; y < img.height() - 1; ++y)
        for (int x = 1; x < img.width() - 1; ++x)
            colours.insert(img.pixel(x, y));
    return colours.size();
}

} // namespace

class TestPictureStore : public QObject {
    Q_OBJECT
private slots:
    // Every picture is drawn, at its designed size; a pressed button looks
    // unlike its released one, but for the feet-and-inches button.
    void everyName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        for (const QString& name : btn::names())
            QTest::newRow(qPrintable(name))
                << name << (name.startsWith("imgFeetInch") ? QSize(241, 237) : QSize(32, 32));
    }
    void everyName()
    {
        QFETCH(QString, name);
        const QImage img = rendered(name);
        QCOMPARE(img.size(), testing::cell<QSize>("size"));
        QVERIFY2(innerColours(img) >= 4, "looks like a plain placeholder tile");
        if (name.endsWith("Dn"))
            QCOMPARE(img == rendered(name.chopped(2) + "Up"), name == "imgFeetInchDn");
    }

    void unknownName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("made up") << "imgNothingUp";
        QTest::newRow("wrong case") << "imglengthup";
        QTest::newRow("sixth set") << "imgUser6";
        QTest::newRow("usual spelling") << "iconAcceleration";
    }
    void unknownName()
    {
        btn store;
        store.Load();
        QVERIFY(store.picture(testing::cell("name")).isNull() && store.icon(testing::cell("name")).isNull());
    }
};
ORVALIS_TEST(TestPictureStore)
#include "test_picturestore.moc"
