#include "core/navigation.h"

#include "core/orvl_mod.h"
#include "platform/form.h"
#include "shell/menutable.h"
#include "shell/unitmenu.h"

void Main()
{
    platform::the<UnitMenu>().Show();
}

void ShowMainWindow()
{
    platform::the<UnitMenu>().Show();
}

void ShowAboutBox(platform::Form* owner)
{
    // Nothing until the About box is part of the program.
    if (platform::Form* about = unitmenu::targetForm(QLatin1String(unitmenu::AboutTarget)))
        about->ShowModal(owner);
}
