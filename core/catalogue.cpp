#include "core/catalogue.h"
#include "core/loaddata.h"

namespace LOADDATA {
namespace {

struct Unit {
    const char* name;
    double factor;
};

struct Category {
    const char* name;
    Unit units[13];
    const char* note1;
    const char* note2;
};

constexpr Unit None{"", 1.0};

constexpr const char* MixNote = "Note: Do not mix units above and below the ======== divider";

// Factors that follow from a unit's definition are written as the nearest
// double to the exact value (inch 0.0254 m, pound 0.45359237 kg, standard
// gravity 9.80665 m/s2, atmosphere 101325 Pa, IT Btu 1055.05585262 J, IT
// calorie 4.1868 J, imperial gallon 4.54609 l), so that e.g. 160 imperial
// ounces make exactly one imperial gallon. A few units keep the rounded
// figure of everyday use, which is what their users look for: the
// atmosphere as 14.696 psi, the metric horsepower as 735.5 W, the US
// gallon and quart to the cubic millimetre.
// Quotients are left as expressions: the compiler evaluates them in double,
// one rounding per operation.
constexpr Category Table[] = {
    {"Acceleration",
     {{"centimeter per sec squared", 0.01},
      {"meter per sec squared", 1},
      {"meter per hour per sec", 0.0002777777777777778},
      {"kilometer per hour per sec", 0.2777777777777778},
      {"knot per sec", 0.5144444444444445},
      {"foot per sec squared", 0.3048},
      {"foot per min squared", 8.466666666666666e-05},
      {"foot per hour per sec", 8.466666666666666e-05},
      {"mile per hour per sec", 0.44704},
      {"inch per sec squared", 0.0254},
      None, None, None},
     "", ""},
    {"Angles",
     {{"radian", 57.2957795131},
      {"degree", 1},
      {"minute", 0.016666666666666666},
      {"second", 0.0002777777777777778},
      {"quadrant", 90},
      {"circle", 360},
      None, None, None, None, None, None, None},
     "", ""},
    {"Area",
     {{"square inch", 1},
      {"square foot", 144},
      {"square yard", 1296},
      {"square mile", 4014489600},
      {"square millimeter", 0.0015500031},
      {"square centimeter", 0.15500031},
      {"square meter", 1550.0031},
      {"square kilometer", 1550003100},
      {"acre", 6272640},
      {"hectare", 15500031},
      {"township", 144521625600},
      {"are", 155000.31},
      None},
     "", ""},
    {"Bits and Bytes",
     {{"bit", 1},
      {"byte", 8},
      {"word", 16},
      {"kilobyte", 8192},
      {"megabyte", 8388608},
      {"gigabyte", 8589934592},
      {"terabyte", 8796093022208},
      {"int", 16},
      {"long", 32},
      {"double", 64},
      {"char", 8},
      {"enum", 16},
      None},
     "", ""},
    {"Density",
     {{"kilogram per cubic meter", 1},
      {"gram per milliliter", 1000},
      {"pound per cubic inch", 27679.9},
      {"pound per cubic foot", 16.01846},
      {"short ton per cubic yard", 1186.552},
      {"pound per U.S. gallon", 119.8264},
      None, None, None, None, None, None, None},
     "", ""},
    // "liter per 100 kilometer" carries the factor of "kilometer per liter":
    // the generic screen inverts it by its name.
    {"Fuel",
     {{"mile per gallon (U.S.)", 0.4251437},
      {"mile per gallon (Imperial)", 0.3540062},
      {"liter per 100 kilometer", 1},
      {"meter per cubic meter", 1e-06},
      {"kilometer per liter", 1},
      None, None, None, None, None, None, None, None},
     "Note: liter per 100 kilometer is an inverse conversion", ""},
    // The gaps at slots 6 and 10 separate imperial, metric and US units.
    {"Imperial",
     {{"gallon(Imperial)", 0.00454609},
      {"quart(Imperial)", 0.0011365225},
      {"pint(Imperial)", 0.00056826125},
      {"cup(Imperial)", 0.000284130625},
      {"ounce(Imperial)", 2.84130625e-05},
      None,
      {"milliliter", 1e-06},
      {"liter", 0.001},
      {"cubic meter", 1},
      None,
      {"gallon (U.S.)", 0.003785412},
      {"quart (U.S.)", 0.000946353},
      None},
     "", ""},
    // Illuminance above the divider, luminance below it.
    {"Light",
     {{"lux (lx)", 1},
      {"footcandle", 10.76391},
      {"lumen per square foot", 10.76391},
      {"phot (ph)", 10000},
      {"========================", 1},
      {"candela per square meter", 1},
      {"candela per square inch", 1550.003},
      {"footlambert", 3.426259},
      {"lambert", 3183.099},
      {"stilb (sb)", 10000},
      None, None, None},
     MixNote, ""},
    {"Mass Flow Rate",
     {{"pound per second", 86400},
      {"pound per minute", 1440},
      {"pound per hour", 24},
      {"pound per day", 1},
      {"kilogram per second", 190479.39452773423},
      {"kilogram per minute", 3174.656575462237},
      {"kilogram per hour", 52.910942924370616},
      {"kilogram per day", 2.2046226218487757},
      {"gram per second", 190.47939452773423},
      {"gram per minute", 3.174656575462237},
      {"gram per hour", 0.05291094292437062},
      {"gram per day", 0.002204622621848776},
      None},
     "", ""},
    {"Power",
     {{"watt", 1},
      {"kilowatt", 1000},
      {"Btu per hour", 0.2930710701722222},
      {"Btu per second", 1055.05585262},
      {"kilocalorie per second", 4186.8},
      {"horsepower (standard)", 745.7},
      {"horsepower (metric)", 735.5},
      {"horsepower (boiler)", 9809.5},
      {"kg-force meter per second", 9.80665},
      None, None, None, None},
     "", ""},
    {"Pressure",
     {{"atmosphere", 1},
      {"pound per square inch", 1.0 / 14.696},
      {"pound per square foot", 1.0 / (14.696 * 144)},
      {"millimeter of mercury", 1.0 / 760},
      {"inch of mercury", (1.0 / 760) * 25.4},
      {"millimeter of water", 1.0 / (407.1 * 25.4)},
      {"inch of water", 1.0 / 407.1},
      {"foot of water", 1.0 / 33.925},
      {"Torr", 1.0 / 760},
      {"Pascal - Pa", 1.0 / 101325},
      {"kiloPascal - kPa", 1.0 / 101.325},
      {"bar", 1.0 / 1.01325},
      {"millibar", 1.0 / 1013.25}},
     "Columns of Mercury at 0 deg C", "Columns of Water at 15 deg C"},
    {"Time",
     {{"second", 1},
      {"minute", 60},
      {"hour", 3600},
      {"day", 86400},
      {"week", 604800},
      {"month", 2628000},
      {"year", 31536000},
      {"decade", 315360000},
      {"century", 3153600000},
      {"millisecond", 0.001},
      {"microsecond", 1e-06},
      {"nanosecond", 1e-09},
      None},
     "", ""},
    // Dynamic viscosity above the divider, kinematic viscosity below it.
    {"Viscosity",
     {{"pascal second", 1},
      {"centipoise (cP)", 0.001},
      {"poise", 0.1},
      {"poundal sec per sq ft", 1.488164},
      {"pound-force sec per sq ft", 47.88026},
      {"pound-force sec per sq in", 6894.757},
      {"pound per ft sec", 1.488164},
      {"slug per ft sec", 47.88026},
      {"=======================", 1},
      {"centistokes", 1e-06},
      {"meter squared per sec", 1},
      {"square ft per sec", 0.09290304},
      None},
     MixNote, ""},
    {"Work",
     {{"inch pound", 1.355818 / 12},
      {"foot pound", 1.355818},
      {"Joule", 1},
      {"watt second", 1},
      {"kilowatt hour", 3600000},
      {"Btu", 1055.05585262},
      {"kilogram-force meter", 9.80665},
      {"newton meter", 1},
      {"erg", 1e-07},
      {"calorie", 4.1868},
      {"calorie (nutrition)", 4186.8},
      {"kilocalorie", 4186.8},
      None},
     "", ""},
    {"Volumetric Flow Rate",
     {{"gallon per minute", 1440},
      {"gallon per hour", 24},
      {"gallon per day", 1},
      {"cubic foot per minute", 10771.94736},
      {"cubic foot per hour", 179.532456},
      {"cubic meter per hour", 6340.1293},
      {"liter per second", 22824.48},
      {"liter per minute", 380.408},
      {"liter per hour", 6.3401293},
      {"liter per day", 0.264172},
      {"fluid ounce per second", 675},
      {"fluid ounce per minute", 11.25},
      {"fluid ounce per hour", 0.1875}},
     "", ""},
};

std::vector<CatalogueCategory> build()
{
    std::vector<CatalogueCategory> all;
    for (const Category& raw : Table) {
        CatalogueCategory c;
        c.name = QString::fromLatin1(raw.name);
        for (std::size_t i = 0; i < c.units.size(); ++i) {
            c.units[i] = QString::fromLatin1(raw.units[i].name);
            c.factors[i] = raw.units[i].factor;
        }
        c.note1 = QString::fromLatin1(raw.note1);
        c.note2 = QString::fromLatin1(raw.note2);
        all.push_back(std::move(c));
    }
    return all;
}

} // namespace

const std::vector<CatalogueCategory>& catalogue()
{
    static const std::vector<CatalogueCategory> all = build();
    return all;
}

const CatalogueCategory* findCategory(const QString& name)
{
    for (const CatalogueCategory& c : catalogue())
        if (c.name == name)
            return &c;
    return nullptr;
}

void LoadCategory(CategoryView* view)
{
    CategoryNote1.clear();
    CategoryNote2.clear();
    if (const CatalogueCategory* c = findCategory(CategoryName)) {
        for (int k = 1; k <= 13; ++k) {
            UnitName(k) = c->units[std::size_t(k - 1)];
            UnitFactor(k) = c->factors[std::size_t(k - 1)];
        }
        CategoryNote1 = c->note1;
        CategoryNote2 = c->note2;
    }
    if (!view)
        return;

    view->setCaption(CategoryName);
    // Slots 1 to 3 are never hidden. Every later slot is shown or hidden by
    // its own unit on each load, so a screen that stays open across loads
    // cannot keep a slot hidden by an earlier category.
    for (int k = 1; k <= 3; ++k)
        view->setUnitCaption(k, UnitName(k));
    for (int k = 4; k <= 13; ++k) {
        const bool used = !UnitName(k).isEmpty();
        if (used)
            view->setUnitCaption(k, UnitName(k));
        view->setSlotVisible(k, used);
    }
    view->setNotes(CategoryNote1, CategoryNote2);
}

} // namespace LOADDATA
