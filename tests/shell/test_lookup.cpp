#include "testsupport.h"
#include "formdriver.h"
#include "core/loaddata.h"
#include "core/orvl_mod.h"
#include "platform/simplecombo.h"
#include "screens/template1.h"
#include "shell/lookup.h"
#include "shell/menutable.h"
#include "shell/unitmenu.h"

#include <QListWidget>
#include <QTemporaryDir>
#include <optional>

using namespace testing;

namespace {
const QString Unchanged = "(as it was)";

// The program's windows on the screen, by name.
QStringList shownWindows()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<platform::FormWindow*>(w))
            names << w->objectName();
    names.sort();
    return names;
}

// Counts how often a window of that name is shown.
struct ShowCounter : QObject {
    QString name;
    int count = 0;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        count += e->type() == QEvent::Show && o->objectName() == name && o->isWidgetType() && !o->parent();
        return false;
    }
};
} // namespace

class TestLookup : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> folder;
    std::optional<EndWatcher> ended;

    QMainWindow* main() { return platform::the<UnitMenu>().window(); }
    lookup& finder() { return platform::the<lookup>(); }
    platform::SimpleCombo* combo() { return control<platform::SimpleCombo>(finder(), "Combo1"); }
    void choose(QWidget* w, const QString& name)
    {
        if (QAction* item = w->findChild<QAction*>(name))
            return item->trigger();
        QTest::mouseClick(w->findChild<QWidget*>(name), Qt::LeftButton);
    }

private slots:
    void init()
    {
        folder.emplace();
        platform::setProgramFolder(folder->path());
        ended.emplace();
        LOADDATA::CategoryName = Unchanged;
        Main();
        choose(main(), "mnuLookup");
        QVERIFY(showActive(finder()));
    }
    void cleanup()
    {
        platform::Form::UnloadAll();
        QCOMPARE(ended->count, 0); // nothing here ends the program
        ended.reset();
        platform::setProgramFolder(QString());
    }

    void opensOverTheMainWindowWithTheWholeList()
    {
        QCOMPARE(shownWindows(), QStringList({"UnitMenu", "lookup"}));
        QCOMPARE(finder().window()->windowTitle(), "Look-up Units");
        QCOMPARE(combo()->Text(), "angstrom");
        QStringList listed, sorted;
        for (int k = 0; k < combo()->ListCount(); ++k)
            listed << combo()->List(k);
        QCOMPARE(listed.size(), 247);
        sorted = listed;
        std::sort(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(listed, sorted);
        // 253 names in all, none twice; the typed-only ones are not listed.
        QSet<QString> all;
        for (const finder::Group& g : finder::groups())
            for (const QString& name : g.listed + g.typed) {
                all.insert(name);
                QCOMPARE(listed.contains(name), g.listed.contains(name));
            }
        QCOMPARE(all.size(), 253);
        QCOMPARE(finder::groups().size(), size_t(20));
        // Lookup again only brings the same finder forward.
        type(combo()->edit(), "kilow");
        QCOMPARE(combo()->List(combo()->ListIndex()), "kilowatt"); // the list follows the typing
        choose(main(), "mnuLookup");
        QCOMPARE(combo()->Text(), "kilow");
        QCOMPARE(combo()->ListCount(), 247);
    }

    void goTo_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("target"); // empty: no match, the finder stays
        QTest::addColumn<QString>("category");
        QTest::newRow("typed only, Enter") << "millibar" << "Enter" << "template1" << "Pressure";
        QTest::newRow("typed only length") << "vara" << "GO TO" << "diaLength" << Unchanged;
        QTest::newRow("Surveyor Units") << "Surveyor Units" << "Enter" << "diaLength" << Unchanged;
        QTest::newRow("typed only flow") << "fluid ounce per hour" << "GO TO" << "template1" << "Volumetric Flow Rate";
        QTest::newRow("Btu per hour") << "Btu per hour" << "GO TO" << "template1" << "Power";
        QTest::newRow("Btu") << "Btu" << "Enter" << "template1" << "Work";
        QTest::newRow("minute(angle)") << "minute(angle)" << "GO TO" << "template1" << "Angles";
        QTest::newRow("ounce(Imperial)") << "ounce(Imperial)" << "GO TO" << "template1" << "Imperial";
        QTest::newRow("ounce") << "ounce" << "GO TO" << "diaWeight" << Unchanged;
        QTest::newRow("fluid ounce") << "fluid ounce" << "GO TO" << "diaVolume" << Unchanged;
        QTest::newRow("mach") << "mach" << "GO TO" << "diaVelocity" << Unchanged;
        QTest::newRow("Rankine") << "Rankine" << "GO TO" << "diaTemp" << Unchanged;
        QTest::newRow("double-click") << "are" << "double-click" << "template1" << "Area";
        QTest::newRow("double-click length") << "light years" << "double-click" << "diaLength" << Unchanged;
        QTest::newRow("wrong case") << "Inch" << "Enter" << "" << Unchanged;
        QTest::newRow("leading blank") << " inch" << "GO TO" << "" << Unchanged;
    }
    void goTo()
    {
        QFETCH(QString, text);
        QFETCH(QString, way);
        QFETCH(QString, target);
        QFETCH(QString, category);
        ShowCounter shows;
        shows.name = target;
        qApp->installEventFilter(&shows);
        if (way == "double-click") {
            QListWidget* list = combo()->list();
            QListWidgetItem* item = list->findItems(text, Qt::MatchExactly).value(0);
            QVERIFY(item);
            list->scrollToItem(item);
            const QPoint at = list->visualItemRect(item).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at); // a double-click's first click
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        } else {
            type(combo()->edit(), text);
            if (way == "Enter")
                QTest::keyClick(combo()->edit(), Qt::Key_Return);
            else
                click(control<QPushButton>(finder(), "btnGoto"));
        }
        qApp->removeEventFilter(&shows);
        QVERIFY(!platform::the<UnitMenu>().IsLoaded() || main()->isVisible());
        if (target.isEmpty()) {
            // The main window is gone; the finder stays with its text.
            QCOMPARE(shownWindows(), QStringList("lookup"));
            QCOMPARE(combo()->Text(), text);
        } else if (!unitmenu::targetForm(target)) {
            QCOMPARE(shownWindows(), QStringList("UnitMenu")); // not built yet: back to the main window
        } else {
            QCOMPARE(shownWindows(), QStringList(target));
            QCOMPARE(shows.count, 1);
        }
        if (unitmenu::targetForm(target))
            QCOMPARE(LOADDATA::CategoryName, category);
    }

    // CANCEL, Exit and the close box give the main window back when it is
    // gone; beside a screen the close box only closes the finder.
    void leaving_data()
    {
        QTest::addColumn<QString>("before"); // what happens first
        QTest::addColumn<QString>("way");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("CANCEL") << "" << "btnCancel" << QStringList("UnitMenu");
        QTest::newRow("CANCEL after a miss") << "Inch" << "btnCancel" << QStringList("UnitMenu");
        QTest::newRow("Exit after a miss") << "Inch" << "mnuExit" << QStringList("UnitMenu");
        QTest::newRow("close box after a miss") << "Inch" << "close box" << QStringList("UnitMenu");
        QTest::newRow("close box beside a screen") << "picBtnLength" << "close box" << QStringList("diaLength");
    }
    void leaving()
    {
        QFETCH(QString, before);
        QFETCH(QString, way);
        QFETCH(QStringList, shown);
        if (before.startsWith("picBtn")) {
            choose(main(), before);
        } else if (!before.isEmpty()) {
            type(combo()->edit(), before);
            click(control<QPushButton>(finder(), "btnGoto"));
        }
        if (way == "close box")
            finder().window()->close();
        else
            choose(finder().window(), way);
        QCOMPARE(shownWindows(), shown);
        QVERIFY(!finder().IsLoaded());
    }

    void openTargetComesForwardAsItIs()
    {
        choose(main(), "PicBtnArea"); // the finder stays open beside it
        const QString caption = platform::the<template1>().window()->windowTitle();
        type(combo()->edit(), "bar");
        QTest::keyClick(combo()->edit(), Qt::Key_Return);
        QCOMPARE(shownWindows(), QStringList("template1"));
        QCOMPARE(platform::the<template1>().window()->windowTitle(), caption);
        QCOMPARE(LOADDATA::CategoryName, "Pressure");
    }
};
ORVALIS_TEST(TestLookup)
#include "test_lookup.moc"
