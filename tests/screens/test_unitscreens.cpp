#include "testsupport.h"
#include "formdriver.h"
#include "shell/menutable.h"

#include <QClipboard>
#include <QGroupBox>
#include <QMenuBar>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>

using namespace testing;

// The volume, weight and speed screens, and what every conversion screen
// does with keys, the wheel and its menus.
class TestUnitScreens : public QObject {
    Q_OBJECT

    platform::Form* form = nullptr;
    template <class T = QWidget>
    T* find(const QString& name) { return control<T>(*form, name); }
    QString shown(const QString& name) { return find<QLineEdit>(name)->text(); }
    QString unitLabel(int i) { return find<QLabel>(QStringLiteral("lbl3_%1").arg(i))->text(); }
    bool open(const QString& name)
    {
        form = unitmenu::targetForm(name);
        return form && showActive(*form);
    }
    // A unit by its button caption or list entry, on side i.
    void choose(const QString& unit, int i)
    {
        const QString side = QStringLiteral("_%1").arg(i);
        for (QPushButton* b : form->window()->findChildren<QPushButton*>())
            if (b->text() == unit && b->objectName().endsWith(side))
                return click(b);
        for (QComboBox* l : form->window()->findChildren<QComboBox*>())
            if (l->findText(unit) >= 0 && l->objectName().endsWith(side))
                return pick(l, unit);
        QFAIL(qPrintable(unit));
    }

private slots:
    void init() { useLocale("C"); }
    void cleanup() { platform::Form::UnloadAll(); }

    void converts_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("labels");
        QTest::newRow("gallon to liter") << "diaVolume" << "C" << "1" << "gallon (U.S. Liquid)" << "liter" << "3.785412" << "gallon|liter";
        QTest::newRow("wood cord") << "diaVolume" << "C" << "1" << "wood cord" << "cubic foot" << "128." << "wood cord|cubic foot";
        QTest::newRow("hectoliter liquid") << "diaVolume" << "C" << "1" << "hectoliter (liquid)" << "liter" << "100." << "";
        QTest::newRow("hectoliter dry") << "diaVolume" << "C" << "1" << "hectoliter (dry)" << "liter" << "100." << "";
        QTest::newRow("bushel in pecks") << "diaVolume" << "C" << "1" << "bushel" << "peck" << "4." << "";
        QTest::newRow("dry gallon in quarts") << "diaVolume" << "C" << "1" << "gallon (U.S. dry)" << "quart (U.S. dry)" << "4." << "";
        QTest::newRow("board foot") << "diaVolume" << "C" << "1" << "board foot" << "cubic inch" << "144." << "";
        QTest::newRow("stone") << "diaWeight" << "C" << "1" << "stone" << "pound" << "14." << "stones|pound (lb)";
        QTest::newRow("troy pound") << "diaWeight" << "C" << "1" << "troy pound" << "troy ounce" << "12." << "";
        QTest::newRow("drams") << "diaWeight" << "C" << "16" << "dram" << "ounce" << "1." << "dram|ounce (oz)";
        QTest::newRow("apothecary ounce") << "diaWeight" << "C" << "1" << "apothecary ounce" << "troy ounce" << "1." << "";
        QTest::newRow("carat") << "diaWeight" << "C" << "1" << "carat" << "gram" << "0.2" << "carat (Kt)|gram";
        QTest::newRow("meter per second") << "diaVelocity" << "C" << "1" << "meter per second" << "kilometer per hour" << "3.6" << "";
        QTest::newRow("knot") << "diaVelocity" << "C" << "1" << "knot" << "kilometer per hour" << "1.852" << "knots|kilometer per hour";
        QTest::newRow("de mach") << "diaVelocity" << "de_DE" << "0,5" << "mach number" << "mile per hour" << "370,7275" << "mach|mile per hour";
    }
    void converts()
    {
        QFETCH(QString, screen);
        QFETCH(QString, locale);
        QFETCH(QString, input);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, result);
        QFETCH(QString, labels);
        useLocale(locale.toLatin1());
        QVERIFY(open(screen));
        type(find<QLineEdit>("Text1"), input);
        choose(from, 0);
        choose(to, 1);
        QCOMPARE(shown("Text4"), result);
        if (!labels.isEmpty())
            QCOMPARE(unitLabel(0) + "|" + unitLabel(1), labels);
    }

    // Headers choose nothing; a list that gets the focus by Tab chooses
    // the entry it shows again, where the screen says so.
    void lists_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("afterFocus");
        QTest::newRow("volume dry") << "diaVolume" << "cboOther" << "wood cord" << "liter" << "wood cord";
        QTest::newRow("volume liquid") << "diaVolume" << "cboUSLiquid" << "minim" << "liter" << "minim";
        QTest::newRow("weight: click only") << "diaWeight" << "cboOther" << "stone" << "pound" << "pound (lb)";
        QTest::newRow("velocity") << "diaVelocity" << "cboOther" << "foot per hour" << "knot" << "foot per hour";
    }
    void lists()
    {
        QFETCH(QString, screen);
        QFETCH(QString, list);
        QFETCH(QString, entry);
        QFETCH(QString, button);
        QFETCH(QString, afterFocus);
        QVERIFY(open(screen));
        QComboBox* box = find<QComboBox>(list + "_0");
        pick(box, box->itemText(0));
        box->setFocus(Qt::TabFocusReason);
        QCOMPARE(unitLabel(0), QString());
        pick(box, entry);
        choose(button, 0);
        box->setFocus(Qt::TabFocusReason);
        QCOMPARE(unitLabel(0), afterFocus);
    }

    void weightListTakesNoTyping()
    {
        QVERIFY(open("diaWeight"));
        QComboBox* box = find<QComboBox>("cboOther_0");
        QCOMPARE(box->currentText(), "Other Weights");
        box->setFocus(Qt::TabFocusReason);
        box->lineEdit()->selectAll();
        QTest::keyClicks(box, "stone");
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(unitLabel(0), QString());
        QCOMPARE(box->count(), 13);
    }

    void velocity()
    {
        QVERIFY(open("diaVelocity"));
        QComboBox* box = find<QComboBox>("cboOther_1");
        QStringList items;
        for (int k = 0; k < box->count(); ++k)
            items << box->itemText(k);
        QCOMPARE(items, QStringList({"Other Units", "centimeter per hour", "foot per hour", "inch per hour",
                                     "meter per hour"}));
        type(find<QLineEdit>("Text1"), "1");
        choose("meter per second", 0);
        choose("kilometer per hour", 1);
        QCOMPARE(shown("Text5"), "3.6");
        ctrl(form->window(), Qt::Key_E);
        QCOMPARE(shown("Text4"), "3.6E+00");
        choose("kilometer per hour", 1);
        QCOMPARE(shown("Text4"), "3.6 E+00");
        form->window()->findChild<QAction*>("AboutOrvalis")->trigger(); // no About box yet: nothing
        QCOMPARE(shown("Text4"), "3.6 E+00");
    }

    // Every screen: its caption, frames and colours, the File menu's leading
    // separator, the desktop's menu font, and About where it has one.
    void looks_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QColor>("frameColor");
        QTest::addColumn<bool>("about");
        QTest::newRow("length") << "diaLength" << "Length  &  Distance" << "Frame1_1" << QColor(0xC0, 0xC0, 0xFF) << true;
        QTest::newRow("volume") << "diaVolume" << "Volume / Capacity" << "Frame1_1" << QColor(0, 0xC0, 0xC0) << false;
        QTest::newRow("weight") << "diaWeight" << "Weight" << "Frame_1" << QColor(0x80, 0x80, 0x80) << false;
        QTest::newRow("velocity") << "diaVelocity" << "Units of Velocity / Speed" << "Frame1_1" << QColor(0xC0, 0xFF, 0xFF) << true;
    }
    void looks()
    {
        QFETCH(QString, screen);
        QFETCH(QString, caption);
        QFETCH(QString, frame);
        QFETCH(QColor, frameColor);
        QFETCH(bool, about);
        QVERIFY(open(screen));
        QCOMPARE(form->window()->windowTitle(), caption);
        QCOMPARE(find<QGroupBox>(frame)->palette().color(QPalette::Window), frameColor);
        QCOMPARE(form->window()->findChild<QAction*>("AboutOrvalis") != nullptr, about);
        QMenuBar* bar = form->window()->menuBar();
        QCOMPARE(bar->font(), QApplication::font("QMenuBar"));
        auto* file = bar->findChild<QMenu*>("mnuFile");
        QVERIFY(file->actionGeometry(file->findChild<QAction*>("mnuDash1")).height() > 0);
    }

    void keysWheelAndMenuBar()
    {
        QVERIFY(open("diaLength"));
        // Tab to "foot" in the first column; Enter chooses it.
        QTest::keyClick(find("Text1"), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(unitLabel(0), "foot");
        // A wheel step over a list without the focus changes nothing.
        auto* metric = find<QComboBox>("cboMetrics_1");
        QWheelEvent wheel(QPointF(5, 5), metric->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel); // as from the mouse
        qApp->notify(metric, &wheel);
        QCOMPARE(metric->currentIndex(), 0);
        QVERIFY(!metric->hasFocus());
        // Paste, then Alt and Esc back from the menu bar: no conversion.
        choose("inch", 1);
        auto* other = find<QComboBox>("cboOther_0");
        pick(other, "pica");
        QVERIFY(!shown("Text4").isEmpty());
        QApplication::clipboard()->setText("12");
        ctrl(form->window(), Qt::Key_V);
        QTest::keyClick(other, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), other);
        QCOMPARE(shown("Text4"), QString());
    }
};
ORVALIS_TEST(TestUnitScreens)
#include "test_unitscreens.moc"
