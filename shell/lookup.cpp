#include "shell/lookup.h"

#include "core/loaddata.h"
#include "core/navigation.h"
#include "core/placement.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/simplecombo.h"
#include "platform/twips.h"
#include "shell/menutable.h"
#include "shell/unitmenu.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

using platform::placeTwips;
using platform::vbFont;

namespace finder {

namespace {
std::vector<Group> buildGroups()
{
    const char* T = "template1";
    return {
        {"diaLength", nullptr,
         {"inch", "foot", "yard", "mile", "angstrom", "micron", "mil", "light years", "hand", "span", "pica",
          "link", "chain", "rod", "furlong", "pole", "fathom", "cable length", "nautical mile", "league",
          "exameter", "petameter", "terameter", "gigameter", "megameter", "kilometer", "hectometer", "dekameter",
          "decimeter", "millimeter", "centimeter", "meter", "micrometer", "nanometer", "picometer", "femtometer",
          "attometer"},
         {"Surveyor Units", "Mariner Units", "vara", "arpent"}},
        {T, "Area",
         {"square inch", "square foot", "square yard", "square mile", "square millimeter", "square centimeter",
          "square meter", "square kilometer", "hectare", "township", "are"},
         {}},
        {T, "Acceleration",
         {"centimeter per second squared", "meter per second squared", "meter per hour per second",
          "kilometer per hour per second", "knot per second", "foot per second squared", "foot per minute squared",
          "foot per hour per second", "mile per hour per second", "inch per second squared"},
         {}},
        {T, "Angles", {"degree(angle)", "radian", "minute(angle)", "second(angle)", "quadrant", "circle"}, {}},
        {T, "Bits and Bytes",
         {"bit", "byte", "word", "kilobyte", "megabyte", "gigabyte", "terabyte", "int", "long", "double", "char",
          "enum"},
         {}},
        {T, "Density",
         {"kilogram per cubic meter", "gram per milliliter", "pound per cubic inch", "pound per cubic foot",
          "short ton per cubic yard", "pound per U.S. gallon"},
         {}},
        {T, "Fuel", {"mile per gallon", "kilometer per liter", "meter per cubic meter"}, {}},
        {T, "Light",
         {"lux", "footcandle", "lumen per square foot", "phot", "candela per square meter", "candela per square inch",
          "footlambert", "lambert", "stilb"},
         {}},
        {T, "Mass Flow Rate",
         {"pound per second", "pound per minute", "pound per hour", "pound per day", "kilogram per second",
          "kilogram per minute", "kilogram per hour", "kilogram per day", "gram per second", "gram per minute",
          "gram per hour", "gram per day"},
         {}},
        {T, "Power",
         {"horsepower", "watt", "kilowatt", "joule per second", "kilocalorie per second", "Btu per second",
          "Btu per hour", "kilogram-force meter per second"},
         {}},
        {T, "Pressure",
         {"atmosphere", "pound per square inch", "pound per square foot", "millimeter of mercury", "inch of mercury",
          "millimeter of water", "inch of water", "foot of water", "Torr", "Pascal", "kiloPascal", "bar"},
         {"millibar"}},
        {T, "Time",
         {"second", "minute", "hour", "day", "week", "month", "year", "decade", "century", "millisecond",
          "microsecond", "nanosecond"},
         {}},
        {T, "Viscosity",
         {"pascal second", "centipoise", "poise", "poundal second per square foot", "pound-force second per sq ft",
          "pound-force second per sq in", "pound per foot second", "slug per foot second", "centistokes",
          "meter squared per second", "square foot per second"},
         {}},
        {T, "Work",
         {"inch pound", "foot pound", "Joule", "watt second", "kilowatt hour", "Btu", "kilogram-force meter",
          "newton meter", "erg", "calorie", "calorie (nutrition)", "kilocalorie"},
         {}},
        {T, "Volumetric Flow Rate",
         {"gallon per minute", "gallon per hour", "gallon per day", "cubic foot per minute", "cubic foot per hour",
          "cubic meter per hour", "liter per minute", "liter per hour", "liter per day", "fluid ounce per second",
          "fluid ounce per minute"},
         {"fluid ounce per hour"}},
        {"diaTemp", nullptr, {"Fahrenheit", "Celsius", "Kelvin", "Rankine", "degree(temperature)"}, {}},
        {"diaVelocity", nullptr,
         {"mile per hour", "mile per second", "foot per second", "inch per second", "kilometer per hour",
          "kilometer per second", "meter per second", "centimeter per second", "knot", "mach", "foot per hour",
          "inch per hour", "meter per hour", "centimeter per hour"},
         {}},
        {"diaVolume", nullptr,
         {"cubic inch", "cubic foot", "cubic yard", "cubic millimeter", "cubic meter", "quart", "gallon", "liter",
          "milliliter", "teaspoon", "tablespoon", "fluid ounce", "ounce(fluid)", "cup", "drum", "barrel", "pint",
          "hectoliter", "minim", "liquid dram", "gill", "peck", "bushel", "wood cord", "board foot"},
         {}},
        {"diaWeight", nullptr,
         {"grain", "ounce", "pound", "slug", "ton", "short ton", "long ton", "milligram", "gram", "kilogram",
          "metric ton", "troy ounce", "troy pound", "dram(apothecary)", "microgram", "ounce(apothecary)",
          "pound(apothecary)", "carat", "cental", "stone", "quarter", "scruple", "hundredweight", "pennyweight"},
         {}},
        {T, "Imperial",
         {"gallon(Imperial)", "quart(Imperial)", "pint(Imperial)", "cup(Imperial)", "ounce(Imperial)",
          "tablespoon(Imperial)", "teaspoon(Imperial)"},
         {}},
    };
}
} // namespace

const std::vector<Group>& groups()
{
    static const std::vector<Group> all = buildGroups();
    return all;
}

const Group* groupOf(const QString& name)
{
    for (const Group& g : groups())
        if (g.listed.contains(name) || g.typed.contains(name))
            return &g;
    return nullptr;
}

} // namespace finder

namespace {
constexpr unsigned BackColor = 0x00FFC0C0;
constexpr int ClientWidth = 5610, ClientHeight = 3540;

// Whether a window of the program other than this one is on the screen
// that leads back to the main window. The Tool Selection dialog does not:
// it only closes.
bool anotherWindowShown(const QWidget* self)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != self && w->isVisible() && qobject_cast<platform::FormWindow*>(w) &&
            w->objectName() != QLatin1String(unitmenu::OptionsTarget))
            return true;
    return false;
}
} // namespace

lookup::lookup() : Form(QStringLiteral("lookup")) {}

void lookup::build(QMainWindow* window)
{
    window->setWindowTitle(QStringLiteral("Look-up Units"));

    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    platform::setBackColor(client, BackColor);
    window->setCentralWidget(client);

    Label1 = new QLabel(
        QStringLiteral("Select a unit from this alphabetical listing to go to its category form:"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(vbFont(9.75, true));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    platform::setBackColor(Label1, BackColor);
    placeTwips(Label1, 450, 240, 4680, 570);

    Combo1 = new platform::SimpleCombo(client);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setFont(vbFont(8.25, true));
    placeTwips(Combo1, 420, 1005, 3540, 2130);
    QObject::connect(Combo1, &platform::SimpleCombo::DblClick, window, [this] { Combo1_DblClick(); });
    platform::onEvent(Combo1->edit(), QEvent::KeyPress, [this](QEvent* e) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        int KeyAscii = 13;
        Combo1_KeyPress(KeyAscii);
        return false; // the key goes on to the edit field
    });

    auto button = [client](const QString& name, const QString& caption, int l, int t, int w, int h) {
        QPushButton* b = platform::commandButton(client, name, caption, l, t, w, h);
        b->setFont(vbFont(8.25, true));
        return b;
    };
    btnGoto = button(QStringLiteral("btnGoto"), QStringLiteral("GO TO"), 4035, 990, 1530, 360);
    btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("CANCEL"), 4050, 1575, 1500, 375);
    QObject::connect(btnGoto, &QPushButton::clicked, window, [this] { btnGoto_Click(); });
    QObject::connect(btnCancel, &QPushButton::clicked, window, [this] { btnCancel_Click(); });
    QWidget::setTabOrder(Combo1, btnGoto);
    QWidget::setTabOrder(btnGoto, btnCancel);

    QAction* exit = window->menuBar()->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    QObject::connect(exit, &QAction::triggered, window, [this] { mnuExit_Click(); });

    // The designed client area below the menu bar; the window keeps it.
    window->resize(platform::twipsToPixels(ClientWidth),
                   platform::twipsToPixels(ClientHeight) + window->menuBar()->sizeHint().height());
}

void lookup::Form_Load()
{
    placeForm(*this, 0, 0, 300);
    for (const finder::Group& g : finder::groups())
        for (const QString& name : g.listed)
            Combo1->AddItem(name);
    Combo1->setListIndex(0);
}

void lookup::btnGoto_Click()
{
    // The main window goes first, whatever the text.
    platform::the<UnitMenu>().Unload();
    const QString text = Combo1 ? Combo1->Text() : QString();
    const finder::Group* group = finder::groupOf(text);
    if (!group)
        return; // the finder stays with its text
    Unload();
    platform::Form* target = unitmenu::targetForm(QLatin1String(group->target));
    if (target) {
        if (group->category)
            LOADDATA::CategoryName = QLatin1String(group->category);
        target->Show();
    }
    // A screen that did not come up must not leave the user without a window.
    if (!target || !target->IsLoaded())
        ShowMainWindow();
}

void lookup::Combo1_DblClick()
{
    btnGoto_Click();
}

void lookup::Combo1_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        btnGoto_Click();
}

void lookup::btnCancel_Click()
{
    Unload();
    ShowMainWindow();
}

void lookup::mnuExit_Click()
{
    Unload();
    ShowMainWindow();
}

void lookup::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    (void)Cancel;
    // Closed by the user after a GO TO that found nothing: the main window
    // is gone, and the program must not run on without any window.
    if (UnloadMode == vbFormControlMenu && !anotherWindowShown(window())) {
        Unload();
        ShowMainWindow();
    }
}
