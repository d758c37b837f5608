#include "testsupport.h"
#include "formdriver.h"
#include "calculators/diacoffee.h"
#include "calculators/dialawn.h"
#include "platform/settings.h"
#include "platform/twips.h"
#include "shell/unitmenu.h"

#include <QRadioButton>
#include <optional>

using namespace testing;

class TestCalculators : public QObject {
    Q_OBJECT

    std::optional<TestFolder> folder;

    static diaCoffee& coffee() { return platform::the<diaCoffee>(); }
    static diaLawn& lawn() { return platform::the<diaLawn>(); }
    template <class T = QLineEdit>
    static T* in(platform::Form& f, const char* name) { return control<T>(f, QLatin1String(name)); }
    // What the boxes or labels of those names (" " between) show, "|" between.
    static QString text(platform::Form& f, const QString& names)
    {
        QStringList shown;
        for (const QString& name : names.split(' '))
            shown << (control<QLineEdit>(f, name) ? control<QLineEdit>(f, name)->text() : control<QLabel>(f, name)->text());
        return shown.join('|');
    }

private slots:
    void init()
    {
        folder.emplace();
        platform::setSettingsFolder(folder->filePath("settings"));
    }
    void cleanup()
    {
        folder.reset();
        useLocale("C");
    }

    // Only digits reach the cups box; the other boxes take no typing.
    void coffeeCalculates_data()
    {
        // setup: locale, maker, strength; shown: water, scoops, small scoops
        columns({"setup", "cups", "shown"});
        QTest::newRow("cone weak") << "C opt4oz btnWeak" << "10" << "10|2.66666666666667|5.33333333333334";
        QTest::newRow("drip strong") << "C opt5oz btnStrong" << "10" << "10|6|12";
        QTest::newRow("1000 cups") << "C opt5oz btnNormal" << "1000" << "1000|500|1000";
        QTest::newRow("decimal comma") << "de_DE opt4oz btnNormal" << "10" << "10|3,333333|6,666666";
        QTest::newRow("emptied: water stays") << "C opt5oz btnNormal" << "" << "10|0|0";
        QTest::newRow("beyond single precision") << "C opt5oz btnWeak" << QString(40, '9') << "1E+38|0|0";
        QTest::newRow("letters, signs, backspace") << "C opt5oz btnStrong" << "1a-.2 x4\b" << "12|7.2|14.4";
    }
    void coffeeCalculates()
    {
        QFETCH(QString, setup);
        useLocale(setup.section(' ', 0, 0).toLatin1());
        QVERIFY(showActive(coffee()));
        click(in<QRadioButton>(coffee(), setup.section(' ', 1, 1).toLatin1()));
        click(in<QPushButton>(coffee(), setup.section(' ', 2).toLatin1()));
        type(in(coffee(), "txtDesiredCups"), cell("cups"));
        for (const char* box : {"txtCupsWater", "txtScoopsCoffee", "txtStrength", "txtSmallScoops"}) {
            QTest::keyClicks(in(coffee(), box), "7x\b");
            QTest::keyClick(in(coffee(), box), Qt::Key_Delete);
        }
        QCOMPARE(text(coffee(), "txtStrength txtCupsWater txtScoopsCoffee txtSmallScoops"),
                 setup.section(' ', 2).mid(3) + "|" + cell("shown"));
    }

    // Cone Type, Strong and 7 cups are chosen, the window is left one way,
    // and a new opening shows what the store kept.
    void coffeeSettings_data()
    {
        columns({"leave", "reopened"});
        QTest::addColumn<int>("endings");
        const QString saved = "7|Strong|Cone Type", defaults = "10|Normal|Standard Drip";
        QTest::newRow("Exit saves") << "mnuExit" << saved << 1;
        QTest::newRow("background click saves") << "background" << saved << 0;
        QTest::newRow("Main Menu saves nothing") << "toMain" << defaults << 0;
        QTest::newRow("close box saves nothing") << "close" << defaults << 0;
        QTest::newRow("store not writable: Exit still ends") << "unwritable" << defaults << 1;
    }
    void coffeeSettings()
    {
        const QString leave = cell("leave"), reopened = cell("reopened");
        const int endings = cell<int>("endings");
        QVERIFY(showActive(coffee()));
        click(in<QRadioButton>(coffee(), "opt4oz"));
        QTest::keyClick(in<QPushButton>(coffee(), "btnStrong"), Qt::Key_Return); // Enter chooses a focused button
        type(in(coffee(), "txtDesiredCups"), "7");
        if (leave == "background") {
            QTest::mouseClick(coffee().window()->centralWidget(), Qt::LeftButton, {}, QPoint(10, 10));
            type(in(coffee(), "txtDesiredCups"), "8");
            click(in<QLabel>(coffee(), "Label6")); // a caption is no background
            choose(coffee().window(), "toMain");
        } else if (leave == "unwritable") {
            QVERIFY(QFile(folder->filePath("settings")).open(QIODevice::WriteOnly)); // where its folder would be
            choose(coffee().window(), "mnuExit");
        } else if (leave == "close") {
            coffee().window()->close();
        } else {
            choose(coffee().window(), leave);
        }
        QCOMPARE(folder->ended.count, endings);
        if (!endings) // back at the main window
            QVERIFY(!coffee().IsLoaded() && platform::the<UnitMenu>().window()->isVisible());
        platform::Form::UnloadAll();
        QVERIFY(showActive(coffee()));
        QCOMPARE(text(coffee(), "txtDesiredCups txtStrength") +
                     (in<QRadioButton>(coffee(), "opt4oz")->isChecked() ? "|Cone Type" : "|Standard Drip"), reopened);
    }

    void lawnCalculates_data()
    {
        QTest::addColumn<QString>("setup"); // locale, ratio chosen
        QTest::addColumn<QStringList>("typed"); // what is typed, one after another
        QTest::addColumn<QString>("shown"); // oz, tbsp, tsp, cc, ml, gallons
        QTest::newRow("at start") << "C" << QStringList() << ".|.|.|.|.|";
        QTest::newRow("as typed") << "C" << QStringList{"1.50"} << "17.45|34.91|104.73|516.19|516.19|1.50";
        QTest::newRow("letters") << "C" << QStringList{"2", "abc"} << "|||||abc";
        QTest::newRow("lone minus") << "C" << QStringList{"2", "-"} << "|||||-";
        QTest::newRow("overflow") << "C" << QStringList{"2", "1e308"} << "|||||1e308";
        QTest::newRow("emptied") << "C" << QStringList{"2", ""} << ".|.|.|.|.|";
        QTest::newRow("decimal comma") << "de_DE 32:1" << QStringList{"2"} << "8,|16,|48,|236,59|236,59|2";
    }
    void lawnCalculates()
    {
        QFETCH(QString, setup);
        useLocale(setup.section(' ', 0, 0).toLatin1());
        QVERIFY(showActive(lawn()));
        if (setup.contains(' '))
            pick(in<QComboBox>(lawn(), "cboGasOilRatio"), setup.section(' ', 1));
        for (const QString& t : cell<QStringList>("typed"))
            type(in(lawn(), "Text1"), t);
        QCOMPARE(text(lawn(), "lblOZ lblTBSP lblTSP lblCC lblML lblGallons"), cell("shown"));
    }

    // Typed and entered ratios, the lines drawn, and the way back by the close box.
    void lawnWindow()
    {
        QVERIFY(showActive(lawn()));
        QComboBox* list = in<QComboBox>(lawn(), "cboGasOilRatio");
        type(in(lawn(), "Text1"), "1");
        // A typed ratio that is no entry changes nothing and is not added.
        list->setFocus(Qt::TabFocusReason);
        list->lineEdit()->selectAll();
        QTest::keyClicks(list, "33:1");
        QTest::keyClick(list, Qt::Key_Return);
        in(lawn(), "Text1")->setFocus(Qt::TabFocusReason);
        QCOMPARE(list->count(), 7);
        QCOMPARE(text(lawn(), "lblOZ"), "11.64");
        // Entering the list takes the ratio its text shows.
        in(lawn(), "Text1")->setFocus(Qt::TabFocusReason);
        list->lineEdit()->setText("50:1");
        list->setFocus(Qt::TabFocusReason);
        QCOMPARE(text(lawn(), "lblOZ"), "2.56");
        const QImage shot = lawn().window()->centralWidget()->grab().toImage();
        const QRgb background = shot.pixel(2, 2);
        for (const diaLawn::Line& l : diaLawn::Lines) {
            const QPoint mid(platform::twipsToPixels((l.x1 + l.x2) / 2), platform::twipsToPixels((l.y1 + l.y2) / 2));
            int ink = 0; // a slanted line may pass beside the rounded middle
            for (int d = -1; d <= 1; ++d)
                ink += shot.pixel(mid + QPoint(d, 0)) != background;
            QVERIFY2(ink, l.name);
        }
        lawn().window()->close();
        QVERIFY(!lawn().IsLoaded() && platform::the<UnitMenu>().window()->isVisible());
        QVERIFY(showActive(lawn()) && text(lawn(), "lblOZ") == "."); // a new opening forgets the quantity
    }
};
ORVALIS_TEST(TestCalculators)
#include "test_calculators.moc"
