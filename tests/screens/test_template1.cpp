#include "formdriver.h"
#include "core/catalogue.h"
#include "core/loaddata.h"
#include "core/picturestore.h"
#include "screens/template1.h"
#include "shell/unitmenu.h"

#include <cmath>

using namespace testing;

namespace {
const QString Inverse = QStringLiteral("liter per 100 kilometer");
const QString MpgUS = QStringLiteral("mile per gallon (U.S.)");
const QString Kpl = QStringLiteral("kilometer per liter");
const QString Psi = QStringLiteral("pound per square inch");
} // namespace

class TestTemplate1 : public ScreenTest<template1> {
    Q_OBJECT

    QPushButton* button(int NN, int i) { return get<QPushButton>(QStringLiteral("btn%1_%2").arg(NN, 2, 10, QChar(u'0')).arg(i)); }

    // Opens the screen on a category, as the main window does.
    bool open(const QString& category) { LOADDATA::CategoryName = category; return showActive(screen()); }
    // The buttons of side i from top to bottom: # shown, - hidden.
    QString column(int i)
    {
        QString out;
        for (int NN = 1; NN <= 13; ++NN)
            out += button(NN, i)->isVisible() ? u'#' : u'-';
        return out;
    }

private slots:
    void init() { useLocale("C"); }
    void cleanup() { platform::Form::UnloadAll(); }

    // Each row follows a conversion of 5 the other way, so a side that showed
    // the inverse unit and then another must convert as the other. No result
    // without a counterpart (100 / 0) or from an input that cannot be read,
    // which stays as typed; the units are still taken and the last raw
    // result stays.
    void converts_data()
    {
        columns({"category", "input", "from", "to", "shownInput", "result"});
        QTest::newRow("bar to psi") << "Pressure" << "3/4" << "bar" << Psi << "0.75" << "10.877868";
        QTest::newRow("metric horsepower") << "Power" << "1" << "horsepower (metric)" << "watt" << "1" << "735.5";
        QTest::newRow("US gallon") << "Imperial" << "1" << "gallon (U.S.)" << "milliliter" << "1" << "3785.412";
        QTest::newRow("to inverse") << "Fuel" << "30" << MpgUS << Inverse << "30" << "7.840486";
        QTest::newRow("from inverse") << "Fuel" << "8" << Inverse << MpgUS << "8" << "29.401823";
        QTest::newRow("inverse to inverse") << "Fuel" << "5" << Inverse << Inverse << "5" << "5.";
        QTest::newRow("de_DE bar to psi") << "Pressure" << "3/4" << "bar" << Psi << "0,75" << "10,877868";
        QTest::newRow("0 from inverse") << "Fuel" << "0" << Inverse << Kpl << "0" << "";
        QTest::newRow("unreadable") << "Fuel" << "abc" << Kpl << MpgUS << "abc" << "";
        QTest::newRow("zero denominator") << "Fuel" << "1/0" << Kpl << Inverse << "1/0" << "";
    }
    void converts()
    {
        useRowLocale();
        const QString input = cell("input"), result = cell("result");
        QVERIFY(open(cell("category")));
        QVERIFY(!convert(QStringLiteral("5"), cell("to"), cell("from")).isEmpty());
        const QString raw = shown("Text5");
        QCOMPARE(convert(input, cell("from"), cell("to")), result);
        QCOMPARE(shown("Text1"), cell("shownInput"));
        QCOMPARE(shown("lbl3_0") + " / " + shown("lbl3_1"), cell("from") + " / " + cell("to"));
        if (result.isEmpty())
            QCOMPARE(shown("Text5"), raw);
        // Ctrl+C from the input copies the result as shown, or nothing.
        QApplication::clipboard()->setText(QStringLiteral("stale"));
        get("Text1")->setFocus();
        ctrl(screen().window(), Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), result);
        // Enter converts again with the units of both sides, inverse or not.
        type(get("Text1"), input);
        QCOMPARE(shown("Text4"), QString());
        QTest::keyClick(get("Text1"), Qt::Key_Return);
        QCOMPARE(shown("Text4"), result);
    }

    void everyCategory_data()
    {
        QTest::addColumn<QString>("layout"); // U a unit, = a divider (both shown), - a hidden pair
        QTest::addColumn<int>("notes");
        columns({"from", "to", "result"}); // result: of 1 from in to
        const QString full(13, u'U');
        QTest::newRow("Acceleration") << "UUUUUUUUUU---" << 0 << "foot per sec squared" << "inch per sec squared" << "12.";
        QTest::newRow("Angles") << "UUUUUU-------" << 0 << "circle" << "quadrant" << "4.";
        QTest::newRow("Area") << "UUUUUUUUUUUU-" << 0 << "square foot" << "square inch" << "144.";
        QTest::newRow("Bits and Bytes") << "UUUUUUUUUUUU-" << 0 << "kilobyte" << "byte" << "1024.";
        QTest::newRow("Density") << "UUUUUU-------" << 0 << "gram per milliliter" << "kilogram per cubic meter" << "1000.";
        QTest::newRow("Fuel") << "UUUUU--------" << 1 << Kpl << Inverse << "100.";
        QTest::newRow("Imperial") << "UUUUU-UUU-UU-" << 0 << "liter" << "milliliter" << "1000.";
        QTest::newRow("Light") << "UUUU=UUUUU---" << 1 << "phot (ph)" << "lux (lx)" << "10000.";
        QTest::newRow("Mass Flow Rate") << "UUUUUUUUUUUU-" << 0 << "pound per hour" << "pound per day" << "24.";
        QTest::newRow("Power") << "UUUUUUUUU----" << 0 << "kilowatt" << "watt" << "1000.";
        QTest::newRow("Pressure") << full << 2 << "millibar" << "Pascal - Pa" << "100.";
        QTest::newRow("Time") << "UUUUUUUUUUUU-" << 0 << "day" << "hour" << "24.";
        QTest::newRow("Viscosity") << "UUUUUUUU=UUU-" << 1 << "poise" << "centipoise (cP)" << "100.";
        QTest::newRow("Work") << "UUUUUUUUUUUU-" << 0 << "kilowatt hour" << "Joule" << "3.6 E+06";
        QTest::newRow("Volumetric Flow Rate") << full << 0 << "gallon per minute" << "gallon per hour" << "60.";
    }
    void everyCategory()
    {
        const QString category = QString::fromLatin1(QTest::currentDataTag()), layout = cell("layout");
        QVERIFY(open(category));
        const LOADDATA::CatalogueCategory* c = LOADDATA::findCategory(category);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(column(i), QString(layout).replace(u'U', u'#').replace(u'=', u'#'));
            for (int NN = 1; NN <= 13; ++NN) {
                if (button(NN, i)->isVisible())
                    QCOMPARE(button(NN, i)->text(), c->units[NN - 1]);
                // Shown or not, the pairs stand evenly spaced: the buttons below a gap keep their places.
                QCOMPARE(button(NN, i)->y() - button(1, i)->y(), (NN - 1) * (button(2, i)->y() - button(1, i)->y()));
            }
        }
        QString seen;
        QStringList units;
        for (int k = 1; k <= 13; ++k) {
            const QString unit = LOADDATA::UnitName(k);
            const double factor = LOADDATA::UnitFactor(k);
            seen += unit.isEmpty() ? u'-' : unit.startsWith(QStringLiteral("====")) ? u'=' : u'U';
            // Only a unit has a size of its own, and no unit comes twice.
            QVERIFY2(seen.back() == u'U' ? factor > 0 && std::isfinite(factor) && !units.contains(unit) : factor == 1.0,
                     qPrintable(unit));
            units << unit;
        }
        QCOMPARE(seen, layout);
        QCOMPARE(shown("note1") + '|' + shown("note2"), c->note1 + '|' + c->note2);
        QCOMPARE(int(!shown("note1").isEmpty()) + int(!shown("note2").isEmpty()), cell<int>("notes"));
        // The category's own icon, not the designed one.
        const QImage own = screen().window()->windowIcon().pixmap(32, 32).toImage();
        QVERIFY(!own.isNull() && own != platform::the<btn>().icon(QStringLiteral("iconLength")).pixmap(32, 32).toImage());
        QCOMPARE(convert(QStringLiteral("1"), cell("from"), cell("to")), cell("result"));
    }

    // Slots hidden by one category come back with the next, in their tab
    // order; a name outside the catalogue is the caption over the table as it was.
    void laterOpenings()
    {
        EndWatcher ended;
        QVERIFY(open(QStringLiteral("Angles")));
        ctrl(screen().window(), Qt::Key_M);
        QVERIFY(!screen().IsLoaded() && ended.count == 0);
        QVERIFY(platform::the<UnitMenu>().window() && platform::the<UnitMenu>().window()->isVisible());
        QVERIFY(open(QStringLiteral("Pressure")));
        QCOMPARE(column(0) + column(1), QString(26, u'#'));
        // The input has the focus; the last pair comes after every other control.
        QCOMPARE(QApplication::focusWidget(), get("Text1"));
        QStringList tabs;
        for (int i = 0; i < 2; ++i)
            for (int NN = 1; NN <= 12; ++NN)
                tabs << button(NN, i)->objectName();
        tabs << QStringLiteral("Text4") << QStringLiteral("btn13_0") << QStringLiteral("btn13_1") << QStringLiteral("Text1");
        QCOMPARE(tabChain(get("Text1"), int(tabs.size())), tabs);
        screen().Unload();

        QVERIFY(open(QStringLiteral("pressure")));
        // Under that caption, Pressure's table without its notes.
        QCOMPARE(screen().window()->windowTitle() + ' ' + column(1) + button(12, 1)->text() + shown("note1") + shown("note2"),
                 "pressure " + QString(13, u'#') + "bar");
        QCOMPARE(convert(QStringLiteral("1"), QStringLiteral("atmosphere"), Psi), QStringLiteral("14.696"));
        // The buttons read the unit table at the moment of the click.
        for (int NN = 1; NN <= 13; ++NN)
            if (button(NN, 0)->text() == QLatin1String("atmosphere"))
                LOADDATA::UnitFactor(NN) *= 2;
        choose(QStringLiteral("atmosphere"), 0);
        QCOMPARE(shown("Text4"), QStringLiteral("29.392"));
    }
};
ORVALIS_TEST(TestTemplate1)
#include "test_template1.moc"
