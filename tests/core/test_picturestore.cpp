#include "testsupport.h"
#include "formdriver.h"
#include "core/picturestore.h"

#include <QSet>

namespace {

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
    // unlike its released one, but for the feet-and-inches button. A name
    // that is none of them (size 0 x 0) has neither picture nor icon.
    void everyName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        for (const QString& name : btn::names())
            QTest::newRow(qPrintable(name))
                << name << (name.startsWith("imgFeetInch") ? QSize(241, 237) : QSize(32, 32));
        // Empty, made up, in the wrong case, a sixth set, the usual spelling.
        for (const char* unknown : {"", "imgNothingUp", "imglengthup", "imgUser6", "iconAcceleration"})
            QTest::newRow(*unknown ? unknown : "empty") << QString::fromLatin1(unknown) << QSize(0, 0);
    }
    void everyName()
    {
        QFETCH(QString, name);
        btn store;
        store.Load();
        const QImage img = store.picture(name).toImage();
        QCOMPARE(img.size(), testing::cell<QSize>("size"));
        if (img.isNull())
            QVERIFY(store.picture(name).isNull() && store.icon(name).isNull());
        else
            QVERIFY2(innerColours(img) >= 4, "looks like a plain placeholder tile");
        if (name.endsWith("Dn"))
            QCOMPARE(img == store.picture(name.chopped(2) + "Up").toImage(), name == "imgFeetInchDn");
    }
};
ORVALIS_TEST(TestPictureStore)
#include "test_picturestore.moc"
