#include "formdriver.h"
#include "screens/diatemp.h"
#include "shell/unitmenu.h"


using namespace testing;

class TestTemperature : public ScreenTest<diaTemp> {
    Q_OBJECT

    void convert(const QString& input, const QString& from, const QString& to)
    {
        type(get("txtDegreesIn"), input);
        clickUnit(from, 0);
        clickUnit(to, 1);
    }

private slots:
    void init() { start(); }

    // Each row follows a good result (100 C is 212 F): it stays beside the
    // warning of an input out of range, and never beside one that is no number.
    void converts_data()
    {
        columns({"input", "from", "to", "result"});
        QTest::addColumn<bool>("warning");
        QTest::newRow("F to C") << "0" << "F" << "C" << "-17.7777777777778" << false;
        QTest::newRow("98.6 F") << "98.6" << "F" << "C" << "37" << false;
        // Absolute zero converts on every scale; a hundredth below it warns.
        QTest::newRow("below zero F") << "-459.68" << "F" << "C" << "212" << true;
        QTest::newRow("zero F") << "-459.67" << "F" << "K" << "0" << false;
        QTest::newRow("below zero C") << "-273.16" << "C" << "R" << "212" << true;
        QTest::newRow("zero C") << "-273.15" << "C" << "K" << "0" << false;
        QTest::newRow("below zero K") << "-0.01" << "K" << "C" << "212" << true;
        QTest::newRow("K to R order") << "0" << "K" << "R" << "5.6843418860808E-14" << false;
        QTest::newRow("below zero R") << "-0.01" << "R" << "K" << "212" << true;
        QTest::newRow("zero R") << "0" << "R" << "F" << "-459.67" << false;
        QTest::newRow("same scale") << "1e2" << "C" << "C" << "1e2" << false;
        QTest::newRow("no number") << "abc" << "F" << "C" << "" << false;
        QTest::newRow("overflow") << "1e308" << "C" << "F" << "" << false;
        QTest::newRow("de_DE") << "37,5" << "C" << "F" << "99,5" << false;
    }
    void converts()
    {
        useRowLocale();
        convert(QStringLiteral("100"), QStringLiteral("C"), QStringLiteral("F"));
        convert(cell("input"), cell("from"), cell("to"));
        QCOMPARE(shown("txtDegreesOut"), cell("result"));
        QCOMPARE(get<QLabel>("range")->isVisible(), cell<bool>("warning"));
        QCOMPARE(shown("lbltag_0") + shown("lbltag_1"), cell("from") + cell("to"));
    }

    void signsNotesClipboardAndWayBack()
    {
        clickUnit(QStringLiteral("K"), 1);
        QVERIFY(get<QLabel>("lblDeg_0")->isVisible() && !get<QLabel>("lblDeg_1")->isVisible());
        clickUnit(QStringLiteral("R"), 1);
        QVERIFY(get<QLabel>("lblDeg_1")->isVisible());

        platform::MsgBoxRequest asked{};
        platform::setMsgBoxAnswerer([&](const platform::MsgBoxRequest& r) { asked = r; return int(platform::vbOK); });
        screen().window()->findChild<QAction*>("mnuNotes")->trigger();
        QCOMPARE(QString::number(asked.style) + asked.title, QStringLiteral("0Reference Equations"));

        convert(QStringLiteral("37"), QStringLiteral("C"), QStringLiteral("F"));
        QTest::keyClicks(get("txtDegreesOut"), QStringLiteral("1")); // the result refuses typing
        ctrl(screen().window(), Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("98.6"));
        QApplication::clipboard()->setText(QStringLiteral("-40"));
        ctrl(screen().window(), Qt::Key_V);
        QCOMPARE(shown("txtDegreesIn") + shown("txtDegreesOut"), QStringLiteral("-4098.6"));

        // Main Menu and the close box go back to the main window; the next
        // opening starts with no scale on either side.
        ctrl(screen().window(), Qt::Key_M);
        QVERIFY(!screen().IsLoaded() && platform::the<UnitMenu>().window()->isVisible());
        QVERIFY(showActive(screen()));
        type(get("txtDegreesIn"), QStringLiteral("100"));
        clickUnit(QStringLiteral("C"), 1);
        QCOMPARE(shown("txtDegreesOut") + shown("lbltag_0"), QString());
        screen().window()->close();
        QVERIFY(!screen().IsLoaded() && platform::the<UnitMenu>().window()->isVisible());
    }
};
ORVALIS_TEST(TestTemperature)
#include "test_temperature.moc"
