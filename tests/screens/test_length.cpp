#include "formdriver.h"
#include "core/orvl_mod.h"
#include "platform/twips.h"
#include "screens/dialength.h"


using namespace testing;

class TestLength : public ScreenTest<diaLength> {
    Q_OBJECT

private slots:
    void init() { start(); }

    // Each row follows a good result (2 foot is 24 inch), which an input
    // that cannot be read clears; the clicked unit is still taken.
    void converts_data()
    {
        columns({"input", "from", "to", "shownInput", "result"});
        QTest::newRow("mixed number") << "1-1/2" << "foot" << "inch" << "1.5" << "18.";
        QTest::newRow("exponent input") << "2.5e3" << "meter" << "kilometer" << "2500" << "2.5";
        QTest::newRow("empty input") << "" << "inch" << "foot" << "0" << "0.0 E+00";
        QTest::newRow("rounded to single") << "123456789" << "inch" << "inch" << "1.234568E+08" << "1.234568 E+08";
        QTest::newRow("de_DE fraction") << "3/4" << "inch" << "inch" << "0,75" << "0,75";
        // Exact factors: 1 of the first unit in the second.
        for (const auto& [tag, from, to, result] : {std::array{"mile to kilometer", "mile", "kilometer", "1.609344"},
                                                    {"de_DE result", "mile", "kilometer", "1,609344"},
                                                    {"micron is the micrometre", "micrometer", "micron", "1."},
                                                    {"nautical mile exact", "nautical mile", "meter", "1852."},
                                                    {"league is three", "league", "nautical mile", "3."},
                                                    {"light year", "light years", "kilometer", "9.4607305 E+12"},
                                                    {"pole and rod", "pole", "rod", "1."}})
            QTest::newRow(tag) << "1" << from << to << "1" << result;
        for (const char* bad : {"abc", "1/0", "1/2+3", "12/", "1e39", "inf", "nan"})
            QTest::newRow(bad) << bad << "foot" << "yard" << bad << "";
    }
    void converts()
    {
        useRowLocale();
        convert(QStringLiteral("2"), QStringLiteral("foot"), QStringLiteral("inch"));
        convert(cell("input"), cell("from"), cell("to"));
        QCOMPARE(shown("Text1"), cell("shownInput"));
        QCOMPARE(shown("Text4"), cell("result"));
        if (cell("result").isEmpty())
            QCOMPARE(shown("lbl3_1") + shown("Text5"), QStringLiteral("yard24"));
    }

    // The menu keys from the input: Exponential, Copy and Paste.
    void menuKeys()
    {
        ctrl(screen().window(), Qt::Key_E); // no result yet: nothing to show, no failure
        QCOMPARE(shown("Text4"), QString());
        ctrl(screen().window(), Qt::Key_E);
        convert(QStringLiteral("1"), QStringLiteral("kilometer"), QStringLiteral("meter"));
        get("Text1")->setFocus(); // the menu gets the key even from the input
        ctrl(screen().window(), Qt::Key_E);
        QCOMPARE(shown("Text4"), QStringLiteral("1.0 E+03"));
        ctrl(screen().window(), Qt::Key_E);
        QCOMPARE(shown("Text4"), QStringLiteral("1000."));
        ctrl(screen().window(), Qt::Key_E);
        choose(QStringLiteral("meter"), 1);
        QCOMPARE(shown("Text4"), QStringLiteral("1. E+03"));
        // After the input changed, the previous result does not come back.
        type(get("Text1"), QStringLiteral("2"));
        ctrl(screen().window(), Qt::Key_E);
        QCOMPARE(shown("Text4"), QString());
        QTest::keyClick(get("Text1"), Qt::Key_Return);
        QCOMPARE(shown("Text4"), QStringLiteral("2000."));
        // Every opening starts in automatic display again.
        ctrl(screen().window(), Qt::Key_E);
        screen().Unload();
        QVERIFY(showActive(screen()));
        QCOMPARE(ORVL_MOD::ExpMode, std::int16_t(-1));
        convert(QStringLiteral("1"), QStringLiteral("mile"), QStringLiteral("kilometer"));
        get("Text1")->setFocus();
        ctrl(screen().window(), Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1.609344"));
        QApplication::clipboard()->setText(QStringLiteral("12"));
        ctrl(screen().window(), Qt::Key_V);
        QCOMPARE(shown("Text1") + '|' + shown("Text4"), QStringLiteral("12|")); // pasting converts nothing
        // The result box refuses typing and pasting alike.
        convert(QStringLiteral("1"), QStringLiteral("foot"), QStringLiteral("inch"));
        get("Text4")->setFocus();
        QTest::keyClicks(get("Text4"), QStringLiteral("99"));
        QTest::keyClick(get("Text4"), Qt::Key_Backspace);
        QCOMPARE(shown("Text4"), QStringLiteral("12."));
        ctrl(screen().window(), Qt::Key_V);
        QCOMPARE(shown("Text1") + '|' + shown("Text4"), QStringLiteral("12|"));
    }

    // One walk through the screen: tab order, placement and the lists, each
    // showing its header at first. Enter converts only once both sides are
    // set. Main Menu and the close box go back to the main window, and the
    // next opening has both sides unset again; Exit ends.
    void walk()
    {
        const QStringList tab = tabChain(get("Text1"), 25);
        QCOMPARE(QStringList({tab.at(0), tab.at(11), tab.at(12), tab.at(24)}),
                 QStringList({"btnInches_0", "cboOther_0", "btnInches_1", "Text4"}));
        // Centred on the 12000 x 12000 twip screen, 300 twips above the middle.
        QCOMPARE(QPoint(ORVL_MOD::FormLeft, ORVL_MOD::FormTop), QPoint(1900, 2250));
        QCOMPARE(platform::outerPosTwips(screen().window()), QPoint(1905, 2250));
        const QList<QComboBox*> lists = screen().window()->findChildren<QComboBox*>();
        for (QComboBox* l : lists)
            QVERIFY2(l->currentIndex() == 0 && l->currentText().endsWith(" Units"), qPrintable(l->objectName()));
        choose(QStringLiteral("foot"), 0);
        type(get("Text1"), QStringLiteral("5"));
        QTest::keyClick(get("Text1"), Qt::Key_Return);
        QCOMPARE(shown("Text4"), QString());
        choose(QStringLiteral("yard"), 1);
        QCOMPARE(shown("Text4"), QStringLiteral("1.666667"));
        convert(QStringLiteral("1"), QStringLiteral("foot"), QStringLiteral("inch"));
        get<QComboBox>("cboMetrics_0")->setFocus(Qt::TabFocusReason); // at its header: nothing
        QCOMPARE(shown("lbl3_0") + '|' + shown("Text4"), QStringLiteral("foot|12."));
        choose(QStringLiteral("pica"), 0);
        pick(get<QComboBox>("cboOther_0"), QStringLiteral("Other Length Units")); // the header keeps the unit
        QCOMPARE(shown("lbl3_0"), QStringLiteral("pica"));
        choose(QStringLiteral("18\" cubits"), 1);
        QCOMPARE(shown("lbl3_1") + '|' + shown("Text4"), QStringLiteral("cubits|0.009225"));
        get("Text1")->setFocus();
        ctrl(screen().window(), Qt::Key_M);
        QVERIFY(!screen().IsLoaded());
        QVERIFY(showActive(screen()));
        QCOMPARE(shown("lbl3_0") + '|' + shown("Text5"), QStringLiteral("|Text5"));
        choose(QStringLiteral("inch"), 1);
        QCOMPARE(shown("Text4"), QString());
        screen().window()->close();
        QVERIFY(!screen().IsLoaded() && folder->ended.count == 0);
        QVERIFY(showActive(screen()));
        screen().window()->findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
        QCOMPARE(folder->ended.count, 1);
    }
};
ORVALIS_TEST(TestLength)
#include "test_length.moc"
