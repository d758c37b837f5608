#pragma once
// The volume and capacity screen: every unit in cubic inches.
#include "screens/conversionscreen.h"

class diaVolume : public ConversionScreen {
public:
    diaVolume();
};
