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

    void placement_data()
    {
        for (const char* size : {"screenW", "screenH", "windowW", "windowH"})
            QTest::addColumn<double>(size);
        QTest::addColumn<int>("offset");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("screen 12000, screen window") << 12000.0 << 12000.0 << 8200.0 << 6900.0 << 300 << QPoint(1900, 2250);
        QTest::newRow("odd difference toward zero") << 9201.0 << 6900.0 << 8200.0 << 6900.0 << 0 << QPoint(500, 0);
        QTest::newRow("negative odd difference") << 7199.0 << 6900.0 << 8200.0 << 6900.0 << 0 << QPoint(-500, 0);
        QTest::newRow("half rounds to even") << 9200.5 << 6900.0 << 8200.0 << 6900.0 << 0 << QPoint(500, 0);
        QTest::newRow("large screen, no 16-bit overflow") << 115200.0 << 64800.0 << 8200.0 << 6900.0 << 300 << QPoint(53500, 28650);
    }
    void placement()
    {
        using testing::cell;
        QCOMPARE(placementPosition(cell<double>("screenW"), cell<double>("screenH"), cell<double>("windowW"),
                                   cell<double>("windowH"), cell<int>("offset")),
                 cell<QPoint>("at"));
    }
    // A monitor left of the primary one and a panel above its usable area.
    void areaOrigin() { QCOMPARE(placementPosition(12000, 11550, 8200, 6900, 300, {28800, 450}), QPoint(30700, 2475)); }
};
ORVALIS_TEST(TestSharedState)
#include "test_shared_state.moc"
