#include "screens/dialength.h"

#include "platform/controls.h"

namespace {

ScreenDesign lengthDesign()
{
    ScreenDesign d;
    d.formName = QStringLiteral("diaLength");
    d.caption = QStringLiteral("Length  &  Distance");
    d.iconName = QStringLiteral("iconLength");
    d.backColor = 0x00FFC0C0;
    d.topOffset = 300;
    d.frame[0] = {480, 1200, 3000, 4605};
    d.frame[1] = {4200, 1200, 3000, 4605};
    d.frameColor[0] = d.frameColor[1] = 0x00FFC0C0;
    d.label1 = {840, 240, 2115, 240};
    d.text1 = {3150, 240, 1500, 300};
    d.label2 = {2760, 660, 270, 300};
    d.text4 = {3120, 660, 1515, 315};
    d.text5 = {120, 600, 570, 300};
    d.lbl3[0] = {4755, 300, 2685, 225};
    d.lbl3[1] = {4740, 720, 2685, 225};
    d.labelColor = 0x00FFC0C0;
    d.lbl3Color = platform::vbWindowBackground;
    d.text5Text = QStringLiteral("Text5");
    d.unitLeft = 240;
    d.unitWidth = 2600;
    d.unitColor = 0x00FFFFFF;

    // Metric sizes are 10^k / 0.0254 inches, as exact doubles.
    d.buttons = {
        {QStringLiteral("btnInches"), QStringLiteral("inch"), QStringLiteral("inch"), 1.0, 300},
        {QStringLiteral("btnFeet"), QStringLiteral("foot"), QStringLiteral("foot"), 12.0, 630},
        {QStringLiteral("btnYards"), QStringLiteral("yard"), QStringLiteral("yard"), 36.0, 945},
        {QStringLiteral("btnMiles"), QStringLiteral("mile"), QStringLiteral("mile"), 63360.0, 1260},
        {QStringLiteral("btnMillimeters"), QStringLiteral("millimeter"), QStringLiteral("millimeter"), 0.03937007874015748, 1575},
        {QStringLiteral("btnCentimeters"), QStringLiteral("centimeter"), QStringLiteral("centimeter"), 0.3937007874015748, 1890},
        {QStringLiteral("btnMeters"), QStringLiteral("meter"), QStringLiteral("meter"), 39.37007874015748, 2205},
        {QStringLiteral("btnKilometers"), QStringLiteral("kilometer"), QStringLiteral("kilometer"), 39370.078740157485, 2520},
    };

    UnitListDesign metrics{QStringLiteral("cboMetrics"), QStringLiteral("Metric Units"),
                           {sameUnit("angstrom", 3.937007874015748e-09),
                            sameUnit("attometer", 3.9370078740157485e-17),
                            sameUnit("centimeter", 0.3937007874015748),
                            sameUnit("decimeter", 3.9370078740157486),
                            sameUnit("dekameter", 393.7007874015748),
                            sameUnit("exameter", 3.937007874015748e+19),
                            sameUnit("femtometer", 3.9370078740157484e-14),
                            sameUnit("petameter", 3.937007874015748e+16),
                            sameUnit("gigameter", 39370078740.15748),
                            sameUnit("hectometer", 3937.0078740157483),
                            sameUnit("kilometer", 39370.078740157485),
                            sameUnit("megameter", 39370078.740157485),
                            sameUnit("micrometer", 3.937007874015748e-05),
                            sameUnit("millimeter", 0.03937007874015748),
                            sameUnit("nanometer", 3.9370078740157486e-08),
                            sameUnit("picometer", 3.937007874015748e-11),
                            sameUnit("terameter", 39370078740157.484)},
                           2835};
    UnitListDesign surveyor{QStringLiteral("cboSurveyor"), QStringLiteral("Surveyor Units"),
                            {sameUnit("chain", 792.0), sameUnit("furlong", 7920.0), sameUnit("link", 7.92), sameUnit("pole", 198.0),
                             sameUnit("rod", 198.0), sameUnit("arpent", 2301.996), sameUnit("vara", 33.33)},
                            3270};
    // The nautical mile is exactly 1852 m and the league three of them.
    UnitListDesign mariner{QStringLiteral("cboMariner"), QStringLiteral("Mariner Units"),
                           {sameUnit("cable length", 8640.0), sameUnit("fathom", 72.0), sameUnit("league", 218740.15748031496),
                            sameUnit("nautical mile", 72913.38582677166)},
                           3705};
    // The micron is the micrometre; the light year is the IAU's
    // 9460730472580800 m.
    UnitListDesign other{QStringLiteral("cboOther"), QStringLiteral("Other Length Units"),
                         {{QStringLiteral("18") + QChar(34) + QStringLiteral(" cubits"), QStringLiteral("cubits"), 18.0},
                          sameUnit("hand", 4.0),
                          sameUnit("micron", 3.937007874015748e-05),
                          sameUnit("mil", 0.001),
                          sameUnit("light years", 3.724697036449134e+17),
                          sameUnit("pica", 0.16604401574803151),
                          sameUnit("span", 9.0)},
                         4140};
    d.lists = {metrics, surveyor, mariner, other};
    d.listFillOrder = {3, 1, 2, 0}; // other, surveyor, mariner, metrics
    return d;
}

} // namespace

diaLength::diaLength() : ConversionScreen(lengthDesign()) {}
