#pragma once
// The speed and velocity screen: every unit in miles per hour.
#include "screens/conversionscreen.h"

class diaVelocity : public ConversionScreen {
public:
    diaVelocity();

protected:
    // The frames take the form's colour when the screen loads.
    void ownLoadSteps() override;
};
