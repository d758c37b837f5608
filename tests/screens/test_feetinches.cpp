#include "formdriver.h"
#include "screens/diafeet_n_inches.h"
#include "shell/unitmenu.h"


using namespace testing;

class TestFeetInches : public ScreenTest<diaFeet_n_Inches> {
    Q_OBJECT

    // The result row: the number, then the inches where they show.
    QString result() { return shown("Text3") + u'|' + (get("txtFtIn_1")->isVisible() ? shown("txtFtIn_1") : u"-"_qs); }
    // Types the number, chooses the from unit, types the inches, chooses
    // the to unit, and clicks the from unit again when lastColumn is 0.
    void convert(const QString& number, const QString& inches, const QString& from, const QString& to, int lastColumn)
    {
        type(get("Text1"), number);
        clickUnit(from, 0);
        if (!inches.isNull())
            type(get("txtFtIn_0"), inches);
        clickUnit(to, 1);
        if (lastColumn == 0)
            clickUnit(from, 0);
    }

private slots:
    void init() { start(); }

    // Each row follows a good result, which must never stay beside an
    // input that gives none.
    void converts_data()
    {
        columns({"number", "inches", "from", "to"});
        QTest::addColumn<int>("lastColumn");
        QTest::addColumn<QString>("shown");
        const QString none;
        QTest::newRow("ft in to m") << "5" << "7.5" << "FtInches" << "Meters" << 1 << "1.7145|-";
        QTest::newRow("m to ft in") << "1.7145" << none << "Meters" << "FtInches" << 1 << "5|7.5";
        // Feet and inches add up to the length, whatever their signs.
        QTest::newRow("negative") << "-14.5" << none << "Inches" << "FtInches" << 1 << "-1|-2.5";
        QTest::newRow("negative, under a foot") << "-11.5" << none << "Inches" << "FtInches" << 1 << "-1|0.5";
        QTest::newRow("a hair under a foot") << "304.8" << none << "Millimeters" << "FtInches" << 1 << "0|12";
        QTest::newRow("cm to ft in") << "170" << none << "Centimeters" << "FtInches" << 1 << "5|6.929131";
        // A hair below whole feet takes no foot off.
        QTest::newRow("-1 mm") << "-1" << none << "Millimeters" << "FtInches" << 1 << "0|-0.03937006";
        QTest::newRow("-0.2 in") << "-0.2" << none << "Inches" << "FtInches" << 1 << "0|-0.2";
        QTest::newRow("-304.8 mm") << "-304.8" << none << "Millimeters" << "FtInches" << 1 << "-1|9.536743E-07";
        QTest::newRow("-13 in") << "-13" << none << "Inches" << "FtInches" << 1 << "-1|-1";
        QTest::newRow("a dozen inches, from") << "0" << "12" << "FtInches" << "FtInches" << 0 << "1|0";
        QTest::newRow("minus, from") << "5" << "-3" << "FtInches" << "FtInches" << 0 << "5|-3";
        QTest::newRow("negative inches, from") << "2" << "-0.2" << "FtInches" << "FtInches" << 0 << "2|-0.2";
        QTest::newRow("negative, to") << "-2" << "-13" << "FtInches" << "FtInches" << 1 << "-3|-1";
        QTest::newRow("both, from") << "5.5" << "14" << "FtInches" << "FtInches" << 0 << "6.5|2";
        QTest::newRow("both, to") << "5.5" << "14" << "FtInches" << "FtInches" << 1 << "6|8";
        QTest::newRow("minus, to") << "5" << "-3" << "FtInches" << "FtInches" << 1 << "4|9";
        QTest::newRow("no number") << "abc" << none << "Inches" << "FtInches" << 1 << "|";
        QTest::newRow("no inches number") << "1" << "x" << "FtInches" << "Inches" << 0 << "|-";
        QTest::newRow("beyond single") << "1e39" << none << "Inches" << "Feet" << 1 << "|-";
        QTest::newRow("beyond 32 bits") << "3e9" << none << "Inches" << "FtInches" << 1 << "|";
        QTest::newRow("beyond 32 bits, negative") << "-3e9" << none << "Inches" << "FtInches" << 1 << "|";
        QTest::newRow("de_DE") << "1,7145" << none << "Meters" << "FtInches" << 1 << "5|7,5";
    }
    void converts()
    {
        useRowLocale();
        convert(QStringLiteral("5"), QString(), QStringLiteral("Feet"), QStringLiteral("Inches"), 1);
        convert(cell("number"), cell("inches"), cell("from"), cell("to"), cell<int>("lastColumn"));
        QCOMPARE(result(), cell("shown"));
    }

    // Every length from -400 to 400 mm, cm and inches, a tenth apart: the
    // feet are whole, and feet and inches add up to it to single precision
    // (as seven digits show it).
    void splitsEveryLength()
    {
        clickUnit(QStringLiteral("FtInches"), 1);
        for (const auto& [from, size] : {std::pair{"Millimeters", 1 / 25.4}, {"Centimeters", 1 / 2.54}, {"Inches", 1.0}})
            for (int k = -4000; k <= 4000; ++k) {
                type(get("Text1"), QString::number(k / 10.0));
                clickUnit(QLatin1String(from), 0);
                const double feet = shown("Text3").toDouble(), inches = shown("txtFtIn_1").toDouble();
                const double length = k / 10.0 * size;
                QVERIFY2(feet == std::trunc(feet) &&
                             std::fabs(12 * feet + inches - length) <= 1e-6 * std::max(12.0, std::fabs(length)),
                         qPrintable(QString::number(k) + from + ' ' + result()));
            }
    }

    void boxesMenusClipboardAndWayBack()
    {
        auto visible = [this] {
            QString v;
            for (const char* name : {"txtFtIn_0", "lbl3FtIn_0", "txtFtIn_1", "lbl3FtIn_1"})
                v += get<QWidget>(QLatin1String(name))->isVisible() ? u'#' : u'-';
            return v;
        };
        QCOMPARE(visible(), QStringLiteral("#-#-"));
        ctrl(screen().window(), Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0"));
        clickUnit(QStringLiteral("Meters"), 0); // one column only: no result yet
        QCOMPARE(visible() + shown("lbl3_0") + result(), QStringLiteral("--#-meter|"));
        clickUnit(QStringLiteral("FtInches"), 0);
        QCOMPARE(visible() + shown("lbl3_0") + shown("txtFtIn_0"), QStringLiteral("###-feet0"));

        convert(QStringLiteral("1.7145"), QString(), QStringLiteral("Meters"), QStringLiteral("Meters"), 1);
        ctrl(screen().window(), Qt::Key_E); // Exponential does nothing here
        QCOMPARE(result(), QStringLiteral("1.7145|-"));
        QTest::keyClicks(get("Text3"), QStringLiteral("9")); // the result refuses typing
        ctrl(screen().window(), Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1.7145"));
        clickUnit(QStringLiteral("FtInches"), 1);
        ctrl(screen().window(), Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("5 ft 7.5 in"));
        type(get("Text1"), QStringLiteral("-11.5"));
        clickUnit(QStringLiteral("Inches"), 0);
        ctrl(screen().window(), Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("-1 ft 0.5 in"));
        type(get("Text1"), QStringLiteral("abc")); // no result: nothing to copy
        clickUnit(QStringLiteral("Meters"), 0);
        ctrl(screen().window(), Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text() + result(), QStringLiteral("|"));

        QApplication::clipboard()->setText(QStringLiteral("12"));
        get("txtFtIn_0")->setFocus();
        ctrl(screen().window(), Qt::Key_V); // into the number, never the inches
        QCOMPARE(shown("Text1") + shown("txtFtIn_0") + result(), QStringLiteral("120|"));

        // Main Menu goes back to the main window, also from the modal way in
        // over the hidden main window.
        auto toMain = [](QWidget* w) { w->findChild<QAction*>("toMain")->trigger(); };
        toMain(screen().window());
        platform::setModalAnswerer(toMain);
        platform::the<UnitMenu>().window()->findChild<QAction*>("mnuFeetInches")->trigger();
        QVERIFY(!screen().IsLoaded() && platform::the<UnitMenu>().window()->isVisible());
    }
};
ORVALIS_TEST(TestFeetInches)
#include "test_feetinches.moc"
