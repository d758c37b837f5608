#include "testsupport.h"
#include "formdriver.h"
#include "core/ini_file_tools.h"
#include "core/loaddata.h"
#include "core/navigation.h"
#include "core/orvl_mod.h"
#include "core/picturestore.h"
#include "platform/imagecontrol.h"
#include "platform/modal.h"
#include "platform/twips.h"
#include "screens/dialength.h"
#include "screens/template1.h"
#include "shell/menutable.h"
#include "shell/unitmenu.h"

#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <sys/stat.h>

using namespace testing;
using platform::ImageControl;

namespace {

// The category table as the user meets it: the three ways in, the window
// each opens and the category it is opened on (nullptr: left unchanged).
struct Way {
    const char* picture;
    const char* label;
    const char* menuItem;
    const char* target;
    const char* category;
};
const Way Ways[] = {
    {"picBtnLength", "lblLength", "Length", "diaLength", nullptr},
    {"PicBtnArea", "lblArea", "Area", "template1", "Area"},
    {"PicBtnVolume", "lblVolume", "Volume", "diaVolume", nullptr},
    {"PicBtnImperial", "lblImperial", "mnuImperial", "template1", "Imperial"},
    {"PicBtnVelocity", "lblVelocity", "Speed", "diaVelocity", nullptr},
    {"PicBtnWeight", "lblWeight", "Weight", "diaWeight", nullptr},
    {"PicBtnTime", "lblTime", "Time", "template1", "Time"},
    {"PicBtnFeetInch", "lblFeetInch", "mnuFeetInches", "diaFeet_n_Inches", nullptr},
    {"PicBtnTemperature", "lblTemperature", "Temperature", "diaTemp", nullptr},
    {"PicBtnPower", "lblPower", "Power", "template1", "Power"},
    {"PicBtnDensity", "lblDensity", "Density", "template1", "Density"},
    {"PicBtnVolumeFlow", "lblVolumeFlow", "mnuVolFlow", "template1", "Volumetric Flow Rate"},
    {"PicBtnBits", "lblBytes", "BitsnBytes", "template1", "Bits and Bytes"},
    {"PicBtnLight", "lblLight", "light", "template1", "Light"},
    {"PicBtnMassFlow", "lblMassFlow", "mnuMassFlow", "template1", "Mass Flow Rate"},
    {"PicBtnPressure", "lblPressure", "Pressure", "template1", "Pressure"},
    {"PicBtnLawn", "lblLawn", "mnuOilGas", "diaLawn", nullptr},
    {"PicBtnWork", "lblWork", "Work", "template1", "Work"},
    {"PicBtnAngles", "lblAngles", "Angles", "template1", "Angles"},
    {"PicBtnCoffee", "lblCoffee", "Coffee", "diaCoffee", nullptr},
    {"PicBtnViscosity", "lblViscosity", "Viscosity", "template1", "Viscosity"},
    {"PicBtnAccel", "lblAcceleration", "Acceleration", "template1", "Acceleration"},
    {"PicBtnFuel", "lblFuel", "Fuel", "template1", "Fuel"},
    {"PicBtnUser1", "lblUser1", "mnuUser1", "diaUser1", "User1Factors"},
    {"PicBtnUser2", "lblUser2", "mnuUser2", "diaUser1", "User2Factors"},
    {"PicBtnUser3", "lblUser3", "mnuUser3", "diaUser1", "User3Factors"},
    {"PicBtnUser4", "lblUser4", "mnuUser4", "diaUser1", "User4Factors"},
    {"PicBtnUser5", "lblUser5", "mnuUser5", "diaUser1", "User5Factors"},
    {nullptr, nullptr, "mnuUser6", "diaUser1", "User6Factors"},
};

const QString Unchanged = QStringLiteral("(as it was)");

// Records, in order, the showing and hiding of top-level windows.
class WindowLog : public QObject {
public:
    WindowLog() { qApp->installEventFilter(this); }
    ~WindowLog() override { qApp->removeEventFilter(this); }
    QStringList events;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && w->isWindow() && (e->type() == QEvent::Show || e->type() == QEvent::Hide))
            events << (e->type() == QEvent::Show ? QStringLiteral("show ") : QStringLiteral("hide ")) + w->objectName();
        return false;
    }
};

} // namespace

class TestUnitMenu : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::optional<EndWatcher> ended;

    UnitMenu& menu() { return platform::the<UnitMenu>(); }
    ImageControl* picture(const QString& name) { return control<ImageControl>(menu(), name); }
    QLabel* label(const QString& name) { return control<QLabel>(menu(), name); }
    QAction* action(const QString& name) { return control<QAction>(menu(), name); }
    QString userDat() const { return folder->filePath(QStringLiteral("user.dat")); }
    static QImage image(const QPixmap& pm) { return pm.toImage().convertToFormat(QImage::Format_ARGB32); }
    static QImage stored(const QString& name) { return image(platform::the<btn>().picture(name)); }
    QPoint twipsPos(const QString& name) { return QPoint(picture(name)->Left(), picture(name)->Top()); }

    // Every picture the buttons show, by button.
    QMap<QString, QImage> shownPictures()
    {
        QMap<QString, QImage> shown;
        for (ImageControl* c : menu().window()->findChildren<ImageControl*>())
            shown[c->objectName()] = image(c->picture());
        return shown;
    }

    // Goes back from whatever screen is open by its Main Menu item.
    void goBackFrom(platform::Form& screen)
    {
        QAction* toMain = control<QAction>(screen, QStringLiteral("toMain"));
        QVERIFY(toMain);
        toMain->trigger();
    }

private slots:
    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        platform::setProgramFolder(folder->path());
        ended.emplace();
        LOADDATA::CategoryName = Unchanged;
        Main();
        QVERIFY(menu().window());
        QVERIFY(QTest::qWaitForWindowActive(menu().window()));
    }
    void cleanup()
    {
        platform::setModalAnswerer(nullptr);
        platform::Form::UnloadAll();
        ended.reset();
        platform::setProgramFolder(QString());
        folder.reset();
    }

    void startUp()
    {
        QMainWindow* w = menu().window();
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Orvalis - Unit Conversions "));
        QVERIFY(!w->windowIcon().isNull());
        // 9800 x 6400 twips centred on the 12000 x 12000 twip screen, raised
        // 200 twips; a pixel is 15 twips, so the window lands on whole pixels.
        QCOMPARE(ORVL_MOD::FormLeft, 1100);
        QCOMPARE(ORVL_MOD::FormTop, 2600);
        QCOMPARE(platform::outerSizeTwips(w), QSize(9795, 6405));
        QCOMPARE(platform::outerPosTwips(w), QPoint(1095, 2595));
        QCOMPARE(label(QStringLiteral("Label2"))->text(), QStringLiteral("Select a category of units:"));

        const auto shown = shownPictures();
        QCOMPARE(shown.size(), 28);
        QCOMPARE(shown[QStringLiteral("picBtnLength")], stored(QStringLiteral("imgLengthUp")));
        QCOMPARE(shown[QStringLiteral("PicBtnImperial")], stored(QStringLiteral("imgCrownUp")));
        QCOMPARE(shown[QStringLiteral("PicBtnTemperature")], stored(QStringLiteral("imgTempUp")));
        for (int n = 1; n <= 5; ++n) {
            QCOMPARE(shown[QStringLiteral("PicBtnUser%1").arg(n)], stored(QStringLiteral("imgUser%1").arg(n)));
            QCOMPARE(label(QStringLiteral("lblUser%1").arg(n))->text(), QStringLiteral("User %1").arg(n));
        }
        QCOMPARE(ended->count, 0);
    }

    void layout_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QRect>("pictureBox");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("labelBox");
        QTest::addColumn<bool>("autoSized");
        QTest::newRow("Length") << "picBtnLength" << QRect(390, 675, 960, 690) << "lblLength"
                                << "Length / Distance" << QRect(60, 1470, 1560, 195) << true;
        QTest::newRow("Imperial") << "PicBtnImperial" << QRect(4395, 705, 705, 630) << "lblImperial"
                                  << "Imperial Volume" << QRect(4230, 1395, 975, 375) << false;
        QTest::newRow("Power") << "PicBtnPower" << QRect(3105, 2010, 780, 600) << "lblPower" << "Power"
                               << QRect(3225, 2745, 540, 195) << true;
        QTest::newRow("Viscosity") << "PicBtnViscosity" << QRect(8430, 3180, 690, 630) << "lblViscosity"
                                   << "Viscosity" << QRect(8235, 3975, 1155, 195) << false;
        QTest::newRow("Fuel") << "PicBtnFuel" << QRect(1950, 4365, 690, 630) << "lblFuel" << "Fuel Usage"
                              << QRect(1710, 5130, 1155, 195) << false;
    }
    void layout()
    {
        QFETCH(QString, picture);
        QFETCH(QRect, pictureBox);
        QFETCH(QString, label);
        QFETCH(QString, caption);
        QFETCH(QRect, labelBox);
        QFETCH(bool, autoSized);
        const auto px = [](QRect t) { return platform::twipsRect(t.x(), t.y(), t.width(), t.height()); };
        ImageControl* p = this->picture(picture);
        QCOMPARE(p->geometry(), px(pictureBox));
        QCOMPARE(QPoint(p->Left(), p->Top()), pictureBox.topLeft());
        QCOMPARE(p->accessibleName(), caption);
        QLabel* l = this->label(label);
        QCOMPARE(l->text(), caption);
        QCOMPARE(l->pos(), px(labelBox).topLeft());
        if (autoSized) {
            QCOMPARE(l->size(), l->sizeHint());
        } else {
            QCOMPARE(l->size(), px(labelBox).size());
            QVERIFY(l->alignment() & Qt::AlignHCenter);
        }
        QCOMPARE(l->font().bold(), true);
        QCOMPARE(l->font().pointSizeF(), 8.25);
    }

    void nothingTakesTheFocus()
    {
        for (QWidget* w : menu().window()->centralWidget()->findChildren<QWidget*>())
            QVERIFY2(w->focusPolicy() == Qt::NoFocus, qPrintable(w->objectName()));
        QWidget* before = QApplication::focusWidget();
        QTest::mousePress(picture(QStringLiteral("PicBtnUser2")), Qt::LeftButton);
        QTest::mouseRelease(picture(QStringLiteral("PicBtnUser2")), Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(QApplication::focusWidget(), before);
    }

    void menuBar()
    {
        // Level, caption and name of every item, top to bottom.
        QStringList seen;
        std::function<void(const QList<QAction*>&, int)> walk = [&](const QList<QAction*>& actions, int level) {
            for (QAction* a : actions) {
                const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
                seen << QStringLiteral("%1 %2 %3").arg(level).arg(a->isSeparator() ? QStringLiteral("-") : a->text(), name);
                QVERIFY(a->shortcut().isEmpty());
                QVERIFY(!a->isCheckable());
                QVERIFY(a->isEnabled());
                if (a->menu())
                    walk(a->menu()->actions(), level + 1);
            }
        };
        walk(menu().window()->menuBar()->actions(), 1);
        const QStringList expected = {
            "1 &File mnuFile", "2 E&xit cmdExit",
            "1 &Select Selection", "2 Accel&eration Acceleration", "2 A&ngles Angles", "2 &Area Area",
            "2 &Bits n Bytes BitsnBytes", "2 &Coffee Coffee", "2 &Density Density", "2 &Fuel Fuel",
            "2 Feet and Inc&hes mnuFeetInches", "2 &Imperial Volume mnuImperial", "2 Light light",
            "2 &Length Length", "2 &Mass Flow mnuMassFlow", "2 Oil / Gas Mix mnuOilGas", "2 Powe&r Power",
            "2 &Pressure Pressure", "2 &Speed / Velocity Speed", "2 &Temperature Temperature", "2 T&ime Time",
            "2 Viscosity Viscosity", "2 &Volume Volume", "2 Volumetric &Flow mnuVolFlow", "2 &Weight Weight",
            "2 Wor&k Work",
            "1 &Lookup mnuLookup",
            "1 &User mnuUser", "2 User Defined &1 mnuUser1", "2 User Defined &2 mnuUser2",
            "2 User Defined &3 mnuUser3", "2 User Defined &4 mnuUser4", "2 User Defined &5 mnuUser5",
            "2 User Defined &6 mnuUser6",
            "1 &Tools mnuTools", "2 &Notepad mnuNotepad", "2 &Calculator mnuCalculator", "2 - mnuSep1",
            "2 &Options mnuOptions", "3 Calculator Setup mnuCalcSetup", "3 Notepad Setup mnuNoteSetup",
            "1 &Help mnuHelp", "2 &About Orvalis AboutOrvalis",
        };
        QCOMPARE(seen, expected);
    }

    // Every way into every category: the window it opens, the category it
    // stores, and the order of hiding the main window and showing the target.
    void everyWayIn_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("category");
        for (const Way& w : Ways) {
            const QString category = w.category ? QLatin1String(w.category) : Unchanged;
            const char* names[] = {w.picture, w.label, w.menuItem};
            for (int way = 0; way < 3; ++way)
                if (names[way])
                    QTest::newRow(names[way]) << QString::fromLatin1(names[way]) << way
                                              << QString::fromLatin1(w.target) << category;
        }
    }
    void everyWayIn()
    {
        QFETCH(QString, control);
        QFETCH(int, way);
        QFETCH(QString, target);
        QFETCH(QString, category);
        const unitmenu::Entry* entry = unitmenu::entryNamed(control);
        QVERIFY(entry);
        QCOMPARE(QLatin1String(entry->target), target);
        QCOMPARE(entry->categoryName ? QString(QLatin1String(entry->categoryName)) : Unchanged, category);

        platform::Form* form = unitmenu::targetForm(target);
        const bool modal = control == QLatin1String("lblFeetInch") || control == QLatin1String("mnuFeetInches");
        const bool showFirst = control.startsWith(QLatin1String("PicBtnUser"));
        QString categoryWhileShown;
        bool mainHiddenWhileShown = false;
        if (modal) {
            platform::setModalAnswerer([&](QWidget* w) {
                categoryWhileShown = LOADDATA::CategoryName;
                mainHiddenWhileShown = !menu().window()->isVisible();
                w->close(); // its close box: the way back to the main window
            });
        }
        WindowLog log;
        if (way == 2)
            action(control)->trigger();
        else
            QTest::mouseClick(menu().window()->findChild<QWidget*>(control), Qt::LeftButton);

        if (!form) {
            // Not part of the program yet: nothing happens at all.
            QVERIFY(menu().window()->isVisible());
            QCOMPARE(LOADDATA::CategoryName, Unchanged);
            QVERIFY(log.events.isEmpty());
            return;
        }
        if (modal) {
            QVERIFY(mainHiddenWhileShown);
            QCOMPARE(categoryWhileShown, category);
            QVERIFY(menu().window()->isVisible());
            return;
        }
        QVERIFY(form->window() && form->window()->isVisible());
        QVERIFY(!menu().window()->isVisible());
        QCOMPARE(LOADDATA::CategoryName, category);
        const QString shown = QStringLiteral("show ") + target;
        const QString hidden = QStringLiteral("hide UnitMenu");
        QVERIFY(log.events.contains(shown));
        QVERIFY(log.events.contains(hidden));
        QCOMPARE(log.events.indexOf(shown) < log.events.indexOf(hidden), showFirst);

        goBackFrom(*form);
        QVERIFY(!form->IsLoaded());
        QVERIFY(menu().window()->isVisible());
        QCOMPARE(ended->count, 0);
    }

    // The road of one request, and the way back by Main Menu or close box.
    void openAndComeBack_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Pressure picture, Main Menu") << "PicBtnPressure" << "Pressure" << false;
        QTest::newRow("Pressure label, close box") << "lblPressure" << "Pressure" << true;
        QTest::newRow("Pressure menu item, Main Menu") << "Pressure" << "Pressure" << false;
        QTest::newRow("Length picture, Main Menu") << "picBtnLength" << "Length  &  Distance" << false;
        QTest::newRow("Length label, close box") << "lblLength" << "Length  &  Distance" << true;
        QTest::newRow("Length menu item, close box") << "Length" << "Length  &  Distance" << true;
    }
    void openAndComeBack()
    {
        QFETCH(QString, control);
        QFETCH(QString, title);
        QFETCH(bool, closeBox);
        QMainWindow* main = menu().window();
        if (QAction* item = action(control))
            item->trigger();
        else
            click(main->findChild<QWidget*>(control));
        QVERIFY(!main->isVisible());
        QWidget* screen = QApplication::activeWindow();
        QTRY_VERIFY((screen = QApplication::activeWindow()) && screen != main);
        QCOMPARE(screen->windowTitle(), title);

        WindowLog log;
        if (closeBox)
            screen->close();
        else
            screen->findChild<QAction*>(QStringLiteral("toMain"))->trigger();
        QCOMPARE(log.events.count(QStringLiteral("show UnitMenu")), 1);
        QVERIFY(main->isVisible());
        QCOMPARE(menu().window(), main); // the same window, only hidden meanwhile
        QTRY_COMPARE(QApplication::activeWindow(), main);
        QCOMPARE(ended->count, 0);
    }

    // Pressing shows the pressed picture until release, on the control
    // itself or through its label; the rest of the window stays as it was.
    void pressEffect_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Area picture") << "PicBtnArea" << Qt::LeftButton << "PicBtnArea" << "imgAreaDn";
        QTest::newRow("Area label") << "lblArea" << Qt::LeftButton << "PicBtnArea" << "imgAreaDn";
        QTest::newRow("Imperial label") << "lblImperial" << Qt::LeftButton << "PicBtnImperial" << "imgCrownDn";
        QTest::newRow("Power picture") << "PicBtnPower" << Qt::LeftButton << "PicBtnPower" << "imgPowerDn";
        QTest::newRow("right button") << "PicBtnFuel" << Qt::RightButton << "PicBtnFuel" << "imgFuelDn";
        QTest::newRow("Bits label") << "lblBytes" << Qt::LeftButton << "PicBtnBits" << "imgBitsDn";
        QTest::newRow("Feet and Inches label") << "lblFeetInch" << Qt::LeftButton << "" << "";
        QTest::newRow("custom set picture") << "PicBtnUser1" << Qt::LeftButton << "" << "";
        QTest::newRow("custom set label") << "lblUser4" << Qt::LeftButton << "" << "";
        QTest::newRow("prompt") << "Label2" << Qt::LeftButton << "" << "";
    }
    void pressEffect()
    {
        QFETCH(QString, control);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, changed);
        QFETCH(QString, pressed);
        QWidget* w = menu().window()->findChild<QWidget*>(control);
        QVERIFY(w);
        const auto before = shownPictures();
        for (int round = 0; round < 2; ++round) {
            QTest::mousePress(w, button);
            auto expected = before;
            if (!changed.isEmpty())
                expected[changed] = stored(pressed);
            QVERIFY(shownPictures() == expected);
            // Released away from the control: no click, so nothing opens.
            QTest::mouseRelease(w, button, {}, QPoint(-5, -5));
            QVERIFY(shownPictures() == before);
        }
        QVERIFY(menu().window()->isVisible());
    }

    void powerLabelMovesItsPicture()
    {
        QLabel* power = label(QStringLiteral("lblPower"));
        const QPoint designed(3105, 2010);
        const QRect designedPx = picture(QStringLiteral("PicBtnPower"))->geometry();
        const QImage released = image(picture(QStringLiteral("PicBtnPower"))->picture());
        for (int round = 0; round < 4; ++round) {
            QTest::mousePress(power, Qt::LeftButton);
            QCOMPARE(twipsPos(QStringLiteral("PicBtnPower")), QPoint(3155, 2060));
            QCOMPARE(picture(QStringLiteral("PicBtnPower"))->pos(), platform::twipsRect(3155, 2060, 0, 0).topLeft());
            QCOMPARE(image(picture(QStringLiteral("PicBtnPower"))->picture()), released);
            QTest::mouseRelease(power, Qt::LeftButton, {}, QPoint(-5, -5));
            QCOMPARE(twipsPos(QStringLiteral("PicBtnPower")), designed);
            QCOMPARE(picture(QStringLiteral("PicBtnPower"))->geometry(), designedPx);
        }
        // A real click opens Power and leaves the picture where it belongs.
        click(power);
        if (platform::the<template1>().IsLoaded()) {
            goBackFrom(platform::the<template1>());
            QCOMPARE(twipsPos(QStringLiteral("PicBtnPower")), designed);
        }
    }

    // The custom-set buttons take their names and pictures from user.dat
    // when the main window comes back.
    void customSets_data()
    {
        QTest::addColumn<QString>("name");     // "-": no Table_Name key
        QTest::addColumn<QString>("pictureKind");
        QTest::addColumn<QString>("shownName");
        QTest::addColumn<bool>("ownPicture");
        QTest::newRow("name and picture") << "Tools" << "png" << "Tools" << true;
        QTest::newRow("bitmap") << "Tools" << "bmp" << "Tools" << true;
        QTest::newRow("no keys") << "-" << "none" << "User 3" << false;
        QTest::newRow("empty name") << "" << "empty" << "" << false;
        QTest::newRow("missing file") << "Tools" << "missing" << "Tools" << false;
        QTest::newRow("directory") << "Tools" << "directory" << "Tools" << false;
        QTest::newRow("fifo") << "Tools" << "fifo" << "Tools" << false;
        QTest::newRow("text file") << "Tools" << "text" << "Tools" << false;
        QTest::newRow("empty file") << "Tools" << "emptyfile" << "Tools" << false;
    }
    void customSets()
    {
        QFETCH(QString, name);
        QFETCH(QString, pictureKind);
        QFETCH(QString, shownName);
        QFETCH(bool, ownPicture);
        const QString section = QStringLiteral("User3Factors");
        QImage own(20, 12, QImage::Format_RGB32);
        own.fill(QColor(200, 30, 40));
        QString path;
        if (pictureKind == QLatin1String("png") || pictureKind == QLatin1String("bmp")) {
            path = folder->filePath(QStringLiteral("tools.") + pictureKind);
            QVERIFY(own.save(path));
        } else if (pictureKind == QLatin1String("missing")) {
            path = folder->filePath(QStringLiteral("gone.png"));
        } else if (pictureKind == QLatin1String("directory")) {
            path = folder->filePath(QStringLiteral("pictures"));
            QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("pictures")));
        } else if (pictureKind == QLatin1String("fifo")) {
            path = folder->filePath(QStringLiteral("pipe.png"));
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (pictureKind == QLatin1String("text") || pictureKind == QLatin1String("emptyfile")) {
            path = folder->filePath(QStringLiteral("notes.png"));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (pictureKind == QLatin1String("text"))
                f.write("not a picture\n");
        }

        // Saved while a screen is open, as the custom-set screen does.
        click(picture(QStringLiteral("PicBtnPressure")));
        QVERIFY(!menu().window()->isVisible());
        if (name != QLatin1String("-"))
            QVERIFY(WriteIni(userDat(), section, QStringLiteral("Table_Name"), name));
        if (pictureKind != QLatin1String("none"))
            QVERIFY(WriteIni(userDat(), section, QStringLiteral("Button_Image"), path));
        // Another set is refreshed as usual, whatever happens to set 3.
        QVERIFY(WriteIni(userDat(), QStringLiteral("User4Factors"), QStringLiteral("Table_Name"), QStringLiteral("Brewing")));
        goBackFrom(platform::the<template1>());

        QTRY_COMPARE(label(QStringLiteral("lblUser4"))->text(), QStringLiteral("Brewing"));
        QCOMPARE(label(QStringLiteral("lblUser3"))->text(), shownName);
        QCOMPARE(label(QStringLiteral("lblUser5"))->text(), QStringLiteral("User 5"));
        const QImage shown = image(picture(QStringLiteral("PicBtnUser3"))->picture());
        QCOMPARE(shown, ownPicture ? own.convertToFormat(QImage::Format_ARGB32) : stored(QStringLiteral("imgUser3")));
        QCOMPARE(image(picture(QStringLiteral("PicBtnUser4"))->picture()), stored(QStringLiteral("imgUser4")));
        QCOMPARE(picture(QStringLiteral("PicBtnUser3"))->accessibleName(), shownName.isEmpty() ? QStringLiteral("User 3") : shownName);
        // The menu keeps its captions whatever the sets are called.
        QCOMPARE(action(QStringLiteral("mnuUser3"))->text(), QStringLiteral("User Defined &3"));
        QCOMPARE(label(QStringLiteral("lblUser3"))->geometry(), platform::twipsRect(5430, 5175, 1305, 195));
    }

    void customSetRefreshOnReturnFromAnotherWindow()
    {
        // Coming back to the main window from another window of the program
        // refreshes too, without the main window having been hidden.
        QVERIFY(WriteIni(userDat(), QStringLiteral("User1Factors"), QStringLiteral("Table_Name"), QStringLiteral("Pumps")));
        QCOMPARE(label(QStringLiteral("lblUser1"))->text(), QStringLiteral("User 1"));
        QVERIFY(showActive(platform::the<diaLength>()));
        menu().window()->activateWindow();
        QTRY_COMPARE(label(QStringLiteral("lblUser1"))->text(), QStringLiteral("Pumps"));
    }

    void longNameShowsItsFirstLineCentred()
    {
        QVERIFY(WriteIni(userDat(), QStringLiteral("User2Factors"), QStringLiteral("Table_Name"),
                         QStringLiteral("Conversions for the workshop")));
        click(label(QStringLiteral("lblArea")));
        goBackFrom(platform::the<template1>());
        QLabel* l = label(QStringLiteral("lblUser2"));
        QTRY_COMPARE(l->text(), QStringLiteral("Conversions for the workshop"));
        // The box keeps its one-line height; the text wraps inside it.
        QCOMPARE(l->geometry(), platform::twipsRect(4065, 5160, 1305, 210));
        QVERIFY(l->wordWrap());
        QVERIFY(l->heightForWidth(l->width()) > l->height());
        // What shows is centred: as much blank to the left as to the right.
        const QImage shot = l->grab().toImage();
        const QRgb back = shot.pixel(0, 0);
        int first = shot.width(), last = -1;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixel(x, y) != back) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        QVERIFY(last > first);
        QVERIFY(qAbs(first - (shot.width() - 1 - last)) <= 3);
    }

    void endingTheProgram_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("endings");
        QTest::newRow("Exit") << "exit" << 1;
        QTest::newRow("close box") << "close" << 1;
        QTest::newRow("unload by code") << "unload" << 0;
    }
    void endingTheProgram()
    {
        QFETCH(QString, how);
        QFETCH(int, endings);
        if (how == QLatin1String("exit"))
            action(QStringLiteral("cmdExit"))->trigger();
        else if (how == QLatin1String("close"))
            menu().window()->close();
        else
            menu().Unload();
        QCOMPARE(ended->count, endings);
        QVERIFY(!menu().IsLoaded());
    }

    void reloadedAfterUnloadIsCentredAgain()
    {
        menu().window()->move(10, 10);
        menu().Hide();
        ShowMainWindow();
        QCOMPARE(menu().window()->pos(), QPoint(10, 10)); // hidden: keeps the user's place
        menu().Unload();
        ShowMainWindow();
        QVERIFY(menu().window()->isVisible());
        QCOMPARE(platform::outerPosTwips(menu().window()), QPoint(1095, 2595));
        QCOMPARE(ended->count, 0);
    }

    void itemsNotBuiltYetDoNothing_data()
    {
        QTest::addColumn<QString>("item");
        for (const char* item : {"mnuLookup", "AboutOrvalis", "mnuNotepad", "mnuCalculator", "mnuCalcSetup", "mnuNoteSetup"})
            QTest::newRow(item) << QString::fromLatin1(item);
    }
    void itemsNotBuiltYetDoNothing()
    {
        QFETCH(QString, item);
        const bool built = (item == QLatin1String("mnuLookup") && unitmenu::targetForm(QLatin1String(unitmenu::LookupTarget)))
                           || (item == QLatin1String("AboutOrvalis") && unitmenu::targetForm(QLatin1String(unitmenu::AboutTarget)));
        if (built)
            QSKIP("the window exists: its own tests cover it");
        WindowLog log;
        action(item)->trigger();
        QVERIFY(menu().window()->isVisible());
        QVERIFY(log.events.isEmpty());
        QCOMPARE(ended->count, 0);
    }
};
ORVALIS_TEST(TestUnitMenu)
#include "test_unitmenu.moc"
