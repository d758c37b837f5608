#include "screens/template1.h"

namespace {

ScreenDesign template1Design()
{
    ScreenDesign d;
    d.formName = QStringLiteral("template1");
    d.caption = QStringLiteral("template #1");
    d.topOffset = 200;
    return d;
}

} // namespace

template1::template1() : ConversionScreen(template1Design()) {}
