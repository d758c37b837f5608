#pragma once
// The weight screen: every unit in pounds.
#include "screens/conversionscreen.h"

class diaWeight : public ConversionScreen {
public:
    diaWeight();
};
