#include "testsupport.h"
#include "formdriver.h"
#include "core/loaddata.h"
#include "core/placement.h"

class TestSharedState : public QObject {
    Q_OBJECT
private slots:
    // The unit table has slots 1 to 13 only: any other is refused, never read past.
    void unitTableSlots()
    {
        QVERIFY(testing::throws<std::out_of_range>([] { LOADDATA::UnitFactor(0); }));
        QVERIFY(testing::throws<std::out_of_range>([] { LOADDATA::UnitName(14); }));
    }

    // Where a window of 8200 x 6900 twips stands on a screen's usable area
    // (a monitor left of the primary one and a panel above move its origin).
    void placement_data()
    {
        QTest::addColumn<QRectF>("area");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("screen 12000") << QRectF(0, 0, 12000, 12000) << 300 << QPoint(1900, 2250);
        QTest::newRow("odd difference toward zero") << QRectF(0, 0, 9201, 6900) << 0 << QPoint(500, 0);
        QTest::newRow("negative odd difference") << QRectF(0, 0, 7199, 6900) << 0 << QPoint(-500, 0);
        QTest::newRow("half rounds to even") << QRectF(0, 0, 9200.5, 6900) << 0 << QPoint(500, 0);
        QTest::newRow("large screen, no 16-bit overflow") << QRectF(0, 0, 115200, 64800) << 300 << QPoint(53500, 28650);
        QTest::newRow("area origin") << QRectF(28800, 450, 12000, 11550) << 300 << QPoint(30700, 2475);
    }
    void placement()
    {
        const QRectF area = testing::cell<QRectF>("area");
        QCOMPARE(placementPosition(area.width(), area.height(), 8200, 6900, testing::cell<int>("offset"),
                                   area.topLeft().toPoint()),
                 testing::cell<QPoint>("at"));
    }
};
ORVALIS_TEST(TestSharedState)
#include "test_shared_state.moc"
