#include "testsupport.h"
#include "formdriver.h"
#include "core/catalogue.h"
#include "core/loaddata.h"
#include <cmath>
#include <optional>
#include <tuple>

using namespace LOADDATA;
using namespace testing;

namespace {

// Loads the category that names the data row ("category" or "category: unit",
// "#2" after a unit that has a second row) and gives the unit. No screen is
// given: the generic screen's own tests show a category.
QString loadRow()
{
    const QStringList tag = QString::fromLatin1(QTest::currentDataTag()).split(QStringLiteral(": "));
    CategoryName = tag[0];
    LoadCategory(nullptr);
    return tag.value(1).section(u'#', 0, 0);
}

double factorOf(const QString& unit)
{
    for (int k = 1; k <= 13; ++k)
        if (UnitName(k) == unit)
            return UnitFactor(k);
    return std::nan("");
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

    // The unit table is shared by the whole program: each test leaves it as found.
    using Table = std::tuple<Slots<QString>, Slots<double>, QString, QString, QString>;
    std::optional<Table> saved;

private slots:
    void init() { saved = Table{UnitName, UnitFactor, CategoryName, CategoryNote1, CategoryNote2}; }
    void cleanup() { std::tie(UnitName, UnitFactor, CategoryName, CategoryNote1, CategoryNote2) = *saved; }

    // value of the unit in result's unit, at 7 significant digits; without
    // one, value is the unit's factor as it follows from its definition, at
    // 17 significant digits, which tell any two doubles apart.
    void factors_data()
    {
        QTest::addColumn<double>("value");
        columns({"to", "result"});
        QTest::newRow("Angles: minute") << 0.016666666666666666 << "" << "";
        QTest::newRow("Acceleration: knot per sec") << 0.5144444444444445 << "" << "";
        QTest::newRow("Imperial: ounce(Imperial)") << 2.84130625e-05 << "" << "";
        QTest::newRow("Imperial: gallon (U.S.)") << 0.003785412 << "" << "";
        QTest::newRow("Mass Flow Rate: kilogram per second") << 190479.39452773423 << "" << "";
        QTest::newRow("Power: Btu per hour") << 0.2930710701722222 << "" << "";
        QTest::newRow("Pressure: pound per square inch") << 0.06804572672836146 << "" << "";
        QTest::newRow("Pressure: pound per square foot") << 0.0004725397689469545 << "" << "";
        QTest::newRow("Power: horsepower (metric)") << 735.5 << "" << "";
        QTest::newRow("Pressure: inch of mercury") << 0.03342105263157894 << "" << "";
        QTest::newRow("Work: inch pound") << 0.11298483333333333 << "" << "";
        QTest::newRow("Pressure: atmosphere") << 1.0 << "pound per square inch" << "14.696";
        QTest::newRow("Pressure: bar") << 0.75 << "pound per square inch" << "10.87787";
        QTest::newRow("Angles: degree") << 1.0 << "minute" << "60";
        QTest::newRow("Imperial: gallon(Imperial)") << 1.0 << "ounce(Imperial)" << "160";
        QTest::newRow("Imperial: quart (U.S.)") << 1.0 << "milliliter" << "946.353";
        // The weight screen's pounds per kilogram.
        QTest::newRow("Mass Flow Rate: kilogram per second#2") << 1.0 << "pound per second" << "2.204623";
    }
    void factors()
    {
        const QString from = loadRow();
        const QString to = cell("to");
        const double value = cell<double>("value");
        if (to.isEmpty())
            QCOMPARE(QString::number(factorOf(from), 'g', 17), QString::number(value, 'g', 17));
        else
            QCOMPARE(QString::number(value * factorOf(from) / factorOf(to), 'g', 7), cell("result"));
    }
};
ORVALIS_TEST(TestCatalogue)
#include "test_catalogue.moc"
