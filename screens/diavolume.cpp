#include "screens/diavolume.h"

#include "platform/controls.h"

namespace {

ScreenDesign volumeDesign()
{
    ScreenDesign d;
    d.formName = QStringLiteral("diaVolume");
    d.caption = QStringLiteral("Volume / Capacity");
    d.backColor = 0x00C0C000;
    d.topOffset = 300;
    d.frame[0] = {675, 1305, 3120, 4320};
    d.frame[1] = {4425, 1305, 3120, 4320};
    d.frameColor[0] = d.frameColor[1] = 0x00C0C000;
    d.label1 = {1020, 225, 2115, 240};
    d.text1 = {3300, 225, 1500, 300};
    d.label2 = {2865, 645, 270, 300};
    d.text4 = {3300, 645, 1515, 315};
    d.text5 = {300, 585, 570, 300};
    d.lbl3[0] = {4935, 285, 2685, 225};
    d.lbl3[1] = {4920, 705, 2685, 225};
    d.labelColor = 0x00C0C000;
    d.lbl3Color = platform::vbWindowBackground;
    d.text5Text = QStringLiteral("Text5");
    d.unitLeft = 150;
    d.unitWidth = 2700;
    d.unitColor = platform::vbWindowBackground;
    d.hasAbout = false;

    // The liter is exactly 1000 cm3, 61.02374409473228 cubic inches.
    d.buttons = {
        {QStringLiteral("btnCuInches"), QStringLiteral("cubic inch"), QStringLiteral("cubic inch"), 1.0, 315},
        {QStringLiteral("btnCuFeet"), QStringLiteral("cubic foot"), QStringLiteral("cubic foot"), 1728.0, 630},
        {QStringLiteral("btnCuYards"), QStringLiteral("cubic yard"), QStringLiteral("cubic yard"), 46656.0, 945},
        {QStringLiteral("btnCuMillimeters"), QStringLiteral("cubic millimeter"), QStringLiteral("cubic millimeter"),
         6.10237440947323e-05, 1260},
        {QStringLiteral("btnCuCents"), QStringLiteral("cubic centimeter"), QStringLiteral("cubic centimeter"),
         0.06102374409473228, 1575},
        {QStringLiteral("btnCuMeters"), QStringLiteral("cubic meter"), QStringLiteral("cubic meter"), 61023.7440947323,
         1890},
        {QStringLiteral("btnQuarts"), QStringLiteral("quart (U.S. Liquid)"), QStringLiteral("quart"), 57.75, 2205},
        {QStringLiteral("btnGallons"), QStringLiteral("gallon (U.S. Liquid)"), QStringLiteral("gallon"), 231.0, 2520},
        {QStringLiteral("btnLiters"), QStringLiteral("liter"), QStringLiteral("liter"), 61.02374409473228, 2835},
        {QStringLiteral("btnMilliliters"), QStringLiteral("milliliter"), QStringLiteral("milliliter"),
         0.06102374409473228, 3150},
    };

    // A hectoliter is 100 liters, wet or dry.
    UnitListDesign liquid{QStringLiteral("cboUSLiquid"), QStringLiteral("Liquid Capacities"),
                          {sameUnit("teaspoon", 0.30078125),
                           sameUnit("tablespoon", 0.90234375),
                           sameUnit("fluid ounce", 1.8046875),
                           sameUnit("cup (U.S. liquid)", 14.4375),
                           sameUnit("pint (U.S. liquid)", 28.875),
                           sameUnit("quart (U.S. liquid)", 57.75),
                           sameUnit("gallon (U.S. liquid)", 231.0),
                           sameUnit("gallon (U.K. liquid)", 277.41945),
                           sameUnit("hectoliter (liquid)", 6102.374409473228),
                           sameUnit("32.5 gallon barrel", 7507.5),
                           sameUnit("42 gallon barrel", 9702.0),
                           sameUnit("55 gallon drum", 12705.0),
                           sameUnit("liquid dram", 0.2255859375),
                           sameUnit("gill (U.S.)", 7.21875),
                           sameUnit("minim", 0.003759765625)},
                          3465};
    liquid.headerAfterEntries = true;
    // The U.S. bushel is 2150.42 cubic inches, the peck a quarter of it, the
    // dry gallon an eighth; the board foot is 144 cubic inches.
    UnitListDesign dry{QStringLiteral("cboOther"), QStringLiteral("Dry Capacities"),
                       {sameUnit("peck", 537.605),
                        sameUnit("bushel", 2150.42),
                        sameUnit("board foot", 144.0),
                        sameUnit("wood cord", 221184.0),
                        sameUnit("quart (U.S. dry)", 67.200625),
                        sameUnit("gallon (U.S. dry)", 268.8025),
                        sameUnit("hectoliter (dry)", 6102.374409473228)},
                       3825};
    d.lists = {liquid, dry};
    return d;
}

} // namespace

diaVolume::diaVolume() : ConversionScreen(volumeDesign()) {}
