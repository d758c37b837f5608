#include "core/navigation.h"

#include "core/orvl_mod.h"
#include "platform/form.h"
#include "platform/program.h"
#include "screens/dialength.h"

// Until the main window exists the length screen is the whole program:
// start-up opens it and its way back ends the program.
void Main()
{
    platform::the<diaLength>().Show();
}

void ShowMainWindow()
{
    platform::endProgram();
}

void ShowAboutBox(platform::Form* owner)
{
    (void)owner;
}
