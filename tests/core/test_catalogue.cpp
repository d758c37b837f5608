#include "testsupport.h"
#include "core/catalogue.h"
#include "core/loaddata.h"
#include <QSet>
#include <cmath>

using namespace LOADDATA;

namespace {

// Stands in for the generic screen: it starts as a freshly loaded screen
// does, every slot shown with its designed caption, and keeps what it is told.
struct FakeView : CategoryView {
    QString caption = QStringLiteral("template #1");
    std::array<QString, 14> units;
    std::array<bool, 14> visible;
    QString note1 = QStringLiteral("old note 1");
    QString note2 = QStringLiteral("old note 2");

    FakeView()
    {
        visible.fill(true);
        for (int k = 1; k <= 13; ++k)
            units[k] = QStringLiteral("btn%1").arg(k, 2, 10, QLatin1Char('0'));
    }
    void setCaption(const QString& c) override { caption = c; }
    void setUnitCaption(int slot, const QString& c) override { units.at(slot) = c; }
    void setSlotVisible(int slot, bool v) override { visible.at(slot) = v; }
    void setNotes(const QString& n1, const QString& n2) override
    {
        note1 = n1;
        note2 = n2;
    }
    QList<int> hidden() const
    {
        QList<int> out;
        for (int k = 1; k <= 13; ++k)
            if (!visible[k])
                out << k;
        return out;
    }
};

void load(const QString& name, CategoryView* view = nullptr)
{
    CategoryName = name;
    LoadCategory(view);
}

// 17 significant digits tell any two doubles apart and show both on failure.
QString exact(double v)
{
    return QString::number(v, 'g', 17);
}

double factorOf(const QString& category, const QString& unit)
{
    const CatalogueCategory* c = findCategory(category);
    if (!c)
        return std::nan("");
    for (std::size_t i = 0; i < c->units.size(); ++i)
        if (c->units[i] == unit)
            return c->factors[i];
    return std::nan("");
}

const QString MixNote = QStringLiteral("Note: Do not mix units above and below the ======== divider");

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

    // The unit table is shared by the whole program: each test gets it back
    // as it found it.
    std::array<QString, 13> savedNames;
    std::array<double, 13> savedFactors{};
    QString savedCategory, savedNote1, savedNote2;

private slots:
    void init()
    {
        for (int k = 1; k <= 13; ++k) {
            savedNames[k - 1] = UnitName(k);
            savedFactors[k - 1] = UnitFactor(k);
        }
        savedCategory = CategoryName;
        savedNote1 = CategoryNote1;
        savedNote2 = CategoryNote2;
    }
    void cleanup()
    {
        for (int k = 1; k <= 13; ++k) {
            UnitName(k) = savedNames[k - 1];
            UnitFactor(k) = savedFactors[k - 1];
        }
        CategoryName = savedCategory;
        CategoryNote1 = savedNote1;
        CategoryNote2 = savedNote2;
    }

    // --- every category as loaded ---------------------------------------

    void categories_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QList<int>>("emptySlots");
        QTest::addColumn<QString>("note1");
        QTest::addColumn<QString>("note2");
        QTest::addColumn<int>("sampleSlot");
        QTest::addColumn<QString>("sampleUnit");
        QTest::addColumn<double>("sampleFactor");

        const QString none;
        QTest::newRow("Acceleration") << 0 << QList<int>{11, 12, 13} << none << none
                                      << 9 << "mile per hour per sec" << 0.44704;
        QTest::newRow("Angles") << 1 << QList<int>{7, 8, 9, 10, 11, 12, 13} << none << none
                                << 1 << "radian" << 57.2957795131;
        QTest::newRow("Area") << 2 << QList<int>{13} << none << none
                              << 11 << "township" << 144521625600.0;
        QTest::newRow("Bits and Bytes") << 3 << QList<int>{13} << none << none
                                        << 7 << "terabyte" << 8796093022208.0;
        QTest::newRow("Density") << 4 << QList<int>{7, 8, 9, 10, 11, 12, 13} << none << none
                                 << 3 << "pound per cubic inch" << 27679.9;
        QTest::newRow("Fuel") << 5 << QList<int>{6, 7, 8, 9, 10, 11, 12, 13}
                              << "Note: liter per 100 kilometer is an inverse conversion" << none
                              << 1 << "mile per gallon (U.S.)" << 0.4251437;
        QTest::newRow("Imperial") << 6 << QList<int>{6, 10, 13} << none << none
                                  << 7 << "milliliter" << 1e-06;
        QTest::newRow("Light") << 7 << QList<int>{11, 12, 13} << MixNote << none
                               << 8 << "footlambert" << 3.426259;
        QTest::newRow("Mass Flow Rate") << 8 << QList<int>{13} << none << none
                                        << 4 << "pound per day" << 1.0;
        QTest::newRow("Power") << 9 << QList<int>{10, 11, 12, 13} << none << none
                               << 8 << "horsepower (boiler)" << 9809.5;
        QTest::newRow("Pressure") << 10 << QList<int>{}
                                  << "Columns of Mercury at 0 deg C" << "Columns of Water at 15 deg C"
                                  << 8 << "foot of water" << 0.02947678703021371;
        QTest::newRow("Time") << 11 << QList<int>{13} << none << none
                              << 6 << "month" << 2628000.0;
        QTest::newRow("Viscosity") << 12 << QList<int>{13} << MixNote << none
                                   << 6 << "pound-force sec per sq in" << 6894.757;
        QTest::newRow("Work") << 13 << QList<int>{13} << none << none
                              << 10 << "calorie" << 4.1868;
        QTest::newRow("Volumetric Flow Rate") << 14 << QList<int>{} << none << none
                                              << 13 << "fluid ounce per hour" << 0.1875;
    }
    void categories()
    {
        QFETCH(int, position);
        QFETCH(QList<int>, emptySlots);
        QFETCH(QString, note1);
        QFETCH(QString, note2);
        QFETCH(int, sampleSlot);
        QFETCH(QString, sampleUnit);
        QFETCH(double, sampleFactor);
        const QString name = QString::fromLatin1(QTest::currentDataTag());

        QCOMPARE(catalogue().size(), std::size_t(15));
        QCOMPARE(catalogue().at(std::size_t(position)).name, name);

        // Leave junk in the table and notes first: a load must replace all of it.
        for (int k = 1; k <= 13; ++k) {
            UnitName(k) = QStringLiteral("stale");
            UnitFactor(k) = -7;
        }
        CategoryNote1 = CategoryNote2 = QStringLiteral("stale");
        FakeView view;
        load(name, &view);

        QSet<QString> seen;
        for (int k = 1; k <= 13; ++k) {
            const bool empty = emptySlots.contains(k);
            QCOMPARE(UnitName(k).isEmpty(), empty);
            QVERIFY(std::isfinite(UnitFactor(k)) && UnitFactor(k) > 0);
            if (empty) {
                QCOMPARE(exact(UnitFactor(k)), exact(1.0));
                continue;
            }
            QVERIFY2(!seen.contains(UnitName(k)), qPrintable(UnitName(k)));
            seen.insert(UnitName(k));
            QCOMPARE(view.units[k], UnitName(k));
        }
        QCOMPARE(UnitName(sampleSlot), sampleUnit);
        QCOMPARE(exact(UnitFactor(sampleSlot)), exact(sampleFactor));
        QCOMPARE(CategoryNote1, note1);
        QCOMPARE(CategoryNote2, note2);

        QCOMPARE(view.caption, name);
        QCOMPARE(view.hidden(), emptySlots);
        QCOMPARE(view.note1, note1);
        QCOMPARE(view.note2, note2);
    }

    void tableOnlyWithoutView()
    {
        load(QStringLiteral("Power"));
        QCOMPARE(UnitName(1), QStringLiteral("watt"));
        QCOMPARE(UnitName(10), QString());
        QCOMPARE(exact(UnitFactor(2)), exact(1000));
    }

    // --- factors that must match a unit's definition exactly ---------------

    void exactFactors_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("factor");

        auto row = [](const char* cat, const char* unit, double f) {
            QTest::addRow("%s: %s", cat, unit) << QString::fromLatin1(cat) << QString::fromLatin1(unit) << f;
        };
        row("Angles", "minute", 0.016666666666666666);
        row("Angles", "second", 0.0002777777777777778);
        row("Acceleration", "meter per hour per sec", 0.0002777777777777778);
        row("Acceleration", "kilometer per hour per sec", 0.2777777777777778);
        row("Acceleration", "knot per sec", 0.5144444444444445);
        row("Acceleration", "foot per min squared", 8.466666666666666e-05);
        row("Acceleration", "foot per hour per sec", 8.466666666666666e-05);
        row("Imperial", "ounce(Imperial)", 2.84130625e-05);
        row("Imperial", "gallon (U.S.)", 0.003785411784);
        row("Imperial", "quart (U.S.)", 0.000946352946);
        row("Mass Flow Rate", "kilogram per second", 190479.39452773423);
        row("Mass Flow Rate", "kilogram per minute", 3174.656575462237);
        row("Mass Flow Rate", "kilogram per hour", 52.910942924370616);
        row("Mass Flow Rate", "kilogram per day", 2.2046226218487757);
        row("Mass Flow Rate", "gram per second", 190.47939452773423);
        row("Mass Flow Rate", "gram per minute", 3.174656575462237);
        row("Mass Flow Rate", "gram per hour", 0.05291094292437062);
        row("Mass Flow Rate", "gram per day", 0.002204622621848776);
        row("Power", "Btu per hour", 0.2930710701722222);
        row("Power", "Btu per second", 1055.05585262);
        row("Power", "kilocalorie per second", 4186.8);
        row("Power", "horsepower (metric)", 735.49875);
        row("Power", "kg-force meter per second", 9.80665);
        row("Work", "kilogram-force meter", 9.80665);
        row("Pressure", "pound per square inch", 0.06804596390987773);
        row("Pressure", "pound per square foot", 0.0004725414160408176);
        // Quotients, each operation rounded to double.
        row("Pressure", "inch of mercury", 0.03342105263157894);
        row("Pressure", "millimeter of water", 9.670861886553053e-05);
        row("Pressure", "Pascal - Pa", 9.869232667160129e-06);
        row("Pressure", "bar", 0.9869232667160128);
        row("Work", "inch pound", 0.11298483333333333);
    }
    void exactFactors()
    {
        QFETCH(QString, category);
        QFETCH(QString, unit);
        QFETCH(double, factor);
        QCOMPARE(exact(factorOf(category, unit)), exact(factor));
    }

    // --- conversions a wrong factor would spoil ---------------------------

    void conversions_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("result"); // 7 significant digits

        QTest::newRow("atmosphere in psi") << "Pressure" << "atmosphere" << "pound per square inch" << 1.0 << "14.69595";
        QTest::newRow("3/4 bar in psi") << "Pressure" << "bar" << "pound per square inch" << 0.75 << "10.87783";
        QTest::newRow("psi in psf") << "Pressure" << "pound per square inch" << "pound per square foot" << 1.0 << "144";
        QTest::newRow("mmHg in Torr") << "Pressure" << "millimeter of mercury" << "Torr" << 1.0 << "1";
        QTest::newRow("degree in minutes") << "Angles" << "degree" << "minute" << 1.0 << "60";
        QTest::newRow("minute in seconds") << "Angles" << "minute" << "second" << 1.0 << "60";
        QTest::newRow("imperial gallon in ounces") << "Imperial" << "gallon(Imperial)" << "ounce(Imperial)" << 1.0 << "160";
        QTest::newRow("US gallon in quarts") << "Imperial" << "gallon (U.S.)" << "quart (U.S.)" << 1.0 << "4";
        QTest::newRow("US gallon in liters") << "Imperial" << "gallon (U.S.)" << "liter" << 1.0 << "3.785412";
        QTest::newRow("knot per sec") << "Acceleration" << "knot per sec" << "meter per sec squared" << 1.0 << "0.5144444";
        QTest::newRow("ft/s2 in ft/min2") << "Acceleration" << "foot per sec squared" << "foot per min squared" << 1.0 << "3600";
        QTest::newRow("kg/day in lb/day") << "Mass Flow Rate" << "kilogram per day" << "pound per day" << 1.0 << "2.204623";
        QTest::newRow("kg/s in g/h") << "Mass Flow Rate" << "kilogram per second" << "gram per hour" << 1.0 << "3600000";
        QTest::newRow("metric hp") << "Power" << "horsepower (metric)" << "kg-force meter per second" << 1.0 << "75";
        QTest::newRow("Btu/s in Btu/h") << "Power" << "Btu per second" << "Btu per hour" << 1.0 << "3600";
        QTest::newRow("kgf m in J") << "Work" << "kilogram-force meter" << "Joule" << 1.0 << "9.80665";
        QTest::newRow("ft lb in in lb") << "Work" << "foot pound" << "inch pound" << 1.0 << "12";
        QTest::newRow("square meter") << "Area" << "square meter" << "square centimeter" << 1.0 << "10000";
        QTest::newRow("century in days") << "Time" << "century" << "day" << 1.0 << "36500";
    }
    void conversions()
    {
        QFETCH(QString, category);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(double, value);
        QFETCH(QString, result);
        const double r = value * factorOf(category, from) / factorOf(category, to);
        QCOMPARE(QString::number(r, 'g', 7), result);
    }

    // --- a name outside the catalogue ---------------------------------------

    void unknownName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("lower case") << "pressure";
        QTest::newRow("trailing blank") << "Pressure ";
        QTest::newRow("empty") << "";
        QTest::newRow("custom set") << "User1Factors";
    }
    void unknownName()
    {
        QFETCH(QString, name);
        load(QStringLiteral("Pressure"));
        FakeView view;
        load(name, &view);

        const CatalogueCategory* pressure = findCategory(QStringLiteral("Pressure"));
        QVERIFY(pressure);
        for (int k = 1; k <= 13; ++k) {
            QCOMPARE(UnitName(k), pressure->units[k - 1]);
            QCOMPARE(exact(UnitFactor(k)), exact(pressure->factors[k - 1]));
            QCOMPARE(view.units[k], pressure->units[k - 1]);
        }
        QCOMPARE(view.caption, name);
        QCOMPARE(view.hidden(), QList<int>{});
        QCOMPARE(CategoryNote1, QString());
        QCOMPARE(CategoryNote2, QString());
        QCOMPARE(view.note1, QString());
        QCOMPARE(view.note2, QString());
    }

    void unknownNameOnEmptyTable()
    {
        for (int k = 1; k <= 13; ++k) {
            UnitName(k).clear();
            UnitFactor(k) = 0;
        }
        FakeView view;
        load(QStringLiteral("Nothing"), &view);
        for (int k = 1; k <= 13; ++k)
            QCOMPARE(UnitFactor(k), 0.0);
        QCOMPARE(view.units[1], QString());
        QCOMPARE(view.hidden(), (QList<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    }

    // --- one screen, several loads ------------------------------------------

    void slotsFollowEachLoad_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QList<int>>("hidden");
        QTest::newRow("Imperial, then Pressure") << "Imperial" << "Pressure" << QList<int>{};
        QTest::newRow("Angles, then Volumetric Flow Rate") << "Angles" << "Volumetric Flow Rate" << QList<int>{};
        QTest::newRow("Power, then Light") << "Power" << "Light" << QList<int>{11, 12, 13};
        QTest::newRow("Pressure, then Imperial") << "Pressure" << "Imperial" << QList<int>{6, 10, 13};
    }
    void slotsFollowEachLoad()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QList<int>, hidden);
        FakeView view;
        load(first, &view);
        load(second, &view);
        QCOMPARE(view.hidden(), hidden);
        for (int k = 1; k <= 13; ++k)
            if (!hidden.contains(k))
                QCOMPARE(view.units[k], UnitName(k));
    }

    // --- dividers ------------------------------------------------------------

    void dividers_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("length");
        QTest::newRow("Light") << "Light" << 5 << 24;
        QTest::newRow("Viscosity") << "Viscosity" << 9 << 23;
    }
    void dividers()
    {
        QFETCH(QString, category);
        QFETCH(int, slot);
        QFETCH(int, length);
        FakeView view;
        load(category, &view);
        QCOMPARE(UnitName(slot), QString(length, QLatin1Char('=')));
        QCOMPARE(exact(UnitFactor(slot)), exact(1.0));
        QVERIFY(view.visible[slot]);
        QCOMPARE(view.units[slot], UnitName(slot));
        QCOMPARE(view.note1, MixNote);
        // No other slot of the catalogue is a divider.
        for (int k = 1; k <= 13; ++k)
            if (k != slot)
                QVERIFY(!UnitName(k).startsWith(QLatin1Char('=')));
    }
};
ORVALIS_TEST(TestCatalogue)
#include "test_catalogue.moc"
