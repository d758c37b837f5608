#include "testsupport.h"
#include "formdriver.h"
#include "core/orvl_mod.h"
#include "screens/dialength.h"
#include "platform/twips.h"

#include <QClipboard>
#include <QGroupBox>
#include <QMenuBar>

using namespace testing;

class TestLength : public QObject {
    Q_OBJECT

    diaLength& screen() { return platform::the<diaLength>(); }
    QLineEdit* text(const char* name) { return control<QLineEdit>(screen(), QLatin1String(name)); }
    QLabel* unitLabel(int i) { return control<QLabel>(screen(), QStringLiteral("lbl3_%1").arg(i)); }
    QPushButton* button(const QString& name, int i)
    {
        return control<QPushButton>(screen(), QStringLiteral("%1_%2").arg(name).arg(i));
    }
    QComboBox* list(const QString& name, int i)
    {
        return control<QComboBox>(screen(), QStringLiteral("%1_%2").arg(name).arg(i));
    }
    // A unit by its button caption or list entry, on side i.
    void choose(const QString& unit, int i)
    {
        const auto buttons = screen().window()->findChildren<QPushButton*>();
        for (QPushButton* b : buttons)
            if (b->text() == unit && b->objectName().endsWith(QString::number(i))) {
                click(b);
                return;
            }
        for (const char* l : {"cboMetrics", "cboSurveyor", "cboMariner", "cboOther"})
            if (list(QLatin1String(l), i)->findText(unit) >= 0) {
                pick(list(QLatin1String(l), i), unit);
                return;
            }
        QFAIL(qPrintable(unit));
    }

private slots:
    void init()
    {
        useLocale("C");
        QVERIFY(showActive(screen()));
    }
    void cleanup() { platform::Form::UnloadAll(); }

    void converts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("shownInput");
        QTest::addColumn<QString>("result");
        QTest::newRow("mile to kilometer") << "C" << "1" << "mile" << "kilometer" << "1" << "1.609344";
        QTest::newRow("mixed number") << "C" << "1-1/2" << "foot" << "inch" << "1.5" << "18.";
        QTest::newRow("kilometer to meter") << "C" << "1" << "kilometer" << "meter" << "1" << "1000.";
        QTest::newRow("exponent input") << "C" << "2.5e3" << "meter" << "kilometer" << "2500" << "2.5";
        QTest::newRow("empty input") << "C" << "" << "inch" << "foot" << "0" << "0.0 E+00";
        QTest::newRow("rounded to single") << "C" << "123456789" << "inch" << "inch" << "1.234568E+08" << "1.234568 E+08";
        QTest::newRow("micron is the micrometre") << "C" << "1" << "micrometer" << "micron" << "1" << "1.";
        QTest::newRow("micron to mil") << "C" << "1" << "micron" << "mil" << "1" << "0.03937";
        QTest::newRow("nautical mile exact") << "C" << "1" << "nautical mile" << "meter" << "1" << "1852.";
        QTest::newRow("league is three") << "C" << "1" << "league" << "nautical mile" << "1" << "3.";
        QTest::newRow("light year") << "C" << "1" << "light years" << "kilometer" << "1" << "9.4607305 E+12";
        QTest::newRow("pole and rod") << "C" << "1" << "pole" << "rod" << "1" << "1.";
        QTest::newRow("cubits") << "C" << "2" << "18\" cubits" << "foot" << "2" << "3.";
        QTest::newRow("de fraction") << "de_DE" << "3/4" << "inch" << "inch" << "0,75" << "0,75";
        QTest::newRow("de result") << "de_DE" << "1" << "mile" << "kilometer" << "1" << "1,609344";
    }
    void converts()
    {
        QFETCH(QString, locale);
        QFETCH(QString, input);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, shownInput);
        QFETCH(QString, result);
        useLocale(locale.toLatin1());
        type(text("Text1"), input);
        choose(from, 0);
        choose(to, 1);
        QCOMPARE(text("Text1")->text(), shownInput);
        QCOMPARE(text("Text4")->text(), result);
    }

    void exponentialToggles()
    {
        EndWatcher ended;
        type(text("Text1"), QStringLiteral("1"));
        choose(QStringLiteral("kilometer"), 0);
        choose(QStringLiteral("meter"), 1);
        QCOMPARE(text("Text4")->text(), QStringLiteral("1000."));
        text("Text1")->setFocus(); // the menu gets the key even from the input
        ctrl(screen().window(), Qt::Key_E);
        QCOMPARE(text("Text4")->text(), QStringLiteral("1.0 E+03"));
        ctrl(screen().window(), Qt::Key_E);
        QCOMPARE(text("Text4")->text(), QStringLiteral("1000."));
        ctrl(screen().window(), Qt::Key_E);
        choose(QStringLiteral("meter"), 1);
        QCOMPARE(text("Text4")->text(), QStringLiteral("1. E+03"));
        QCOMPARE(ORVL_MOD::ExpMode, std::int16_t(1));
        // Every opening starts in automatic display again.
        screen().Unload();
        screen().Show();
        QCOMPARE(ORVL_MOD::ExpMode, std::int16_t(-1));
        QCOMPARE(ended.count, 0);
    }

    void exponentialWithoutResult()
    {
        ctrl(screen().window(), Qt::Key_E);
        QCOMPARE(text("Text4")->text(), QString());
        QCOMPARE(ORVL_MOD::ExpMode, std::int16_t(1));
        // After the input changed, the previous result does not come back.
        type(text("Text1"), QStringLiteral("1"));
        choose(QStringLiteral("foot"), 0);
        choose(QStringLiteral("inch"), 1);
        QCOMPARE(text("Text4")->text(), QStringLiteral("1.2 E+01"));
        type(text("Text1"), QStringLiteral("2"));
        ctrl(screen().window(), Qt::Key_E);
        QCOMPARE(text("Text4")->text(), QString());
        QCOMPARE(ORVL_MOD::ExpMode, std::int16_t(-1));
        QTest::keyClick(text("Text1"), Qt::Key_Return);
        QCOMPARE(text("Text4")->text(), QStringLiteral("24."));
    }

    void unreadableInput_data()
    {
        QTest::addColumn<QString>("input");
        for (const char* bad : {"abc", "1/0", "1/2+3", "12/", "1e39", "inf", "nan"})
            QTest::newRow(bad) << QString::fromLatin1(bad);
    }
    void unreadableInput()
    {
        QFETCH(QString, input);
        type(text("Text1"), QStringLiteral("2"));
        choose(QStringLiteral("foot"), 0);
        choose(QStringLiteral("inch"), 1);
        const QString raw = text("Text5")->text();
        QCOMPARE(raw, QStringLiteral("24"));
        type(text("Text1"), input);
        choose(QStringLiteral("yard"), 0);
        QCOMPARE(unitLabel(0)->text(), QStringLiteral("yard"));
        QCOMPARE(text("Text1")->text(), input);
        QCOMPARE(text("Text4")->text(), QString());
        QCOMPARE(text("Text5")->text(), raw);
        QTest::keyClick(text("Text1"), Qt::Key_Return);
        QCOMPARE(text("Text4")->text(), QString());
    }

    void enterNeedsBothSides()
    {
        type(text("Text1"), QStringLiteral("3/4"));
        choose(QStringLiteral("foot"), 0);
        QCOMPARE(text("Text1")->text(), QStringLiteral("0.75"));
        QCOMPARE(unitLabel(0)->text(), QStringLiteral("foot"));
        type(text("Text1"), QStringLiteral("5"));
        QTest::keyClick(text("Text1"), Qt::Key_Return);
        QCOMPARE(text("Text1")->text(), QStringLiteral("5"));
        QCOMPARE(text("Text4")->text(), QString());
        choose(QStringLiteral("yard"), 1);
        QCOMPARE(text("Text4")->text(), QStringLiteral("1.666667"));
    }

    void resultBoxRefusesEdits()
    {
        type(text("Text1"), QStringLiteral("1"));
        choose(QStringLiteral("foot"), 0);
        choose(QStringLiteral("inch"), 1);
        QLineEdit* result = text("Text4");
        result->setFocus();
        QTest::keyClicks(result, QStringLiteral("99"));
        QTest::keyClick(result, Qt::Key_Backspace);
        QApplication::clipboard()->setText(QStringLiteral("7"));
        QTest::keyClick(result, Qt::Key_V, Qt::ControlModifier); // reaches the menu: pastes into the input
        QCOMPARE(result->text(), QString());
        QCOMPARE(text("Text1")->text(), QStringLiteral("7"));
    }

    void copyAndPaste()
    {
        type(text("Text1"), QStringLiteral("1"));
        choose(QStringLiteral("mile"), 0);
        choose(QStringLiteral("kilometer"), 1);
        text("Text1")->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("stale"));
        ctrl(screen().window(), Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1.609344"));

        QApplication::clipboard()->setText(QStringLiteral("12"));
        ctrl(screen().window(), Qt::Key_V);
        QCOMPARE(text("Text1")->text(), QStringLiteral("12"));
        QCOMPARE(text("Text4")->text(), QString());
        QCOMPARE(text("Text5")->text(), QStringLiteral("1.609344")); // nothing converted
    }

    void listsStartAtTheirHeaders()
    {
        const QStringList headers = {"Metric Units", "Surveyor Units", "Mariner Units", "Other Length Units"};
        const QStringList names = {"cboMetrics", "cboSurveyor", "cboMariner", "cboOther"};
        for (int i = 0; i < 2; ++i)
            for (int l = 0; l < names.size(); ++l) {
                QCOMPARE(list(names[l], i)->currentText(), headers[l]);
                QCOMPARE(list(names[l], i)->itemText(0), headers[l]);
            }
        QCOMPARE(list(QStringLiteral("cboMetrics"), 0)->count(), 18);
        QCOMPARE(list(QStringLiteral("cboMetrics"), 0)->itemText(8), QStringLiteral("petameter"));
        QCOMPARE(unitLabel(0)->text(), QString());
        QCOMPARE(unitLabel(1)->text(), QString());
        QCOMPARE(text("Text5")->text(), QStringLiteral("Text5"));
        QCOMPARE(screen().window()->windowTitle(), QStringLiteral("Length  &  Distance"));
    }

    void headerAndFocus()
    {
        type(text("Text1"), QStringLiteral("1"));
        choose(QStringLiteral("foot"), 0);
        choose(QStringLiteral("inch"), 1);
        // Focusing a list at its header changes nothing.
        list(QStringLiteral("cboMetrics"), 0)->setFocus(Qt::TabFocusReason);
        QCOMPARE(unitLabel(0)->text(), QStringLiteral("foot"));
        QCOMPARE(text("Text4")->text(), QStringLiteral("12."));
        // A list that shows a unit applies it again when it gets the focus.
        choose(QStringLiteral("pica"), 0);
        click(button(QStringLiteral("btnInches"), 0));
        QCOMPARE(unitLabel(0)->text(), QStringLiteral("inch"));
        list(QStringLiteral("cboOther"), 0)->setFocus(Qt::TabFocusReason);
        QCOMPARE(unitLabel(0)->text(), QStringLiteral("pica"));
        // Going back to the header names no unit: the column keeps pica.
        pick(list(QStringLiteral("cboOther"), 0), QStringLiteral("Other Length Units"));
        QCOMPARE(unitLabel(0)->text(), QStringLiteral("pica"));
        choose(QStringLiteral("18\" cubits"), 1);
        QCOMPARE(unitLabel(1)->text(), QStringLiteral("cubits"));
    }

    void tabOrder()
    {
        QWidget* w = text("Text1");
        QCOMPARE(QApplication::focusWidget(), w);
        const QStringList seen = tabChain(w, 25);
        QCOMPARE(seen.first(), QStringLiteral("btnInches_0"));
        QCOMPARE(seen.at(11), QStringLiteral("cboOther_0"));
        QCOMPARE(seen.at(12), QStringLiteral("btnInches_1"));
        QCOMPARE(seen.at(23), QStringLiteral("cboOther_1"));
        QCOMPARE(seen.at(24), QStringLiteral("Text4"));
    }

    void geometry()
    {
        QMainWindow* w = screen().window();
        QCOMPARE(platform::outerSizeTwips(w), QSize(8205, 6900));
        // Centred on the 12000 x 12000 twip screen, 300 twips above the middle.
        QCOMPARE(ORVL_MOD::FormLeft, 1900);
        QCOMPARE(ORVL_MOD::FormTop, 2250);
        QCOMPARE(platform::outerPosTwips(w), QPoint(1905, 2250));
        QCOMPARE(control<QGroupBox>(screen(), QStringLiteral("Frame1_1"))->title(), QStringLiteral("Convert to:"));
    }

    void wayBackAndExit()
    {
        EndWatcher ended;
        // Main Menu and the close box go back to the main window; Exit ends.
        text("Text1")->setFocus();
        ctrl(screen().window(), Qt::Key_M);
        QVERIFY(!screen().IsLoaded());
        QCOMPARE(ended.count, 0);
        QVERIFY(showActive(screen()));
        screen().window()->close();
        QVERIFY(!screen().IsLoaded());
        QCOMPARE(ended.count, 0);
        QVERIFY(showActive(screen()));
        screen().window()->findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
        QCOMPARE(ended.count, 1);
        QVERIFY(screen().IsLoaded());
    }

    void reopeningStartsAfresh()
    {
        type(text("Text1"), QStringLiteral("1"));
        choose(QStringLiteral("foot"), 0);
        choose(QStringLiteral("inch"), 1);
        screen().Unload();
        QVERIFY(showActive(screen()));
        QCOMPARE(text("Text1")->text(), QString());
        QCOMPARE(unitLabel(0)->text(), QString());
        choose(QStringLiteral("inch"), 1);
        QCOMPARE(text("Text4")->text(), QString()); // the from side is unset again
    }
};
ORVALIS_TEST(TestLength)
#include "test_length.moc"
