#include "testsupport.h"
#include "formdriver.h"
#include "core/ini_file_tools.h"
#include "core/loaddata.h"
#include "core/orvl_mod.h"
#include "core/picturestore.h"
#include "metafiles.h"
#include "platform/imagecontrol.h"
#include "platform/twips.h"
#include "screens/template1.h"
#include "shell/menutable.h"
#include "shell/unitmenu.h"

#include <QMenuBar>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>

using namespace testing;
using platform::ImageControl;

namespace {

const QString Unchanged = "(as it was)";

// The window a category's caption leads to and the category stored for it:
// a dedicated screen keeps the category as it was, a custom set's screen
// gets its section, and the generic screen gets the caption, a few of them
// under another name.
std::pair<QString, QString> destination(const QString& caption)
{
    static const QHash<QString, QString> dedicated = {
        {"Length / Distance", "diaLength"}, {"Volume", "diaVolume"}, {"Speed / Velocity", "diaVelocity"},
        {"Weight", "diaWeight"}, {"Feet and Inches", "diaFeet_n_Inches"}, {"Temperature", "diaTemp"},
        {"Oil / Gas Mix", "diaLawn"}, {"Coffee Maker", "diaCoffee"}};
    static const QHash<QString, QString> renamed = {{"Imperial Volume", "Imperial"},
        {"Volumetric Flow", "Volumetric Flow Rate"}, {"Bits / Bytes", "Bits and Bytes"}, {"Fuel Usage", "Fuel"}};
    if (dedicated.contains(caption))
        return {dedicated[caption], Unchanged};
    if (caption.startsWith("User")) // "User 1" to "User 5", "User Defined &6"
        return {"diaUser1", QString("User%1Factors").arg(caption.back())};
    return {"template1", renamed.value(caption, caption)};
}

// The program from its start to its real end: the main window's control
// way is chosen, after the About box was shown and closed when the next
// argument is "about"; then Exit in the window that came up.
int exitFrom(const QStringList& args)
{
    QTemporaryDir folder;
    platform::setProgramFolder(folder.path());
    Main();
    QTimer::singleShot(0, [args] {
        QWidget* main = platform::the<UnitMenu>().window();
        if (args.value(1) == "about") {
            platform::setModalAnswerer([](QWidget* w) { w->close(); });
            choose(main, "AboutOrvalis");
        }
        static bool ended = false;
        auto exit = [](QWidget* w) { ended = true, w->findChild<QAction*>("mnuExit")->trigger(); };
        platform::setModalAnswerer(exit); // the window came up modal
        choose(main, args.value(0));
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!ended && w->isVisible() && w != main)
                exit(w);
    });
    return platform::runToEnd();
}
ORVALIS_CHILD(exitFrom, exitFrom)

} // namespace

class TestUnitMenu : public QObject {
    Q_OBJECT

    std::optional<TestFolder> folder;

    UnitMenu& menu() { return platform::the<UnitMenu>(); }
    QMainWindow* main() { return menu().window(); }
    QLabel* label(const QString& name) { return control<QLabel>(menu(), name); }
    static QImage image(const QPixmap& pm) { return pm.toImage().convertToFormat(QImage::Format_ARGB32); }
    // What every picture button shows, and where, in twips.
    QMap<QString, std::pair<QImage, QPoint>> shown()
    {
        QMap<QString, std::pair<QImage, QPoint>> all;
        for (ImageControl* c : main()->findChildren<ImageControl*>())
            all[c->objectName()] = {image(c->picture()), QPoint(c->Left(), c->Top())};
        return all;
    }

    // Some screens name their Main Menu item mnuMainmenu.
    static void backToMain(QWidget* screen)
    {
        screen->findChildren<QAction*>(QRegularExpression("^(toMain|mnuMainmenu)$")).value(0)->trigger();
    }

    // Saves a custom set's key while a screen is open, as its screen does,
    // and comes back.
    void saveWhileAway(const QString& section, const QStringList& keysAndValues)
    {
        choose(main(), "PicBtnPressure");
        for (int k = 0; k + 1 < keysAndValues.size(); k += 2)
            QVERIFY(WriteIni(folder->filePath("user.dat"), section, keysAndValues[k], keysAndValues[k + 1]));
        backToMain(platform::the<template1>().window());
    }

private slots:
    void init()
    {
        folder.emplace();
        LOADDATA::CategoryName = Unchanged;
        Main();
        QVERIFY(QTest::qWaitForWindowActive(main()));
    }
    void cleanup() { folder.reset(); }

    void startUp()
    {
        // 9800 x 6400 twips centred on the 12000 twip square screen, lifted
        // 200 twips, the frame on whole pixels of 15 twips.
        QCOMPARE(platform::outerPosTwips(main()), QPoint(1095, 2595));
        const auto pictures = shown();
        QCOMPARE(std::count_if(pictures.begin(), pictures.end(), [](auto& p) { return !p.first.isNull(); }), 28);
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(label(QString("lblUser%1").arg(n))->text(), QString("User %1").arg(n));
    }

    // Picture, label and menu item of every category: the main window hides,
    // the category's screen opens, and its Main Menu brings the main window
    // back.
    void everyWayIn_data()
    {
        columns({"control", "caption"});
        for (const unitmenu::Entry& e : unitmenu::entries())
            for (const char* way : {e.picture, e.label, e.menuItem})
                if (way)
                    QTest::newRow(way) << way << (e.caption ? e.caption : e.menuCaption);
    }
    void everyWayIn()
    {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        const auto [target, category] = destination(caption);
        if (QAction* item = main()->findChild<QAction*>(control)) { // reached from the menu bar
            const QList<QAction*> bar = main()->menuBar()->actions();
            auto holds = [item](QAction* a) { return a->menu() && a->menu()->actions().contains(item); };
            QVERIFY(std::any_of(bar.begin(), bar.end(), holds));
        }
        QStringList open; // the windows up, then the category
        platform::setModalAnswerer([&](QWidget* w) {
            open << (main()->isVisible() ? "main window" : w->objectName()) << LOADDATA::CategoryName;
            w->close();
        });
        choose(main(), control);
        if (!unitmenu::targetForm(target)) {
            QVERIFY(main()->isVisible()); // not built yet: nothing happens
            QCOMPARE(LOADDATA::CategoryName, Unchanged);
            return;
        }
        if (!open.isEmpty()) {
            QVERIFY(main()->isVisible()); // the modal screen's way back
            QCOMPARE(open, QStringList({target, category}));
            return;
        }
        QWidget* screen = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                open << (screen = w)->objectName();
        QCOMPARE(open << LOADDATA::CategoryName, QStringList({target, category}));
        ShowCounter shows;
        main()->installEventFilter(&shows);
        backToMain(screen); // by its Main Menu item
        QVERIFY(main()->isVisible());
        QCOMPARE(shows.count, 1);
    }

    // Holding the mouse down shows the press effect, letting go (away from
    // the control, so nothing opens) undoes it; twice in a row.
    void pressEffect_data()
    {
        columns({"control", "button", "pressed"}); // pressed: the picture shown while held
        QTest::addColumn<QPoint>("heldAt");   // place while held, in twips
        QTest::newRow("Power label") << "lblPower" << "PicBtnPower" << "" << QPoint(3155, 2060);
        QTest::newRow("Area picture") << "PicBtnArea" << "PicBtnArea" << "imgAreaDn" << QPoint();
        QTest::newRow("Imperial label") << "lblImperial" << "PicBtnImperial" << "imgCrownDn" << QPoint();
        QTest::newRow("Feet and Inches label") << "lblFeetInch" << "" << "" << QPoint();
    }
    void pressEffect()
    {
        QFETCH(QString, control);
        QFETCH(QString, button);
        QFETCH(QString, pressed);
        QFETCH(QPoint, heldAt);
        QWidget* w = main()->findChild<QWidget*>(control);
        const auto before = shown();
        auto held = before;
        if (!pressed.isEmpty())
            held[button].first = image(platform::the<btn>().picture(pressed));
        if (!heldAt.isNull())
            held[button].second = heldAt;
        for (int round = 0; round < 2; ++round) {
            QTest::mousePress(w, Qt::LeftButton);
            QVERIFY(shown() == held);
            QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(-5, -5));
            QVERIFY(shown() == before);
        }
    }

    // A custom set's name and picture, saved while a screen was open; a
    // picture of its own is decoded again only when its file changed.
    void customSets_data()
    {
        columns({"name", "file"}); // file: what Button_Image names
        QTest::newRow("name and picture") << "Tools" << "png";
        QTest::newRow("empty name") << "" << "png";
        QTest::newRow("long name") << "Conversions for the workshop" << "png";
        QTest::newRow("missing file") << "Tools" << "missing";
        QTest::newRow("fifo") << "Tools" << "fifo";
        QTest::newRow("metafile under a bitmap's name") << "Tools" << "wmf";
        QTest::newRow("damaged metafile") << "Tools" << "damaged wmf";
    }
    void customSets()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        QImage own(20, 12, QImage::Format_ARGB32);
        own.fill(QColor(200, 30, 40));
        const QString path = folder->filePath("tools.png");
        if (file == "png")
            QVERIFY(own.save(path));
        else if (file == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (QFile out(path); file.endsWith("wmf")) {
            const std::string wmf = metafiles::wmf(true).substr(0, file == "wmf" ? std::string::npos : 50);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(wmf.data(), wmf.size()) > 0);
        }
        saveWhileAway("User3Factors", {"Table_Name", name, "Button_Image", path});
        QTRY_COMPARE(label("lblUser3")->text(), name); // as soon as it is active
        const QImage builtIn = image(platform::the<btn>().picture("imgUser3"));
        const QImage seen = shown()["PicBtnUser3"].first;
        if (file == "wmf") // drawn at the button's size
            QCOMPARE(QColor(seen.pixel(seen.rect().center())).name(), "#ff0000");
        else
            QCOMPARE(seen, file == "png" ? own : builtIn);
        // Centred, a long name wrapped inside the one-line box: the ink of
        // the first line leaves as much blank to the left as to the right.
        const QImage shot = label("lblUser3")->grab().toImage();
        int first = shot.width(), last = -1;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixel(x, y) != shot.pixel(0, 0))
                    first = std::min(first, x), last = std::max(last, x);
        QVERIFY2(first > 0 && qAbs(first - (shot.width() - 1 - last)) <= 3, qPrintable(QString::number(first)));
        auto picture = [this] { return main()->findChild<ImageControl*>("PicBtnUser3")->picture(); };
        const qint64 key = picture().cacheKey();
        saveWhileAway("User3Factors", {"Table_Name", "again"});
        QTRY_COMPARE(label("lblUser3")->text(), "again");
        QCOMPARE(picture().cacheKey(), key);
        const timespec later[2] = {{0, UTIME_OMIT}, {::time(nullptr) + 5, 0}};
        if (file == "png") {
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), later, 0), 0);
            saveWhileAway("User3Factors", {});
            QTRY_VERIFY(picture().cacheKey() != key);
        }
    }

    void ending_data()
    {
        QTest::addColumn<int>("endings");
        QTest::newRow("Exit") << 1;
        QTest::newRow("close box") << 1;
        QTest::newRow("unload from code") << 0;
    }
    void ending()
    {
        QFETCH(int, endings);
        if (QTest::currentDataTag() == QLatin1String("Exit"))
            choose(main(), "cmdExit");
        else if (QTest::currentDataTag() == QLatin1String("close box"))
            main()->close();
        else
            menu().Unload();
        QCOMPARE(folder->ended.count, endings);
        QVERIFY(!menu().IsLoaded());
    }

    // Exit ends the program itself, with status 0, from the main window
    // and from a screen opened modeless or modal.
    void realEnding_data()
    {
        columns({"way", "about"});
        for (const char* about : {"", "about"})
            for (const char* way : {"cmdExit", "PicBtnFeetInch", "lblFeetInch", "mnuFeetInches"})
                QTest::newRow(qPrintable(QString(way) + ' ' + about)) << way << about;
    }
    void realEnding() { QCOMPARE(runChild("exitFrom", {cell("way"), cell("about")}), 0); }
};
ORVALIS_TEST(TestUnitMenu)
#include "test_unitmenu.moc"
