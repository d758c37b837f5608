#include "screens/diaweight.h"

#include "platform/controls.h"

namespace {

ScreenDesign weightDesign()
{
    ScreenDesign d;
    d.formName = QStringLiteral("diaWeight");
    d.caption = QStringLiteral("Weight");
    d.backColor = 0x00808080;
    d.topOffset = 300;
    d.frameName = QStringLiteral("Frame");
    d.frame[0] = {600, 1080, 3120, 4545};
    d.frame[1] = {4320, 1080, 3120, 4545};
    d.frameColor[0] = d.frameColor[1] = 0x00808080;
    d.frameTextColor = 0x00000000;
    d.label1 = {960, 120, 2115, 240};
    d.text1 = {3240, 120, 1500, 300};
    d.label2 = {2880, 540, 270, 300};
    d.text4 = {3240, 540, 1515, 315};
    d.text5 = {240, 480, 570, 300};
    d.lbl3[0] = {4875, 180, 2685, 225};
    d.lbl3[1] = {4860, 600, 2685, 225};
    d.labelColor = 0x00FFC0C0;
    d.lbl3Color = platform::vbWindowBackground;
    d.text5Text = QStringLiteral("Text5");
    d.unitLeft = 200;
    d.unitWidth = 2765;
    d.unitWidthTo = 2750;
    d.unitColor = platform::vbWindowBackground;
    d.hasAbout = false;

    // The pound is 0.45359237 kg and 7000 grains; the troy ounce is 480
    // grains, the troy pound 5760; the slug keeps its customary figure of
    // 32.173997 pounds.
    d.buttons = {
        {QStringLiteral("btnGrain"), QStringLiteral("grain"), QStringLiteral("grain"), 0.00014285714285714287, 315},
        {QStringLiteral("btnOunce"), QStringLiteral("ounce"), QStringLiteral("ounce (oz)"), 0.0625, 630},
        {QStringLiteral("btnPound"), QStringLiteral("pound"), QStringLiteral("pound (lb)"), 1.0, 945},
        {QStringLiteral("btnSlug"), QStringLiteral("slug"), QStringLiteral("slug"), 32.173996975644286, 1260},
        {QStringLiteral("btnShortTon"), QStringLiteral("short ton"), QStringLiteral("short ton (T)"), 2000.0, 1575},
        {QStringLiteral("btnLongTon"), QStringLiteral("long ton"), QStringLiteral("long ton"), 2240.0, 1890},
        {QStringLiteral("btnMg"), QStringLiteral("milligram"), QStringLiteral("milligram"), 2.204622621848776e-06, 2205},
        {QStringLiteral("btnGram"), QStringLiteral("gram"), QStringLiteral("gram"), 0.002204622621848776, 2520},
        {QStringLiteral("btnKilogram"), QStringLiteral("kilogram"), QStringLiteral("kilogram"), 2.2046226218487757,
         2835},
        {QStringLiteral("btnMetricTon"), QStringLiteral("metric ton"), QStringLiteral("metric ton"), 2204.622621848776,
         3150},
        {QStringLiteral("btnTroyOunce"), QStringLiteral("troy ounce"), QStringLiteral("troy ounce"),
         0.06857142857142857, 3465},
        {QStringLiteral("btnTroyPound"), QStringLiteral("troy pound"), QStringLiteral("troy pound"),
         0.8228571428571428, 3780},
    };

    auto entry = [](const char* text, const char* unit, double factor) {
        return UnitEntry{QLatin1String(text), QLatin1String(unit), factor};
    };
    // The dram is a sixteenth of the ounce.
    UnitListDesign other{QStringLiteral("cboOther"), QStringLiteral("Other Weights"),
                         {entry("microgram", "microgram", 2.204622621848776e-09),
                          entry("dram", "dram", 0.00390625),
                          entry("scruple", "scruples", 0.002857142857142857),
                          entry("apothecary dram", "apothecary dram", 0.008571428571428572),
                          entry("apothecary ounce", "apothecary ounce", 0.06857142857142857),
                          entry("apothecary pound", "apothecary pound", 0.8228571428571428),
                          entry("carat", "carat (Kt)", 0.0004409248840367555),
                          entry("cental", "centals", 100.0),
                          entry("stone", "stones", 14.0),
                          entry("quarter", "quarters", 28.0),
                          entry("pennyweight", "pennyweight (dwt)", 0.0034285714285714284),
                          entry("hundredweight", "hundredweight (cwt)", 112.0)},
                         4095};
    other.applyOnFocus = false;
    other.headerAfterEntries = true;
    other.editable = true;
    d.lists = {other};
    return d;
}

} // namespace

diaWeight::diaWeight() : ConversionScreen(weightDesign()) {}
