#pragma once
// The length and distance screen: every unit in inches.
#include "screens/conversionscreen.h"

class diaLength : public ConversionScreen {
public:
    diaLength();
};
