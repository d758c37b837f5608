#include "screens/diavelocity.h"

#include "platform/controls.h"

#include <QGroupBox>

namespace {

constexpr unsigned FormColor = 0x00FFFFC0;

ScreenDesign velocityDesign()
{
    ScreenDesign d;
    d.formName = QStringLiteral("diaVelocity");
    d.caption = QStringLiteral("Units of Velocity / Speed");
    d.backColor = FormColor;
    d.topOffset = 300;
    d.frame[0] = {705, 1200, 3120, 3915};
    d.frame[1] = {4350, 1200, 3120, 3915};
    d.frameColor[0] = d.frameColor[1] = 0x00FFC0C0;
    d.label1 = {1200, 240, 2115, 240};
    d.text1 = {3480, 240, 1500, 300};
    d.label2 = {3120, 660, 270, 300};
    d.text4 = {3480, 660, 1515, 315};
    d.text5 = {480, 600, 570, 300};
    d.lbl3[0] = {5115, 300, 2685, 225};
    d.lbl3[1] = {5100, 720, 2685, 225};
    d.labelColor = FormColor;
    d.lbl3Color = platform::vbWindowBackground;
    d.text5Text = QStringLiteral("Text5");
    d.unitLeft = 210;
    d.unitWidth = 2700;
    d.unitWidthTo = 2715;
    d.unitColor = platform::vbWindowBackground;
    d.expItemMask = QStringLiteral("0.0###E+00");

    // The mile is 1.609344 km; the knot is exactly 1852 m an hour.
    auto button = [](const char* name, const char* caption, const char* unit, double factor, int top, int topTo) {
        return UnitButtonDesign{QLatin1String(name), QLatin1String(caption), QLatin1String(unit), factor, top, topTo};
    };
    d.buttons = {
        button("btnMilePerHr", "mile per hour", "mile per hour", 1.0, 270, 300),
        button("btnMilePerSec", "mile per second", "mile per second", 3600.0, 600, 630),
        button("btnFtPerSec", "foot per second", "foot per second", 0.6818181818181818, 915, 945),
        button("btnInchPerSec", "inch per second", "inch per second", 0.056818181818181816, 1230, 1260),
        button("btnKiloPerHr", "kilometer per hour", "kilometer per hour", 0.621371192237334, 1545, 1575),
        button("btnKiloPerSec", "kilometer per second", "kilometer per second", 2236.936292054402, 1860, 1890),
        button("btnMeterPerSec", "meter per second", "meter per second", 2.236936292054402, 2175, 2205),
        button("btnCmPerSec", " centimeter per second", "centimeter per second", 0.02236936292054402, 2490, 2520),
        button("btnKnot", "knot", "knots", 1.1507794480235425, 2805, 2832),
        button("btnMach", "mach number", "mach", 741.455, 3120, 3150),
    };

    UnitListDesign other{QStringLiteral("cboOther"), QStringLiteral("Other Units"),
                         {sameUnit("foot per hour", 0.0001893939393939394),
                          sameUnit("inch per hour", 1.5782828282828283e-05),
                          sameUnit("meter per hour", 0.0006213711922373339),
                          sameUnit("centimeter per hour", 6.213711922373339e-06)},
                         3435};
    other.topTo = 3465;
    other.sorted = true;
    other.headerAfterEntries = true;
    d.lists = {other};
    return d;
}

} // namespace

diaVelocity::diaVelocity() : ConversionScreen(velocityDesign()) {}

void diaVelocity::ownLoadSteps()
{
    platform::setBackColor(client, FormColor);
    for (const auto& frame : Frame1)
        platform::setBackColor(frame, FormColor);
}
