#include "core/orvl_mod.h"
#include "platform/appstyle.h"
#include "platform/program.h"
#include "platform/savefile.h"
#include "shell/unitmenu.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvalis"));
    platform::installAppStyle();
    // The main window hides while a screen is open: the program ends only
    // where it says so, never because no window is showing.
    QApplication::setQuitOnLastWindowClosed(false);
    // A save killed half-way leaves its temporary file beside the saved
    // one; a user who never saves again would keep it for good.
    for (const char* name : {"/user.dat", "/orvalis.ini"})
        platform::removeSaveLeftovers(platform::programFolder() + QLatin1String(name));
    ConnectNavigation();
    Main();
    return platform::runToEnd();
}
