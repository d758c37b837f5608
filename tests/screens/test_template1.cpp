#include "testsupport.h"
#include "formdriver.h"
#include "core/catalogue.h"
#include "core/loaddata.h"
#include "core/orvl_mod.h"
#include "core/picturestore.h"
#include "platform/controls.h"
#include "platform/twips.h"
#include "screens/template1.h"
#include "shell/unitmenu.h"

#include <QClipboard>
#include <QGroupBox>

using namespace testing;

namespace {
const QString Inverse = QStringLiteral("liter per 100 kilometer");
const QString MpgUS = QStringLiteral("mile per gallon (U.S.)");
const QString Kpl = QStringLiteral("kilometer per liter");
const QString MixNote = QStringLiteral("Note: Do not mix units above and below the ======== divider");

QList<int> range(int first, int last)
{
    QList<int> numbers;
    for (int k = first; k <= last; ++k)
        numbers << k;
    return numbers;
}
} // namespace

class TestTemplate1 : public QObject {
    Q_OBJECT

    template1& screen() { return platform::the<template1>(); }
    QLineEdit* text(const char* name) { return control<QLineEdit>(screen(), QLatin1String(name)); }
    QLabel* label(const QString& name) { return control<QLabel>(screen(), name); }
    QLabel* unitLabel(int i) { return label(QStringLiteral("lbl3_%1").arg(i)); }
    QPushButton* button(int NN, int i)
    {
        return control<QPushButton>(screen(), QStringLiteral("btn%1_%2").arg(NN, 2, 10, QLatin1Char('0')).arg(i));
    }
    QColor backColor(const QString& name)
    {
        QWidget* w = screen().window()->findChild<QWidget*>(name);
        return w ? w->palette().color(QPalette::Window) : QColor();
    }

    // Opens the screen on a category, as the main window does.
    bool open(const QString& category)
    {
        LOADDATA::CategoryName = category;
        return showActive(screen());
    }
    // A unit by the caption of its button on side i.
    void choose(const QString& unit, int i)
    {
        for (int NN = 1; NN <= 13; ++NN)
            if (button(NN, i)->isVisible() && button(NN, i)->text() == unit) {
                click(button(NN, i));
                return;
            }
        QFAIL(qPrintable(unit));
    }
    QList<int> visibleSlots(int i)
    {
        QList<int> shown;
        for (int NN = 1; NN <= 13; ++NN)
            if (button(NN, i)->isVisible())
                shown << NN;
        return shown;
    }

private slots:
    void init() { useLocale("C"); }
    void cleanup() { platform::Form::UnloadAll(); }

    void converts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("shownInput");
        QTest::addColumn<QString>("result");
        const QString C = QStringLiteral("C"), de = QStringLiteral("de_DE");
        QTest::newRow("bar to psi") << C << "Pressure" << "3/4" << "bar" << "pound per square inch" << "0.75" << "10.87783";
        QTest::newRow("atmosphere to psi") << C << "Pressure" << "1" << "atmosphere" << "pound per square inch" << "1" << "14.695949";
        QTest::newRow("degree to minute") << C << "Angles" << "1" << "degree" << "minute" << "1" << "60.";
        QTest::newRow("imperial gallon to ounce") << C << "Imperial" << "1" << "gallon(Imperial)" << "ounce(Imperial)" << "1" << "160.";
        QTest::newRow("to inverse") << C << "Fuel" << "30" << MpgUS << Inverse << "30" << "7.840486";
        QTest::newRow("from inverse") << C << "Fuel" << "8" << Inverse << MpgUS << "8" << "29.401823";
        QTest::newRow("inverse to inverse") << C << "Fuel" << "5" << Inverse << Inverse << "5" << "5.";
        QTest::newRow("km per liter to inverse") << C << "Fuel" << "4" << Kpl << Inverse << "4" << "25.";
        QTest::newRow("inverse fraction") << C << "Fuel" << "3/4" << MpgUS << Inverse << "0.75" << "313.61945";
        QTest::newRow("negative inverse") << C << "Fuel" << "-8" << Inverse << Kpl << "-8" << "-1.25 E+01";
        QTest::newRow("divider is factor 1") << C << "Light" << "5" << "========================" << "lux (lx)" << "5" << "5.";
        QTest::newRow("de bar to psi") << de << "Pressure" << "3/4" << "bar" << "pound per square inch" << "0,75" << "10,87783";
        QTest::newRow("de to inverse") << de << "Fuel" << "2,5" << Kpl << Inverse << "2,5" << "40,";
        QTest::newRow("de from inverse") << de << "Fuel" << "8" << Inverse << MpgUS << "8" << "29,401823";
        QTest::newRow("de exponent form") << de << "Work" << "1,5" << "kilowatt hour" << "Joule" << "1,5" << "5,4 E+06";
    }
    void converts()
    {
        QFETCH(QString, locale);
        QFETCH(QString, category);
        QFETCH(QString, input);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, shownInput);
        QFETCH(QString, result);
        useLocale(locale.toLatin1());
        QVERIFY(open(category));
        type(text("Text1"), input);
        choose(from, 0);
        QCOMPARE(text("Text1")->text(), shownInput);
        QCOMPARE(unitLabel(0)->text(), from);
        QCOMPARE(text("Text4")->text(), QString());
        choose(to, 1);
        QCOMPARE(unitLabel(1)->text(), to);
        QCOMPARE(text("Text4")->text(), result);
        // Enter gives the same again, with the inverse sides kept.
        type(text("Text1"), input);
        QCOMPARE(text("Text4")->text(), QString());
        QTest::keyClick(text("Text1"), Qt::Key_Return);
        QCOMPARE(text("Text4")->text(), result);
        QCOMPARE(unitLabel(0)->text(), from);
        QCOMPARE(unitLabel(1)->text(), to);
    }

    void copiesTheResult()
    {
        QVERIFY(open(QStringLiteral("Pressure")));
        type(text("Text1"), QStringLiteral("3/4"));
        choose(QStringLiteral("bar"), 0);
        choose(QStringLiteral("pound per square inch"), 1);
        text("Text1")->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("stale"));
        ctrl(screen().window(), Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("10.87783"));
    }

    void anotherUnitClearsTheInverseFlag_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QString>("result");
        // 4 km/l on both sides is 4; left inverted it would be 25.
        QTest::newRow("from side") << 0 << "4.";
        QTest::newRow("to side") << 1 << "4.";
    }
    void anotherUnitClearsTheInverseFlag()
    {
        QFETCH(int, side);
        QFETCH(QString, result);
        QVERIFY(open(QStringLiteral("Fuel")));
        type(text("Text1"), QStringLiteral("4"));
        choose(Inverse, side);
        choose(Kpl, 1 - side);
        QCOMPARE(text("Text4")->text(), QStringLiteral("25."));
        choose(Kpl, side);
        QCOMPARE(text("Text4")->text(), result);
        QTest::keyClick(text("Text1"), Qt::Key_Return);
        QCOMPARE(text("Text4")->text(), result);
    }

    void noResultWithoutCounterpart_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("shownInput");
        QTest::newRow("0 from inverse") << "0" << Inverse << Kpl << "0";
        QTest::newRow("0 to inverse") << "0" << Kpl << Inverse << "0";
        QTest::newRow("0 inverse both") << "0" << Inverse << Inverse << "0";
        QTest::newRow("empty from inverse") << "" << Inverse << MpgUS << "0";
        QTest::newRow("0/5 to inverse") << "0/5" << MpgUS << Inverse << "0";
        // An input the screen cannot read stays as typed.
        QTest::newRow("unreadable from inverse") << "abc" << Inverse << Kpl << "abc";
        QTest::newRow("unreadable plain") << "abc" << Kpl << MpgUS << "abc";
        QTest::newRow("zero denominator") << "1/0" << Kpl << Inverse << "1/0";
        QTest::newRow("beyond single") << "1e39" << Inverse << Inverse << "1e39";
    }
    void noResultWithoutCounterpart()
    {
        QFETCH(QString, input);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, shownInput);
        QVERIFY(open(QStringLiteral("Fuel")));
        type(text("Text1"), QStringLiteral("5"));
        choose(Kpl, 0);
        choose(Inverse, 1);
        QCOMPARE(text("Text5")->text(), QStringLiteral("20"));
        QCOMPARE(text("Text4")->text(), QStringLiteral("20."));

        type(text("Text1"), input);
        choose(from, 0);
        choose(to, 1);
        // The units are still taken and named; no result, the raw one stays.
        QCOMPARE(unitLabel(0)->text(), from);
        QCOMPARE(unitLabel(1)->text(), to);
        QCOMPARE(text("Text4")->text(), QString());
        QCOMPARE(text("Text5")->text(), QStringLiteral("20"));
        QTest::keyClick(text("Text1"), Qt::Key_Return);
        QCOMPARE(text("Text4")->text(), QString());
        QCOMPARE(text("Text5")->text(), QStringLiteral("20"));
        QCOMPARE(text("Text1")->text(), shownInput);
        // Exponential shows the last raw result only while the input is unchanged.
        ctrl(screen().window(), Qt::Key_E);
        QCOMPARE(text("Text4")->text(), QString());
    }

    void everyCategory_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<QString>("note1");
        QTest::addColumn<QString>("note2");
        QTest::addColumn<unsigned>("color");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("result"); // of 1 from in to
        const QString none;
        const unsigned blue = 0x00FFC0C0;
        QTest::newRow("Acceleration") << "Acceleration" << range(11, 13) << none << none << blue << "iconAccelleration"
                                      << "foot per sec squared" << "inch per sec squared" << "12.";
        QTest::newRow("Angles") << "Angles" << range(7, 13) << none << none << blue << "iconAngles" << "circle"
                                << "quadrant" << "4.";
        QTest::newRow("Area") << "Area" << range(13, 13) << none << none << blue << "iconArea" << "square foot"
                              << "square inch" << "144.";
        QTest::newRow("Bits and Bytes") << "Bits and Bytes" << range(13, 13) << none << none << 0x00808000u << "iconBits"
                                        << "kilobyte" << "byte" << "1024.";
        QTest::newRow("Density") << "Density" << range(7, 13) << none << none << blue << "iconDensity"
                                 << "gram per milliliter" << "kilogram per cubic meter" << "1000.";
        QTest::newRow("Fuel") << "Fuel" << range(6, 13) << "Note: liter per 100 kilometer is an inverse conversion"
                              << none << blue << "iconFuel" << Kpl << Inverse << "100.";
        QTest::newRow("Imperial") << "Imperial" << QList<int>{6, 10, 13} << none << none << blue << "iconImperial"
                                  << "liter" << "milliliter" << "1000.";
        QTest::newRow("Light") << "Light" << range(11, 13) << MixNote << none << 0x00C0FFFFu << "iconLight"
                               << "phot (ph)" << "lux (lx)" << "10000.";
        QTest::newRow("Mass Flow Rate") << "Mass Flow Rate" << range(13, 13) << none << none << 0x00E0E0E0u
                                        << "iconMassFlow" << "pound per hour" << "pound per day" << "24.";
        QTest::newRow("Power") << "Power" << range(10, 13) << none << none << 0x00C0FFFFu << "iconPower" << "kilowatt"
                               << "watt" << "1000.";
        QTest::newRow("Pressure") << "Pressure" << QList<int>{} << "Columns of Mercury at 0 deg C"
                                  << "Columns of Water at 15 deg C" << blue << "iconPressure" << "millibar"
                                  << "Pascal - Pa" << "100.";
        QTest::newRow("Time") << "Time" << range(13, 13) << none << none << blue << "iconTime" << "day" << "hour"
                              << "24.";
        QTest::newRow("Viscosity") << "Viscosity" << range(13, 13) << MixNote << none << blue << "iconViscosity"
                                   << "poise" << "centipoise (cP)" << "100.";
        QTest::newRow("Work") << "Work" << range(13, 13) << none << none << blue << "iconWork" << "kilowatt hour"
                              << "Joule" << "3.6 E+06";
        QTest::newRow("Volumetric Flow Rate") << "Volumetric Flow Rate" << QList<int>{} << none << none << 0x00FF8080u
                                              << "iconVolumeFlow" << "gallon per minute" << "gallon per hour" << "60.";
    }
    void everyCategory()
    {
        QFETCH(QString, category);
        QFETCH(QList<int>, hidden);
        QFETCH(QString, note1);
        QFETCH(QString, note2);
        QFETCH(unsigned, color);
        QFETCH(QString, icon);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, result);
        QVERIFY(open(category));
        QCOMPARE(screen().window()->windowTitle(), category);

        const LOADDATA::CatalogueCategory* c = LOADDATA::findCategory(category);
        QVERIFY(c);
        for (int i = 0; i < 2; ++i) {
            QList<int> shown;
            for (int NN = 1; NN <= 13; ++NN) {
                QPushButton* b = button(NN, i);
                // Every pair keeps its designed place, shown or not.
                QCOMPARE(b->geometry(), platform::twipsRect(300, 315 * NN, 2655, 280));
                if (b->isVisible()) {
                    shown << NN;
                    QCOMPARE(b->text(), c->units[std::size_t(NN - 1)]);
                }
            }
            for (int NN = 1; NN <= 13; ++NN)
                QCOMPARE(shown.contains(NN), !hidden.contains(NN));
        }
        QCOMPARE(label(QStringLiteral("note1"))->text(), note1);
        QCOMPARE(label(QStringLiteral("note2"))->text(), note2);

        const QColor expected = platform::vbColor(color);
        QCOMPARE(backColor(QStringLiteral("client")), expected);
        QCOMPARE(backColor(QStringLiteral("Frame1_0")), expected);
        QCOMPARE(backColor(QStringLiteral("Frame1_1")), expected);
        QVERIFY(platform::the<btn>().IsLoaded());
        const QImage shownIcon = screen().window()->windowIcon().pixmap(32, 32).toImage();
        QVERIFY(!shownIcon.isNull());
        QCOMPARE(shownIcon, platform::the<btn>().picture(icon).toImage().convertToFormat(shownIcon.format()));

        type(text("Text1"), QStringLiteral("1"));
        choose(from, 0);
        choose(to, 1);
        QCOMPARE(text("Text4")->text(), result);
    }

    void dividerAndGaps()
    {
        QVERIFY(open(QStringLiteral("Light")));
        QCOMPARE(button(5, 0)->text(), QStringLiteral("========================"));
        QVERIFY(button(5, 1)->isVisible());
        QCOMPARE(label(QStringLiteral("note1"))->text(), MixNote);
        QVERIFY(label(QStringLiteral("note1"))->width() > platform::twipsToPixels(2655)); // grows with its text
        screen().Unload();

        QVERIFY(open(QStringLiteral("Imperial")));
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(visibleSlots(i), (QList<int>{1, 2, 3, 4, 5, 7, 8, 9, 11, 12}));
            QCOMPARE(button(7, i)->y(), platform::twipsToPixels(315 * 7));
            QCOMPARE(button(11, i)->y(), platform::twipsToPixels(315 * 11));
            QCOMPARE(button(6, i)->text(), QStringLiteral("btn06")); // a hidden pair keeps its designed caption
        }
    }

    void unknownNameKeepsTheTable()
    {
        QVERIFY(open(QStringLiteral("Pressure")));
        screen().Unload();
        QVERIFY(open(QStringLiteral("pressure")));
        QCOMPARE(screen().window()->windowTitle(), QStringLiteral("pressure"));
        QCOMPARE(visibleSlots(0), range(1, 13));
        QCOMPARE(button(12, 1)->text(), QStringLiteral("bar"));
        QCOMPARE(label(QStringLiteral("note1"))->text(), QString());
        QCOMPARE(label(QStringLiteral("note2"))->text(), QString());
        // The designed look stays.
        QCOMPARE(backColor(QStringLiteral("client")), platform::vbColor(0x000080FF));
        QCOMPARE(backColor(QStringLiteral("Frame1_0")), platform::vbColor(0x00FFC0C0));
        QCOMPARE(backColor(QStringLiteral("Frame1_1")), platform::vbColor(0x00C0FFFF));
        QCOMPARE(screen().window()->windowIcon().pixmap(32, 32).toImage(),
                 platform::the<btn>().picture(QStringLiteral("iconLength")).toImage().convertToFormat(
                     screen().window()->windowIcon().pixmap(32, 32).toImage().format()));
        type(text("Text1"), QStringLiteral("1"));
        choose(QStringLiteral("atmosphere"), 0);
        choose(QStringLiteral("pound per square inch"), 1);
        QCOMPARE(text("Text4")->text(), QStringLiteral("14.695949"));
    }

    void everyOpeningShowsItsSlots_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("Angles then Pressure") << "Angles" << "Pressure" << range(1, 13);
        QTest::newRow("Imperial then Volumetric") << "Imperial" << "Volumetric Flow Rate" << range(1, 13);
        QTest::newRow("Pressure then Power") << "Pressure" << "Power" << range(1, 9);
    }
    void everyOpeningShowsItsSlots()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QList<int>, shown);
        EndWatcher ended;
        QVERIFY(open(first));
        type(text("Text1"), QStringLiteral("2"));
        // Main Menu goes back to the main window; the program goes on.
        ctrl(screen().window(), Qt::Key_M);
        QVERIFY(!screen().IsLoaded());
        QCOMPARE(ended.count, 0);
        QVERIFY(platform::the<UnitMenu>().window() && platform::the<UnitMenu>().window()->isVisible());
        QVERIFY(open(second));
        QCOMPARE(visibleSlots(0), shown);
        QCOMPARE(visibleSlots(1), shown);
        QCOMPARE(screen().window()->windowTitle(), second);
        // Nothing chosen and nothing typed carries over.
        QCOMPARE(text("Text1")->text(), QString());
        QCOMPARE(unitLabel(0)->text(), QString());
        QCOMPARE(text("Text5")->text(), QString());
        QCOMPARE(ORVL_MOD::ExpMode, std::int16_t(-1));
    }

    void inverseFlagOfAnEarlierOpening()
    {
        QVERIFY(open(QStringLiteral("Fuel")));
        type(text("Text1"), QStringLiteral("4"));
        choose(Inverse, 0);
        choose(Inverse, 1);
        screen().Unload();
        // A result needs both sides chosen again; each choice sets its flag.
        QVERIFY(open(QStringLiteral("Fuel")));
        type(text("Text1"), QStringLiteral("4"));
        choose(Kpl, 1);
        QCOMPARE(text("Text4")->text(), QString());
        choose(Kpl, 0);
        QCOMPARE(text("Text4")->text(), QStringLiteral("4."));
    }

    void buttonReadsTheTableWhenClicked()
    {
        QVERIFY(open(QStringLiteral("Pressure")));
        type(text("Text1"), QStringLiteral("1"));
        choose(QStringLiteral("atmosphere"), 0);
        LOADDATA::UnitFactor(12) = 0.5;
        click(button(12, 1));
        QCOMPARE(unitLabel(1)->text(), QStringLiteral("bar"));
        QCOMPARE(text("Text4")->text(), QStringLiteral("2."));
        // The name is the from-column caption.
        button(12, 0)->setText(QStringLiteral("renamed"));
        click(button(12, 1));
        QCOMPARE(unitLabel(1)->text(), QStringLiteral("renamed"));
        LOADDATA::LoadCategory(nullptr); // restore the table
    }

    void exponentialDisplay()
    {
        QVERIFY(open(QStringLiteral("Fuel")));
        type(text("Text1"), QStringLiteral("30"));
        choose(MpgUS, 0);
        choose(Inverse, 1);
        ctrl(screen().window(), Qt::Key_E);
        QCOMPARE(text("Text4")->text(), QStringLiteral("7.840486 E+00"));
        choose(Inverse, 1);
        QCOMPARE(text("Text4")->text(), QStringLiteral("7.840486 E+00"));
        QCOMPARE(text("Text5")->text(), QStringLiteral("7.84048624813994"));
        ctrl(screen().window(), Qt::Key_E);
        QCOMPARE(text("Text4")->text(), QStringLiteral("7.840486"));
    }

    void designedWindow()
    {
        QVERIFY(open(QStringLiteral("Angles")));
        QMainWindow* w = screen().window();
        QCOMPARE(platform::outerSizeTwips(w), QSize(8205, 6900));
        // Centred on the 12000 x 12000 twip screen, 200 twips above the middle.
        QCOMPARE(ORVL_MOD::FormLeft, 1900);
        QCOMPARE(ORVL_MOD::FormTop, 2350);
        QCOMPARE(control<QGroupBox>(screen(), QStringLiteral("Frame1_0"))->geometry(),
                 platform::twipsRect(600, 1080, 3390, 4560));
        QCOMPARE(control<QGroupBox>(screen(), QStringLiteral("Frame1_1"))->geometry(),
                 platform::twipsRect(4200, 1080, 3210, 4560));
        QCOMPARE(label(QStringLiteral("note1"))->pos(), platform::twipsRect(300, 5715, 0, 0).topLeft());
        QCOMPARE(label(QStringLiteral("note2"))->pos(), platform::twipsRect(300, 5900, 0, 0).topLeft());
        QVERIFY(!label(QStringLiteral("note1"))->font().bold());
        QVERIFY(w->findChild<QAction*>(QStringLiteral("AboutOrvalis")));
        QCOMPARE(text("Text5")->text(), QString());
        QVERIFY(!text("Text5")->isVisible());
    }

    void tabOrder()
    {
        QVERIFY(open(QStringLiteral("Pressure")));
        QWidget* w = text("Text1");
        QCOMPARE(QApplication::focusWidget(), w);
        QStringList expected;
        for (int i = 0; i < 2; ++i)
            for (int NN = 1; NN <= 12; ++NN)
                expected << QStringLiteral("btn%1_%2").arg(NN, 2, 10, QLatin1Char('0')).arg(i);
        expected << QStringLiteral("Text4") << QStringLiteral("btn13_0") << QStringLiteral("btn13_1")
                 << QStringLiteral("Text1");
        QCOMPARE(tabChain(w, int(expected.size())), expected);
    }
};
ORVALIS_TEST(TestTemplate1)
#include "test_template1.moc"
