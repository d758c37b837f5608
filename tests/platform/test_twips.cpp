#include "testsupport.h"
#include "platform/twips.h"

class TestTwips : public QObject {
    Q_OBJECT
private slots:
    void conversion()
    {
        QCOMPARE(platform::twipsToPixels(15), 1);
        QCOMPARE(platform::twipsToPixels(8200), 547);
        QCOMPARE(platform::pixelsToTwips(800), 12000);
        QCOMPARE(platform::screenSizeTwips(), QSize(12000, 12000));
    }
};
ORVALIS_TEST(TestTwips)
#include "test_twips.moc"
