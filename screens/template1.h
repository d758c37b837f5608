#pragma once
// The generic category screen: one window for every category of the
// catalogue, its thirteen unit buttons a column named from the unit table.
#include "screens/conversionscreen.h"

class template1 : public ConversionScreen {
public:
    template1();
};
