#include "core/navigation.h"

#include "core/orvl_mod.h"
#include "platform/form.h"

#include <QtGlobal>

namespace {
NavigationTargets targets;
} // namespace

void SetNavigation(const NavigationTargets& given)
{
    targets = given;
}

void Main()
{
    // Without a main window the program would run on with nothing shown.
    Q_ASSERT(targets.mainWindow);
    ShowMainWindow();
}

void ShowMainWindow()
{
    if (targets.mainWindow)
        targets.mainWindow()->Show();
}

void ShowAboutBox(platform::Form* owner)
{
    if (targets.aboutBox)
        targets.aboutBox()->ShowModal(owner);
}
