#include "formdriver.h"
#include "shell/menutable.h"

#include <QMenu>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>

using namespace testing;

// The volume, weight and speed screens, and what every conversion screen
// does with keys, the wheel and its menus.
class TestUnitScreens : public QObject {
    Q_OBJECT

    platform::Form* form = nullptr;
    QComboBox* find(const QString& name) { return control<QComboBox>(*form, name); }
    QString shown(const QString& name) { return control<QLineEdit>(*form, name)->text(); }
    QString unitLabel(int i) { return control<QLabel>(*form, QStringLiteral("lbl3_%1").arg(i))->text(); }
    void open(const QString& name) { QVERIFY(showActive(*(form = unitmenu::targetForm(name)))); }
    void choose(const QString& unit, int i) { chooseUnit(*form, unit, i); }

private slots:
    void cleanup() { platform::Form::UnloadAll(); }

    // Screen, input, from, to; the result and the two unit labels; the
    // result after Exponential and after a further click of the "to" unit.
    void converts_data()
    {
        QTest::addColumn<QStringList>("r");
        QTest::newRow("gallon") << QStringList{"diaVolume", "1", "gallon (U.S. Liquid)", "liter", "3.785412|gallon|liter", "3.785412 E+00", "3.785412 E+00"};
        QTest::newRow("wood cord") << QStringList{"diaVolume", "1", "wood cord", "cubic foot", "128.|wood cord|cubic foot", "1.28 E+02", "1.28 E+02"};
        QTest::newRow("hectoliter") << QStringList{"diaVolume", "1", "hectoliter (liquid)", "liter", "100.|hectoliter (liquid)|liter", "1.0 E+02", "1. E+02"};
        QTest::newRow("hectoliter dry") << QStringList{"diaVolume", "1", "hectoliter (dry)", "liter", "100.|hectoliter (dry)|liter", "1.0 E+02", "1. E+02"};
        QTest::newRow("peck") << QStringList{"diaVolume", "1", "peck", "cubic inch", "537.605|peck|cubic inch", "5.37605 E+02", "5.37605 E+02"};
        QTest::newRow("bushel") << QStringList{"diaVolume", "1", "bushel", "cubic inch", "2150.42|bushel|cubic inch", "2.15042 E+03", "2.15042 E+03"};
        QTest::newRow("board foot") << QStringList{"diaVolume", "1", "board foot", "cubic inch", "144.|board foot|cubic inch", "1.44 E+02", "1.44 E+02"};
        QTest::newRow("dry quart") << QStringList{"diaVolume", "1", "quart (U.S. dry)", "cubic inch", "67.200625|quart (U.S. dry)|cubic inch", "6.720063 E+01", "6.720063 E+01"};
        QTest::newRow("dry gallon") << QStringList{"diaVolume", "1", "gallon (U.S. dry)", "cubic inch", "268.8025|gallon (U.S. dry)|cubic inch", "2.688025 E+02", "2.688025 E+02"};
        QTest::newRow("slug") << QStringList{"diaWeight", "1", "slug", "pound", "32.173997|slug|pound (lb)", "3.2174 E+01", "3.2174 E+01"};
        QTest::newRow("stone") << QStringList{"diaWeight", "1", "stone", "pound", "14.|stones|pound (lb)", "1.4 E+01", "1.4 E+01"};
        QTest::newRow("troy pound") << QStringList{"diaWeight", "1", "troy pound", "troy ounce", "12.|troy pound|troy ounce", "1.2 E+01", "1.2 E+01"};
        QTest::newRow("drams") << QStringList{"diaWeight", "16", "dram", "ounce", "1.|dram|ounce (oz)", "1.0 E+00", "1. E+00"};
        QTest::newRow("m/s") << QStringList{"diaVelocity", "1", "meter per second", "kilometer per hour", "3.6|meter per second|kilometer per hour", "3.6E+00", "3.6 E+00"};
        QTest::newRow("knot") << QStringList{"diaVelocity", "1", "knot", "kilometer per hour", "1.852|knots|kilometer per hour", "1.852E+00", "1.852 E+00"};
    }
    void converts()
    {
        QFETCH(QStringList, r);
        open(r[0]);
        type(control<QLineEdit>(*form, "Text1"), r[1]);
        choose(r[2], 0);
        choose(r[3], 1);
        QCOMPARE(QStringList({shown("Text4"), unitLabel(0), unitLabel(1)}).join('|'), r[4]);
        ctrl(form->window(), Qt::Key_E);
        QCOMPARE(shown("Text4"), r[5]);
        choose(r[3], 1);
        QCOMPARE(shown("Text4"), r[6]);
    }

    // About on the speed and length screens only. The header comes first (velocity's
    // entries sorted below it) and chooses nothing; a list that gets the
    // focus by Tab chooses the entry it shows again where the screen says
    // so; the weight list takes typing, but typed text adds and chooses nothing.
    void lists_data()
    {
        QTest::addColumn<QStringList>("r"); // screen, entry, button, unit after the focus, first entry
        QTest::newRow("length") << QStringList{"diaLength", "pica", "inch", "pica", "18\" cubits"};
        QTest::newRow("volume") << QStringList{"diaVolume", "wood cord", "liter", "wood cord", "peck"};
        QTest::newRow("weight, Click only") << QStringList{"diaWeight", "quarter", "pound", "pound (lb)", "microgram"};
        QTest::newRow("velocity") << QStringList{"diaVelocity", "inch per hour", "knot", "inch per hour", "centimeter per hour"};
    }
    void lists()
    {
        QFETCH(QStringList, r);
        open(r[0]);
        QComboBox* box = find("cboOther_0");
        QCOMPARE(control<QAction>(*form, "AboutOrvalis") != nullptr, r[0] == "diaVelocity" || r[0] == "diaLength");
        pick(box, box->itemText(0));
        QCOMPARE(box->itemText(1) + "|" + unitLabel(0), r[4] + "|");
        pick(box, r[1]);
        choose(r[2], 0);
        box->setFocus(Qt::TabFocusReason);
        QCOMPARE(unitLabel(0), r[3]);
        if (box->isEditable()) {
            box->lineEdit()->selectAll();
            QTest::keyClicks(box, "stone\r"); // and Enter
            QCOMPARE(unitLabel(0) + "|" + QString::number(box->count()), r[3] + "|13");
        }
    }

    void keysWheelAndMenus()
    {
        open("diaLength");
        QVERIFY(control<QMenu>(*form, "mnuFile")->actionGeometry(control<QAction>(*form, "mnuDash1")).height() > 0);
        // Tab to "foot" in the first column; Enter chooses it.
        QTest::keyClick(control<QWidget>(*form, "Text1"), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(unitLabel(0), "foot");
        // A wheel step over a list without the focus changes nothing.
        QWheelEvent wheel({5, 5}, {}, {}, {0, -120}, {}, {}, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel); // as from the mouse
        qApp->notify(find("cboMetrics_1"), &wheel);
        QVERIFY(find("cboMetrics_1")->currentIndex() == 0 && !find("cboMetrics_1")->hasFocus());
        // Paste, then Alt and Esc back from the menu bar: no conversion.
        choose("inch", 1);
        pick(find("cboOther_0"), "pica");
        QApplication::clipboard()->setText("12");
        ctrl(form->window(), Qt::Key_V);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), find("cboOther_0"));
        QCOMPARE(shown("Text4"), QString());
    }
};
ORVALIS_TEST(TestUnitScreens)
#include "test_unitscreens.moc"
